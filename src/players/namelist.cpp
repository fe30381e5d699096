#include "namelist.h"

#include <QDir>

#include "app/textfile.h"
#include "entryrules.h"

namespace mervalo {

QStringList splitNameLine(const QString& line, bool* cut) {
  QString l = line;
  if (l.endsWith(QLatin1Char('|'))) l.chop(1);
  QStringList fields = l.split(QLatin1Char('|'));
  if (fields.size() > kNameFields) {
    if (cut) *cut = true;
    fields = fields.mid(0, kNameFields);
  }
  while (fields.size() < kNameFields) fields << QString();
  return fields;
}

NameList parseNameList(const QStringList& lines) {
  NameList list;
  bool headingSeen = false;
  for (const QString& line : lines) {
    if (line.trimmed().isEmpty()) continue;
    bool cut = false;
    QStringList fields = splitNameLine(line, &cut);
    if (cut) list.complete = false;
    if (!headingSeen) {
      list.heading = fields;
      headingSeen = true;
    } else {
      list.players << fields;
    }
  }
  if (!headingSeen) list.heading = splitNameLine(QString());
  return list;
}

std::optional<NameList> readNameList(const QString& path) {
  const auto lines = readTextLines(path);
  if (!lines) return std::nullopt;
  return parseNameList(*lines);
}

QStringList defaultNameHeading(const QString& text16, const QString& text20, const QString& text21,
                               const QString& text14, const QString& text15, const QString& text137) {
  QString title = text20;
  title.replace(QLatin1Char('.'), QLatin1String(" / "));
  QString second = text21;
  second.remove(QLatin1Char('.'));
  return {text16, title + second, text14, text15, text137};
}

bool writeNameList(const QString& folder, const QString& name, const QStringList& lines) {
  // The companion first: a list is never newer than its addresses, and a list that cannot be
  // written leaves the old one beside them.
  return writeTextLines(folder + QLatin1Char('/') + name + QLatin1String(".mail"), lines) &&
         writeTextLines(folder + QLatin1Char('/') + name + QLatin1String(".txt"), lines);
}

QStringList listFileNames(const QString& folder, const QString& pattern, bool descending) {
  QDir dir(folder);
  const QStringList files =
      dir.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
  QStringList names;
  for (const QString& f : files) names << nameBeforeDot(f);
  if (descending) std::reverse(names.begin(), names.end());
  return names;
}

QString pickKey(const QStringList& fields) {
  QString key = fields.value(0) + QLatin1Char('*');
  QStringList rest = fields.mid(1);
  key += rest.join(QLatin1Char(' '));
  return key;
}

}  // namespace mervalo
