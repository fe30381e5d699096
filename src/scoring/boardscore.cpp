#include "boardscore.h"

#include <algorithm>
#include <memory>

#include "app/numeric.h"
#include "numbers.h"

namespace mervalo {

int eventTop(int pairs, int sitOut) {
  int top = pairs - 2;
  if (top % 2 != 0) top -= 1;
  else if (sitOut > 0) top -= 2;
  return std::max(top, 0);
}

bool tableCounts(const BoardTable& table, int sitOut) {
  if (!table.enabled) return false;
  return sitOut <= 0 || (table.ns != sitOut && table.ew != sitOut);
}

ScoreKind scoreKind(QStringView nsText) {
  bool percent = false;
  for (QChar c : nsText) {
    if (c == QLatin1Char('n') || c == QLatin1Char('N')) return ScoreKind::NotPlayed;
    percent = percent || c == QLatin1Char('%');
  }
  return percent ? ScoreKind::Adjusted : ScoreKind::Played;
}

BoardTable BoardTable::fromTexts(int ns, int ew, QStringView nsText, QStringView ewText, bool enabled) {
  BoardTable t;
  t.ns = ns;
  t.ew = ew;
  t.kind = scoreKind(nsText);
  t.nsScore = numericValue(nsText);
  t.ewScore = numericValue(ewText);
  t.enabled = enabled;
  return t;
}

namespace {

struct Ranked {
  double score;
  int table;
};

// Ranks best first and gives every place its points; equal scores share the mean of the points
// their places would give (a whole number, as the places differ by two).
template <class Write>
void rank(Ranked* list, int n, int boardTop, Write write) {
  std::sort(list, list + n, [](const Ranked& a, const Ranked& b) { return a.score > b.score; });
  int i = 0;
  while (i < n) {
    int j = i;
    while (j + 1 < n && list[j + 1].score == list[i].score) ++j;
    const double shared = boardTop - static_cast<double>(i + j);
    for (int k = i; k <= j; ++k) write(list[k].table, shared);
    i = j + 1;
  }
}

// The Neuberg correction of one side's points to a board of regular + irregular tables.
double neuberg(double points, int regular, int irregular, int top) {
  double value = (points + 1) * (regular + irregular) / regular - 1;
  if (value > top) {
    while (value >= top) value -= 1;
  }
  return value;
}

}  // namespace

void scoreBoard(BoardTable* tables, int count, int top, int sitOut) {
  constexpr int kInPlace = 64;
  Ranked local[kInPlace];
  std::unique_ptr<Ranked[]> large;
  Ranked* list = local;
  if (count > kInPlace) {
    large = std::make_unique<Ranked[]>(static_cast<size_t>(count));
    list = large.get();
  }

  int regular = 0;
  int irregular = 0;
  bool mirrored = true;  // every EW score the negative of its NS score, as the boxes fill them
  for (int i = 0; i < count; ++i) {
    BoardTable& t = tables[i];
    t.nsPoints = t.ewPoints = 0;
    t.form = PointsForm::None;
    if (!tableCounts(t, sitOut)) continue;
    switch (t.kind) {
      case ScoreKind::NotPlayed:
        ++irregular;
        t.form = PointsForm::NotPlayed;
        break;
      case ScoreKind::Adjusted:
        ++irregular;
        t.form = PointsForm::Plain;
        t.nsPoints = t.nsScore / 100 * top;
        t.ewPoints = t.ewScore / 100 * top;
        break;
      case ScoreKind::Played:
        list[regular++] = Ranked{t.nsScore, i};
        mirrored = mirrored && t.ewScore == -t.nsScore;
        break;
    }
  }
  if (regular == 0) return;

  const int boardTop = top - 2 * irregular;
  rank(list, regular, boardTop, [tables](int i, double p) { tables[i].nsPoints = p; });
  if (mirrored) {
    // EW's order is NS's reversed: place k from the top for NS is place n - 1 - k for EW.
    const double sum = 2.0 * boardTop - 2.0 * (regular - 1);
    for (int k = 0; k < regular; ++k) tables[list[k].table].ewPoints = sum - tables[list[k].table].nsPoints;
  } else {
    for (int k = 0; k < regular; ++k) list[k].score = tables[list[k].table].ewScore;
    rank(list, regular, boardTop, [tables](int i, double p) { tables[i].ewPoints = p; });
  }
  const PointsForm form = irregular > 0 ? PointsForm::Corrected : PointsForm::Plain;
  for (int k = 0; k < regular; ++k) {
    BoardTable& t = tables[list[k].table];
    t.form = form;
    if (irregular > 0) {
      t.nsPoints = neuberg(t.nsPoints, regular, irregular, top);
      t.ewPoints = neuberg(t.ewPoints, regular, irregular, top);
    }
  }
}

QString pointsText(double points, PointsForm form) {
  switch (form) {
    case PointsForm::None: return QString();
    case PointsForm::NotPlayed: return QStringLiteral("n");
    case PointsForm::Plain: return shortestDecimal(points);
    case PointsForm::Corrected: return twoDecimalPoints(points);
  }
  return QString();
}

QVector<BoardTable> tablesOfRecord(const ScoreRecord& record) {
  QVector<BoardTable> tables;
  tables.reserve(record.tables.size());
  for (const TableResult& r : record.tables) tables.append(BoardTable::fromTexts(r.ns, r.ew, r.nsScore, r.ewScore));
  return tables;
}

}  // namespace mervalo
