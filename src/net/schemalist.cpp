#include "schemalist.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <algorithm>

#include "app/fileops.h"
#include "app/textfile.h"
#include "event/movement.h"
#include "event/schemacheck.h"
#include "net/server.h"

namespace mervalo {

namespace {
const QString kHeaderMark = QStringLiteral("======");
}  // namespace

QStringList SchemaList::namesOf(const QString& key) const {
  QStringList names;
  const int value = tagValue(key);
  for (const SchemaGroup& g : groups)
    if (tagValue(g.tag) == value) names += g.names;
  return names;
}

int tagValue(const QString& tag) {
  qsizetype i = 0;
  while (i < tag.size() && tag[i].isSpace()) ++i;
  int value = 0;
  for (; i < tag.size() && tag[i] >= QLatin1Char('0') && tag[i] <= QLatin1Char('9'); ++i) {
    value = value * 10 + (tag[i].unicode() - '0');
    if (value > 1'000'000) break;  // a key no list will ever have
  }
  return value;
}

QString twoDigitKey(int value) { return QString::number(value + 100).right(2); }

int wrapGroupIndex(int value, int count) {
  if (value < 0) return count - 1;
  if (value > count - 1) return 0;
  return value;
}

SchemaList parseSchemaList(const QStringList& lines) {
  SchemaList list;
  for (const QString& line : lines) {
    if (line.contains(kHeaderMark)) {
      QString folded = line;
      folded.replace(QLatin1String("  "), QLatin1String(" "));
      folded.replace(QLatin1String("  "), QLatin1String(" "));
      const QStringList words = folded.split(QLatin1Char(' '));
      list.groups.append(SchemaGroup{words.value(1), {}});
    } else if (!list.groups.isEmpty()) {
      list.groups.last().names.append(line);
    }
  }
  for (const SchemaGroup& g : list.groups) {
    const QString key = twoDigitKey(tagValue(g.tag));
    if (!list.keys.contains(key)) list.keys.append(key);
  }
  std::sort(list.keys.begin(), list.keys.end(), std::greater<QString>());
  return list;
}

QStringList writeSchemaList(const QStringList& schemaNames) {
  QMap<int, QStringList> byPairs;
  for (const QString& name : schemaNames) byPairs[tagValue(name)].append(name);
  QStringList lines;
  for (auto it = byPairs.begin(); it != byPairs.end(); ++it) {
    lines.append(QStringLiteral("====== %1 ======").arg(it.key()));
    QStringList names = it.value();
    names.sort(Qt::CaseInsensitive);
    lines += names;
  }
  return lines;
}

QString noticeDateText(const QDate& date) { return date.toString(QStringLiteral("dd-MM-yyyy")); }

MirrorResult writeMirror(const QString& dir, const QString& schemaFolder, const QDate& today) {
  MirrorResult r;
  const QDir source(schemaFolder);
  if (!source.exists()) {
    r.error = QStringLiteral("no schema folder %1").arg(schemaFolder);
    return r;
  }
  const QString root = QDir(dir).filePath(QStringLiteral("MERVALO"));
  const QString schemaDir = root + QString::fromLatin1(kSchemaFolderPath).mid(QStringLiteral("/MERVALO").size());
  if (!QDir().mkpath(schemaDir)) {
    r.error = QStringLiteral("cannot make %1").arg(schemaDir);
    return r;
  }
  const QStringList files = source.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
  for (const QString& file : files) {
    const QString name = file.chopped(4);
    QFile f(source.filePath(file));
    if (file.compare(QLatin1String(kExcludedSchemaFileName), Qt::CaseInsensitive) == 0 || !isSafeSchemaName(name) ||
        !f.open(QIODevice::ReadOnly)) {
      r.skipped.append(name);
      continue;
    }
    const QByteArray bytes = f.readAll();
    if (!checkSchemaBytes(file, bytes).ok()) {
      r.skipped.append(name);
      continue;
    }
    if (!writeFileAtomic(schemaDir + QLatin1Char('/') + file, bytes)) {
      r.error = QStringLiteral("cannot write %1").arg(schemaDir + QLatin1Char('/') + file);
      return r;
    }
    r.schemas.append(name);
  }
  const QString listFile = QDir(dir).filePath(QString::fromLatin1(kSchemaListPath).mid(1));
  const QString noticeFile = QDir(dir).filePath(QString::fromLatin1(kUpdateNoticePath).mid(1));
  if (!writeTextLines(listFile, writeSchemaList(r.schemas))) {
    r.error = QStringLiteral("cannot write %1").arg(listFile);
  } else if (!writeTextLines(noticeFile, {noticeDateText(today)})) {
    r.error = QStringLiteral("cannot write %1").arg(noticeFile);
  }
  return r;
}

}  // namespace mervalo
