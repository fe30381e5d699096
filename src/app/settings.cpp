#include "settings.h"

#include <QFile>

#include "textfile.h"

namespace mervalo {

namespace {

constexpr int kMaxValue = 254;

// The section named by a line "[name]", or a null string when the line is no header.
QString sectionOf(const QString& line) {
  const QString t = line.trimmed();
  if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) ) return {};
  const qsizetype close = t.indexOf(QLatin1Char(']'));
  if (close < 0) return {};
  return t.mid(1, close - 1).trimmed();
}

bool keyMatches(const QString& line, const QString& key, QString* value) {
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  if (eq < 0) return false;
  if (line.left(eq).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) != 0) return false;
  if (value) *value = line.mid(eq + 1).trimmed();
  return true;
}

// Index range [begin, end) of the body of the first section with this name; begin is -1 when
// the section is missing.
std::pair<qsizetype, qsizetype> findSection(const QStringList& lines, const QString& section) {
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString s = sectionOf(lines[i]);
    if (s.isNull() || s.compare(section.trimmed(), Qt::CaseInsensitive) != 0) continue;
    qsizetype j = i + 1;
    while (j < lines.size() && sectionOf(lines[j]).isNull()) ++j;
    return {i + 1, j};
  }
  return {-1, -1};
}

}  // namespace

QString readSetting(const QString& section, const QString& key, const QString& filePath) {
  const auto lines = readTextLines(filePath);
  if (!lines) return {};
  const auto [begin, end] = findSection(*lines, section);
  if (begin < 0) return {};
  for (qsizetype i = begin; i < end; ++i) {
    QString value;
    if (keyMatches((*lines)[i], key, &value)) {
      // A value wholly in quotes is returned without them, as the profile call does.
      if (value.size() >= 2 && ((value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))) ||
                                (value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\'')))))
        value = value.mid(1, value.size() - 2);
      return value.left(kMaxValue);
    }
  }
  return {};
}

bool writeSetting(const QString& section, const QString& key, const QString& value, const QString& filePath) {
  QStringList lines;
  if (QFile::exists(filePath)) {
    const auto read = readTextLines(filePath);
    if (!read) return false;  // never replace a file we could not read
    lines = *read;
  }
  // A line break inside a value would split it into lines of its own and break the file.
  QString flat = value;
  flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
  flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString entry = key + QLatin1Char('=') + flat;
  const auto [begin, end] = findSection(lines, section);
  if (begin < 0) {
    lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
    lines.append(entry);
    return writeTextLines(filePath, lines);
  }
  for (qsizetype i = begin; i < end; ++i) {
    if (keyMatches(lines[i], key, nullptr)) {
      lines[i] = entry;
      return writeTextLines(filePath, lines);
    }
  }
  // New key: after the section's last non-blank line.
  qsizetype at = end;
  while (at > begin && lines[at - 1].trimmed().isEmpty()) --at;
  lines.insert(at, entry);
  return writeTextLines(filePath, lines);
}

}  // namespace mervalo
