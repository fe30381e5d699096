#include "groupfile.h"

#include <QFileInfo>

#include "app/fileops.h"
#include "app/textfile.h"

namespace mervalo {

QString playerDescription(const QString& title, const QString& first, const QString& last) {
  return QLatin1Char(' ') + title + QLatin1Char(' ') + first + QLatin1Char(' ') + last;
}

QString sitOutText(const QString& word) {
  return QLatin1String("***** ") + word + QLatin1String(" *****");
}

bool isSitOutLine(const QString& line) { return line.contains(QLatin1String("**")); }

QString pairLine(const QString& number1, const QString& description1, const QString& number2,
                 const QString& description2) {
  return number1 + QLatin1Char('|') + description1 + QLatin1Char('+') + number2 + QLatin1Char('|') + description2;
}

QString pairDisplay(const QString& description1, const QString& description2) {
  return description1 + QLatin1String(" - ") + description2;
}

QString groupName(const QString& dateText, const QString& groupWord, const QString& letter) {
  const int dot = dateText.indexOf(QLatin1Char('.'));
  const QString date = dot >= 0 ? dateText.left(dot) : dateText;
  return date + QLatin1Char(' ') + groupWord + QLatin1Char(' ') + letter;
}

std::optional<GroupNameParts> splitGroupName(const QString& name, const QString& groupWord) {
  const QString separator = QLatin1Char(' ') + groupWord;
  const qsizetype at = name.indexOf(separator);
  if (at < 0) return std::nullopt;
  return GroupNameParts{name.left(at).trimmed(), name.mid(at + separator.size()).trimmed()};
}

QString eventFileNameForGroup(const QString& groupName, const QString& resultWord) {
  return groupName + QLatin1Char(' ') + resultWord + QLatin1String(".txt");
}

namespace {
QString descriptionOf(const QString& player) {
  const int bar = player.indexOf(QLatin1Char('|'));
  return bar >= 0 ? player.mid(bar + 1) : player;
}
}  // namespace

GroupEntry parseGroupLine(const QString& line) {
  GroupEntry e;
  e.line = line;
  if (isSitOutLine(line)) {
    e.kind = GroupEntry::Kind::SitOut;
    e.display = line;
    return e;
  }
  const int plus = line.indexOf(QLatin1Char('+'));
  if (plus < 0) {
    // Kept as it stands so that nothing of the file is lost; no player can be found for it.
    e.kind = GroupEntry::Kind::Unreadable;
    e.display = line;
    return e;
  }
  e.players[0] = line.left(plus);
  e.players[1] = line.mid(plus + 1);
  e.display = pairDisplay(descriptionOf(e.players[0]), descriptionOf(e.players[1]));
  return e;
}

Group Group::parse(const QStringList& lines) {
  Group g;
  bool sitOutSeen = false;
  for (const QString& line : lines) {
    if (line.trimmed().isEmpty()) continue;
    GroupEntry e = parseGroupLine(line);
    if (e.kind == GroupEntry::Kind::SitOut) {
      if (sitOutSeen) {
        g.complete = false;
        continue;
      }
      sitOutSeen = true;
    }
    e.number = static_cast<int>(g.entries.size()) + 1;
    g.entries << e;
  }
  return g;
}

int Group::pairCount() const { return static_cast<int>(entries.size()) + (hasPhantom() ? 1 : 0); }

int Group::sitOutPair() const {
  if (hasPhantom()) return pairCount();
  for (const GroupEntry& e : entries)
    if (e.kind == GroupEntry::Kind::SitOut) return e.number;
  return 0;
}

QStringList Group::pairNames() const {
  QStringList names;
  for (const GroupEntry& e : entries) names << e.name();
  return names;
}

QStringList Group::playerDescriptions() const {
  QStringList all;
  for (const GroupEntry& e : entries) all << e.descriptions();
  return all;
}

QStringList Group::lines() const {
  QStringList all;
  for (const GroupEntry& e : entries) all << e.line;
  return all;
}

QStringList GroupEntry::descriptions() const {
  QStringList out;
  if (kind == Kind::SitOut) return out;
  // Every "+" separates players, so a damaged line with three keeps all three.
  for (const QString& player : line.split(QLatin1Char('+'))) {
    const QString description = descriptionOf(player).trimmed();
    if (!description.isEmpty()) out << description;
  }
  return out;
}

QString GroupEntry::name() const {
  QString names = descriptions().join(QLatin1String(" - "));
  const qsizetype bracket = names.indexOf(QLatin1Char('['));
  if (bracket >= 0) names.truncate(bracket);
  return names.trimmed();
}

std::optional<Group> readGroup(const QString& path) {
  const auto lines = fileState(path) == FileState::Missing ? std::nullopt : readTextLines(path);
  if (!lines) return std::nullopt;
  Group g = Group::parse(*lines);
  g.mail = readMailCompanion(path);
  return g;
}

std::optional<QStringList> readMailCompanion(const QString& groupPath) {
  const QString companion = mailCompanionPath(groupPath);
  return fileState(companion) == FileState::Filled ? readTextLines(companion) : std::nullopt;
}

QString mailCompanionPath(const QString& groupPath) {
  QString companion = groupPath;
  if (companion.endsWith(QLatin1String(".txt"))) companion.chop(4);
  return companion + QLatin1String(".mail");
}

bool ensureMailCompanion(const QString& groupPath) {
  const QString companion = mailCompanionPath(groupPath);
  if (fileState(companion) == FileState::Filled || fileState(groupPath) != FileState::Filled) return true;
  return copyFileOver(groupPath, companion);
}

bool writeGroup(const QString& path, const QStringList& groupLines, const QStringList& mailLines) {
  makeFolder(QFileInfo(path).absolutePath());
  return writeTextLines(mailCompanionPath(path), mailLines) && writeTextLines(path, groupLines);
}

QString groupPlayerKey(const QString& player) {
  QString key = player;
  const int at = key.indexOf(QLatin1String("| "));
  if (at >= 0) key.replace(at, 2, QLatin1Char('*'));
  return key;
}

bool groupConsistent(int entries, bool hasSitOut) { return entries % 2 == 0 || !hasSitOut; }

QString groupCountText(int entries, const QString& pairWord, const QString& pairsWord, const QString& inGroup) {
  if (entries == 1) return QLatin1String("1 ") + pairWord + QLatin1Char(' ') + inGroup;
  return QString::number(entries) + QLatin1Char(' ') + pairsWord + QLatin1Char(' ') + inGroup;
}

int findMailLine(const QStringList& mailLines, const QString& description) {
  const QStringList words = description.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (words.isEmpty()) return -1;
  for (int i = 0; i < mailLines.size(); ++i) {
    bool all = true;
    for (const QString& w : words) {
      if (!mailLines[i].contains(w)) {
        all = false;
        break;
      }
    }
    if (all) return i;
  }
  return -1;
}

int wrapLetterIndex(int value) {
  if (value < 0) return kLastLetterIndex;
  if (value > kLastLetterIndex) return 0;
  return value;
}

QString letterAt(int index) {
  return QString(QChar(static_cast<char16_t>(u'Z' - wrapLetterIndex(index))));
}

int letterIndexFor(const QString& letter) {
  const QString t = letter.trimmed();
  if (t.size() != 1) return kLastLetterIndex;
  const QChar c = t.at(0).toUpper();
  if (c < QLatin1Char('A') || c > QLatin1Char('Z')) return kLastLetterIndex;
  return u'Z' - c.unicode();
}

}  // namespace mervalo
