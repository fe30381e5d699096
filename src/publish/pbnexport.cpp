#include "publish/pbnexport.h"

#include <QRegularExpression>
#include <QStringList>

#include "scoring/numbers.h"
#include "scoring/scoretable.h"

namespace mervalo {

namespace {

QString quoted(const QString& text) {
  QString s = text;
  s.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  s.replace(QLatin1Char('"'), QStringLiteral("\\\""));
  return QLatin1Char('"') + s + QLatin1Char('"');
}

void tag(QString& out, const char* name, const QString& value) {
  out += QLatin1Char('[') + QLatin1String(name) + QLatin1Char(' ') + quoted(value) + QStringLiteral("]\r\n");
}

// One table row: every field padded to its column's width, left or right as the header says.
struct Column {
  int width;
  bool left;
};
void row(QString& out, const QVector<Column>& columns, const QStringList& fields) {
  QStringList padded;
  for (qsizetype i = 0; i < fields.size(); ++i) {
    const Column c = columns.value(i, Column{0, true});
    padded << (c.left ? fields[i].leftJustified(c.width) : fields[i].rightJustified(c.width));
  }
  QString line = padded.join(QLatin1Char(' '));
  while (line.endsWith(QLatin1Char(' '))) line.chop(1);
  out += line + QStringLiteral("\r\n");
}

QString pbnDate(const QString& groupName) {
  static const QRegularExpression date(QStringLiteral("^(\\d{2})-(\\d{2})-(\\d{4})"));
  const auto m = date.match(groupName);
  return m.hasMatch() ? m.captured(3) + QLatin1Char('.') + m.captured(2) + QLatin1Char('.') + m.captured(1)
                      : QStringLiteral("?");
}

QString points(double value) { return QString::number(value, 'f', 2); }

const QVector<Column> kScoreColumns{{2, false}, {2, false}, {5, true}, {1, false}, {2, false},
                                    {6, false}, {6, false}, {5, false}, {5, false}};
const QVector<Column> kTotalColumns{{2, false}, {2, false}, {40, true}, {5, false}, {5, false}};

}  // namespace

QByteArray pbnResults(const EventResult& result, const EventExtras& extras, const QString& groupName) {
  static const char* const kVulnerable[] = {"None", "NS", "EW", "All"};
  static const char kDealer[] = "NESW";
  QString out;
  out.reserve(4096 + result.header.boards() * result.header.pairs * 48);
  out += QStringLiteral("% PBN 2.1\r\n% EXPORT\r\n%Content-type: text/x-pbn; charset=ISO-8859-1\r\n% Mervalo\r\n");
  const QString date = pbnDate(groupName);
  bool first = true;
  for (const BoardResult& b : result.boards) {
    if (!b.scored) continue;
    const auto hands = extras.hands.find(b.board);
    const BoardHands* h = hands != extras.hands.end() ? &hands->second : nullptr;
    const int vulnerability = h ? h->vulnerability : std::max(0, vulnerabilityOf(b.board));
    const int dealer = h ? h->dealer : (b.board - 1) % 4;
    if (!first) out += QStringLiteral("\r\n");
    first = false;
    tag(out, "Event", groupName);
    tag(out, "Site", QString());
    tag(out, "Date", date);
    tag(out, "Board", QString::number(b.board));
    for (const char* seat : {"West", "North", "East", "South"}) tag(out, seat, QString());
    tag(out, "Dealer", QString(QLatin1Char(kDealer[dealer & 3])));
    tag(out, "Vulnerable", QLatin1String(kVulnerable[vulnerability & 3]));
    if (h) tag(out, "Deal", h->pbnDeal());
    tag(out, "Scoring", QStringLiteral("MP"));
    for (const char* unknown : {"Declarer", "Contract", "Result"}) tag(out, unknown, QString());
    out += QStringLiteral("[ScoreTable \"PairId_NS\\2R;PairId_EW\\2R;Contract\\5L;Declarer\\1R;Result\\2R;"
                          "Score_NS\\6R;Score_EW\\6R;MP_NS\\5R;MP_EW\\5R\"]\r\n");
    for (const ScoredTable& t : b.tables) {
      const ContractLine* c = extras.contract(b.board, t.ns, t.ew);
      const bool known = c && t.kind == ScoreKind::Played;
      const bool passed = known && c->contract.passedOut();
      const QString none = QStringLiteral("-");
      row(out, kScoreColumns,
          {QString::number(t.ns), QString::number(t.ew), known ? (passed ? QStringLiteral("Pass") : contractText(c->contract)) : none,
           known && !passed ? QString(declarerLetter(c->declarer)) : none, known && !passed ? QString::number(c->tricks) : none,
           t.kind == ScoreKind::Played ? t.nsScore : none, t.kind == ScoreKind::Played ? t.ewScore : none,
           t.played() ? points(t.nsPoints) : none, t.played() ? points(t.ewPoints) : none});
    }
  }
  out += QStringLiteral("\r\n[TotalScoreTable \"Rank\\2R;PairId\\2R;Names\\40L;TotalScoreMP\\5R;TotalPercentage\\5R\"]\r\n");
  for (int pair : result.ranking) {
    const PairResult& p = result.pair(pair);
    QString percentage = percentageText(p.percentage);
    percentage.chop(1);  // the "%"
    row(out, kTotalColumns,
        {QString::number(p.rank), QString::number(p.pair), quoted(p.names), QString::number(p.total), percentage});
  }
  return out.toLatin1();
}

}  // namespace mervalo
