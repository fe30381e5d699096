#include "event/schemacheck.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "app/textfile.h"
#include "app/texts.h"
#include "event/movement.h"

namespace mervalo {

bool SchemaCheck::ok() const { return errors() == 0; }

int SchemaCheck::errors() const {
  int n = 0;
  for (const SchemaIssue& i : issues) n += i.error ? 1 : 0;
  return n;
}

bool parseSchemaFileName(const QString& fileName, int* pairs, int* rounds) {
  static const QRegularExpression re(QStringLiteral("^(\\d\\d) (\\S+) (\\d\\d) (\\S+)"));
  const QString name = QFileInfo(fileName).fileName();
  if (!name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) return false;
  const auto m = re.match(name);
  if (!m.hasMatch()) return false;
  bool known = false;
  for (int language : {kDutch, kEnglish}) {
    const QString prefix = schemaNamePrefix(m.captured(1).toInt(), m.captured(3).toInt(), language);
    if (name.startsWith(prefix, Qt::CaseInsensitive)) known = true;
  }
  if (!known) return false;
  *pairs = m.captured(1).toInt();
  *rounds = m.captured(3).toInt();
  return true;
}

namespace {

struct Cell {
  int ns = 0;
  int ew = 0;
  int set = 0;
};

class Checker {
 public:
  Checker(int pairs, int rounds) { result.pairs = pairs, result.rounds = rounds; }

  void error(int line, const QString& what) { result.issues.append(SchemaIssue{line, true, what}); }
  void warning(int line, const QString& what) { result.issues.append(SchemaIssue{line, false, what}); }

  // Parses one table field; false (after reporting why) when it cannot be used.
  bool parseCell(int line, const QString& field, Cell* cell) {
    // At most four digits a number: no movement needs more, and the sums below cannot overflow.
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,4})\\s*-\\s*(\\d{1,4})\\s+\\((\\d{1,4})-(\\d{1,4})\\)\\s*$"));
    const auto m = re.match(field);
    if (!m.hasMatch()) {
      error(line, QStringLiteral("\"%1\" is not a table (NS-EW (first-last))").arg(field));
      return false;
    }
    cell->ns = m.captured(1).toInt();
    cell->ew = m.captured(2).toInt();
    const int first = m.captured(3).toInt();
    const int last = m.captured(4).toInt();
    const int P = result.pairs;
    bool ok = true;
    for (int pair : {cell->ns, cell->ew}) {
      if (pair < 1 || pair > P) {
        error(line, QStringLiteral("pair %1 in \"%2\" is not one of pairs 1 to %3").arg(pair).arg(field).arg(P));
        ok = false;
      }
    }
    if (ok && cell->ns == cell->ew) {
      error(line, QStringLiteral("pair %1 plays against itself").arg(cell->ns));
      ok = false;
    }
    if (last != first + 3 || first % 4 != 1 || (first + 3) / 4 > result.rounds) {
      error(line, QStringLiteral("(%1-%2) names no board set of %3 rounds").arg(first).arg(last).arg(result.rounds));
      ok = false;
    }
    cell->set = (first + 3) / 4;
    return ok;
  }

  void run(const QStringList& lines) {
    const int P = result.pairs;
    const int R = result.rounds;
    if (lines.isEmpty()) {
      error(0, QStringLiteral("the file is empty"));
      return;
    }
    if (P < 2 || P % 2 != 0) error(0, QStringLiteral("%1 pairs cannot all be seated at every round").arg(P));
    if (R < 1) {
      error(0, QStringLiteral("a movement needs at least one round"));
      return;
    }
    std::map<int, std::map<int, int>> setRoundOfPair;  // pair -> set -> round
    std::map<std::pair<int, int>, int> met;             // pairs -> round
    std::map<int, int> setCount;
    int round = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
      const int lineNo = static_cast<int>(i) + 1;
      if (lines[i].trimmed().isEmpty()) continue;
      ++round;
      if (round > R) {
        error(lineNo, QStringLiteral("round line %1, but the movement has %2 rounds").arg(round).arg(R));
        continue;
      }
      const QStringList fields = lines[i].split(QLatin1Char('\t'));
      if (fields.size() < 2) {
        error(lineNo, QStringLiteral("round %1 has no Tab-separated tables").arg(round));
        continue;
      }
      std::map<int, int> seatedAt;  // pair -> table
      std::map<int, int> setTables;
      for (qsizetype t = 1; t < fields.size(); ++t) {
        if (isEmptyTable(fields[t])) continue;
        if (fields[t].trimmed().isEmpty()) {
          error(lineNo, QStringLiteral("table %1 of round %2 is empty").arg(t).arg(round));
          continue;
        }
        Cell c;
        if (!parseCell(lineNo, fields[t], &c)) continue;
        result.tables.append(SeatedTable{round, static_cast<int>(t), c.ns, c.ew, c.set});
        for (int pair : {c.ns, c.ew}) {
          if (seatedAt.count(pair))
            error(lineNo, QStringLiteral("pair %1 sits at tables %2 and %3 of round %4").arg(pair).arg(seatedAt[pair]).arg(t).arg(round));
          seatedAt[pair] = static_cast<int>(t);
          auto& sets = setRoundOfPair[pair];
          if (sets.count(c.set))
            error(lineNo, QStringLiteral("pair %1 plays board set %2 %3 in rounds %4 and %5")
                              .arg(pair).arg(c.set).arg(fourBoardRange(c.set)).arg(sets[c.set]).arg(round));
          else
            sets[c.set] = round;
        }
        const auto meeting = std::minmax(c.ns, c.ew);
        if (met.count(meeting))
          warning(lineNo, QStringLiteral("pairs %1 and %2 meet again (rounds %3 and %4)").arg(meeting.first).arg(meeting.second).arg(met[meeting]).arg(round));
        else
          met[meeting] = round;
        ++setCount[c.set];
        // With more tables than sets some sets must be shared; warn only beyond the fair share.
        if (++setTables[c.set] == shareLimit() + 1)
          warning(lineNo, QStringLiteral("board set %1 is at more than %2 in round %3")
                              .arg(c.set).arg(shareLimit() == 1 ? QStringLiteral("one table") : QStringLiteral("%1 tables").arg(shareLimit()))
                              .arg(round));
      }
      for (int pair = 1; pair <= P; ++pair)
        if (!seatedAt.count(pair)) error(lineNo, QStringLiteral("pair %1 does not play in round %2").arg(pair).arg(round));
    }
    if (round < R) error(0, QStringLiteral("%1 round lines, but the movement has %2 rounds").arg(round).arg(R));
    for (int set = 1; set <= R; ++set) {
      const int n = setCount.count(set) ? setCount[set] : 0;
      if (n != P / 2)
        error(0, QStringLiteral("board set %1 %2 is played %3 times, not %4").arg(set).arg(fourBoardRange(set)).arg(n).arg(P / 2));
    }
  }

  int shareLimit() const {
    const int tables = result.pairs / 2;
    return std::max(1, (tables + result.rounds - 1) / result.rounds);
  }

  SchemaCheck result;
};

QStringList splitLines(const QByteArray& bytes, bool* bareLineEnds) {
  QStringList lines;
  qsizetype start = 0;
  *bareLineEnds = false;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.append(fromCp1252(bytes.mid(start, i - start)));
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
      ++i;
    else
      *bareLineEnds = true;
    start = i + 1;
  }
  if (start < bytes.size()) lines.append(fromCp1252(bytes.mid(start)));
  return lines;
}

}  // namespace

SchemaCheck checkSchema(const QStringList& fileLines, int pairs, int rounds) {
  Checker c(pairs, rounds);
  c.run(fileLines);
  c.result.balance = balanceOf(c.result.tables, pairs);
  return c.result;
}

SchemaCheck checkSchemaBytes(const QString& fileName, const QByteArray& bytes) {
  int pairs = 0;
  int rounds = 0;
  if (!parseSchemaFileName(fileName, &pairs, &rounds)) {
    SchemaCheck r;
    r.issues.append(SchemaIssue{0, true, QStringLiteral("the name does not start with \"PP Paren RR Ronden\" or \"PP Pairs RR Rounds\" and end in \".txt\"")});
    return r;
  }
  bool bare = false;
  SchemaCheck r = checkSchema(splitLines(bytes, &bare), pairs, rounds);
  if (bare) r.issues.prepend(SchemaIssue{0, false, QStringLiteral("some lines do not end in CR LF")});
  return r;
}

QString firstBrokenRule(const SchemaCheck& check) {
  for (const SchemaIssue& issue : check.issues)
    if (issue.error) return issue.line > 0 ? QStringLiteral("line %1: %2").arg(issue.line).arg(issue.what) : issue.what;
  return {};
}

SchemaCheck checkSchemaFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    SchemaCheck r;
    r.issues.append(SchemaIssue{0, true, QStringLiteral("the file cannot be read")});
    return r;
  }
  return checkSchemaBytes(QFileInfo(path).fileName(), f.readAll());
}

}  // namespace mervalo
