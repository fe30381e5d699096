#include "groupfile.h"

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

QString resultsRelativePath(const QString& groupName, const QString& resultWord) {
  return QLatin1String("/invoer/") + groupName + QLatin1Char(' ') + resultWord + QLatin1String(".txt");
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

GroupFile parseGroupFile(const QStringList& lines) {
  GroupFile g;
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
    g.entries << e;
  }
  return g;
}

std::optional<GroupFile> readGroupFile(const QString& path) {
  const auto lines = readTextLines(path);
  if (!lines) return std::nullopt;
  return parseGroupFile(*lines);
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
