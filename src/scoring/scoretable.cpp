#include "scoretable.h"

#include <algorithm>
#include <cmath>

#include "app/numeric.h"
#include "numbers.h"

namespace mervalo {

namespace {

// Penalties for 1 to 13 undertricks, undoubled, doubled and redoubled.
constexpr int kUndertricksNotVulnerable[] = {
    50,   100,  150,  200,  250,  300,  350,  400,  450,  500,  550,  600,  650,  800,  1000, 1100, 1400,
    1600, 1700, 2000, 2200, 2300, 2600, 2800, 2900, 3200, 3400, 3500, 4000, 4600, 5200, 5800, 6400, 7000};

constexpr int kUndertricksVulnerable[] = {
    100,  200,  300,  400,  500,  600,  700,  800,  900,  1000, 1100, 1200, 1300, 1400, 1600, 1700, 2000,
    2200, 2300, 2600, 2800, 2900, 3200, 3400, 3500, 3800, 4000, 4600, 5200, 5800, 6400, 7000, 7600};

// Every made contract's score plus 0 and the larger penalties (so that a wrong sign is still a
// known score).
constexpr int kMadeVulnerable[] = {
    0,    70,   80,   90,   100,  110,  120,  130,  140,  150,  160,  170,  180,  190,  200,  210,  230,
    240,  260,  270,  300,  340,  360,  380,  400,  500,  540,  560,  580,  600,  620,  630,  640,  650,
    660,  670,  680,  690,  700,  710,  720,  730,  740,  750,  760,  780,  790,  800,  810,  840,  850,
    870,  880,  890,  900,  910,  920,  930,  940,  950,  960,  980,  990,  1000, 1010, 1030, 1050, 1070,
    1080, 1090, 1100, 1110, 1120, 1130, 1140, 1150, 1160, 1180, 1190, 1200, 1210, 1240, 1250, 1270, 1280,
    1290, 1300, 1310, 1320, 1330, 1340, 1350, 1360, 1370, 1380, 1390, 1400, 1410, 1430, 1440, 1460, 1470,
    1480, 1490, 1520, 1530, 1540, 1550, 1560, 1600, 1640, 1660, 1670, 1680, 1690, 1700, 1720, 1740, 1760,
    1800, 1830, 1860, 1880, 1920, 1960, 2000, 2040, 2070, 2080, 2110, 2120, 2140, 2160, 2200, 2210, 2220,
    2230, 2280, 2300, 2320, 2330, 2360, 2440, 2470, 2480, 2490, 2510, 2560, 2600, 2630, 2660, 2720, 2760,
    2800, 2840, 2880, 2900, 2940, 2980, 3120, 3160, 3200, 3400, 3500, 3800, 4000, 4600, 5200, 5800, 6400,
    7000, 7600};

constexpr int kMadeNotVulnerable[] = {
    0,    70,   80,   90,   100,  110,  120,  130,  140,  150,  160,  170,  180,  190,  200,  210,  230,
    240,  250,  260,  270,  280,  300,  340,  350,  360,  380,  400,  420,  430,  440,  450,  460,  470,
    480,  490,  500,  510,  520,  530,  540,  550,  560,  570,  580,  590,  600,  610,  630,  640,  650,
    660,  670,  680,  690,  710,  720,  730,  740,  750,  760,  770,  780,  790,  800,  810,  830,  840,
    850,  870,  880,  890,  910,  920,  930,  940,  950,  960,  970,  980,  990,  1000, 1010, 1020, 1030,
    1040, 1070, 1080, 1090, 1100, 1120, 1160, 1190, 1200, 1210, 1230, 1240, 1270, 1280, 1310, 1320, 1330,
    1360, 1380, 1400, 1430, 1440, 1470, 1480, 1510, 1520, 1560, 1580, 1600, 1620, 1630, 1640, 1660, 1670,
    1680, 1700, 1720, 1760, 1770, 1790, 1820, 1860, 1960, 2000, 2040, 2200, 2240, 2280, 2300, 2440, 2600,
    2800, 2840, 2900, 3200, 3400, 3500, 4000, 4600, 5200, 5800, 6400, 7000};

struct Table {
  const int* begin;
  const int* end;
};

template <size_t N>
Table tableOf(const int (&values)[N]) {
  return {values, values + N};
}

Table table(ScoreList list) {
  switch (list) {
    case ScoreList::UndertricksNotVulnerable: return tableOf(kUndertricksNotVulnerable);
    case ScoreList::UndertricksVulnerable: return tableOf(kUndertricksVulnerable);
    case ScoreList::MadeVulnerable: return tableOf(kMadeVulnerable);
    case ScoreList::MadeNotVulnerable: return tableOf(kMadeNotVulnerable);
  }
  return {nullptr, nullptr};
}

// The value of a canonical decimal text ("0" or digits without a leading zero); -1 otherwise.
int canonicalValue(const QString& text) {
  if (text.isEmpty() || text.size() > 6) return -1;
  if (text.size() > 1 && text[0] == QLatin1Char('0')) return -1;
  int value = 0;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    value = value * 10 + (c.unicode() - '0');
  }
  return value;
}

bool contains(ScoreList list, int value) {
  const Table t = table(list);
  return std::find(t.begin, t.end, value) != t.end;
}

}  // namespace

const QString& vulnerabilityString() {
  static const QString codes = QStringLiteral("0123123023013012").repeated(12);
  return codes;
}

int vulnerabilityOf(int board) {
  if (board < 1 || board > vulnerabilityString().size()) return -1;
  return vulnerabilityString()[board - 1].unicode() - '0';
}

int vulnerabilityTextNumber(int code) { return code >= 0 && code <= 3 ? 86 + code : 0; }

bool inScoreList(ScoreList list, const QString& value) {
  const int v = canonicalValue(value);
  return v >= 0 && contains(list, v);
}

int scoreListSize(ScoreList list) {
  const Table t = table(list);
  return static_cast<int>(t.end - t.begin);
}

bool isNotPlayedText(const QString& score) {
  return score == QLatin1String("n") || score == QLatin1String("N");
}

QString mirrorScore(const QString& ns) {
  if (ns == QLatin1String("0")) return ns;
  if (isNotPlayedText(ns)) return QStringLiteral("n");
  if (ns.startsWith(QLatin1Char('-'))) return ns.mid(1);
  if (ns.isEmpty()) return ns;
  return QLatin1Char('-') + ns;
}

QString typedNsText(const QString& keys) {
  static const QString accepted = QStringLiteral("0123456789-nN%");
  QString box;
  for (QChar key : keys) {
    if (key == QLatin1Char('c') || key == QLatin1Char('C')) box.clear();
    else if (accepted.contains(key)) box += key;
  }
  return box;
}

NormalisedScore normaliseNsScore(const QString& typed) {
  if (typed.contains(QLatin1Char('%'))) return {typed, QString()};
  QString ns = typed;
  if (ns.endsWith(QLatin1Char('-'))) {
    ns.chop(1);
    ns.prepend(QLatin1Char('-'));
  }
  if (!isNotPlayedText(ns) && !ns.trimmed().isEmpty()) {
    // Shorthand: the last zero of a score may be left off; 50 is the one score below 70.
    const double magnitude = std::fabs(numericValue(ns));
    if (magnitude < 70 && magnitude != 50) ns += QLatin1Char('0');
  }
  if (ns == QLatin1String("00")) ns = QStringLiteral("0");
  return {ns, mirrorScore(ns)};
}

ScoreVerdict checkScore(int board, const QString& ns) {
  if (ns == QLatin1String("0") || isNotPlayedText(ns) || ns.contains(QLatin1Char('%'))) return ScoreVerdict::Accepted;
  const bool negative = ns.startsWith(QLatin1Char('-'));
  const QString v = negative ? ns.mid(1) : ns;
  const int code = vulnerabilityOf(board);
  // NS scoring: their made contracts follow NS vulnerability, EW's undertricks EW's. EW scoring:
  // the other way round.
  const bool nsVul = code == kNorthSouth || code == kBoth;
  const bool ewVul = code == kEastWest || code == kBoth;
  const bool madeVul = negative ? ewVul : nsVul;
  const bool downVul = negative ? nsVul : ewVul;
  if (code >= 0) {
    const ScoreList made = madeVul ? ScoreList::MadeVulnerable : ScoreList::MadeNotVulnerable;
    const ScoreList down = downVul ? ScoreList::UndertricksVulnerable : ScoreList::UndertricksNotVulnerable;
    if (inScoreList(made, v) || inScoreList(down, v)) return ScoreVerdict::Accepted;
  }
  for (ScoreList list : {ScoreList::UndertricksNotVulnerable, ScoreList::UndertricksVulnerable,
                         ScoreList::MadeVulnerable, ScoreList::MadeNotVulnerable})
    if (inScoreList(list, v)) return ScoreVerdict::WrongVulnerability;
  return ScoreVerdict::Impossible;
}

EnteredScore enterNsScore(int board, const QString& typed) {
  EnteredScore entered;
  entered.texts = normaliseNsScore(typed);
  entered.verdict = checkScore(board, entered.texts.ns);
  return entered;
}

int verdictTextNumber(ScoreVerdict verdict) {
  switch (verdict) {
    case ScoreVerdict::Accepted: return 0;
    case ScoreVerdict::WrongVulnerability: return 91;
    case ScoreVerdict::Impossible: return 92;
  }
  return 0;
}

QString verdictMessage(const QString& textTemplate, const QString& score) {
  QString text = textTemplate;
  return text.replace(QLatin1Char('~'), score);
}

}  // namespace mervalo
