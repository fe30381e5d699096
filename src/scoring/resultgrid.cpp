#include "resultgrid.h"

#include <algorithm>

#include "app/numeric.h"
#include "app/texts.h"
#include "numbers.h"

namespace mervalo {

ResultsHeadings ResultsHeadings::of(int language) {
  const TextTable& texts = TextTable::builtin();
  return {texts.lookup(16, language).remove(QLatin1Char('.')), texts.lookup(32, language),
          texts.lookup(80, language), texts.lookup(81, language)};
}

Grid boardsGrid(const EventResult& result, const ResultsHeadings& headings) {
  const int pairs = static_cast<int>(result.pairs.size());
  const int boards = static_cast<int>(result.boards.size());
  Grid grid(pairs + 2, boards + 4);
  grid.setFixedRows(1);
  grid.setFixedCols(2);
  const auto put = [&](int r, int c, const QString& text, int align) {
    grid.setText(r, c, text);
    grid.setAlignment(r, c, align);
  };
  put(0, 0, headings.number, kAlignCenterCenter);
  put(0, 1, headings.pairs, kAlignLeftCenter);
  for (int b = 1; b <= boards; ++b) put(0, b + 1, QString::number(b), kAlignCenterCenter);
  put(0, pointsColumn(boards), headings.points, kAlignCenterCenter);
  put(0, percentageColumn(boards), headings.percentage, kAlignCenterCenter);
  for (int p = 1; p <= pairs; ++p) {
    put(p, 0, QString::number(p), kAlignCenterCenter);
    for (int c = 2; c < grid.cols(); ++c) grid.setAlignment(p, c, kAlignCenterCenter);
    if (result.pair(p).sitOut) {
      for (int c = 1; c < grid.cols(); ++c) grid.setBackColour(p, c, kSitOutRed);
      continue;
    }
    put(p, 1, result.pair(p).names, kAlignLeftCenter);
    for (int b = 1; b <= boards; ++b) grid.setText(p, b + 1, result.seat(p, b).pointsText());
  }
  return grid;
}

void showBoard(Grid& grid, const BoardResult& board) {
  const int col = board.board + 1;
  if (board.board < 1 || col >= grid.cols() - 2) return;
  for (int r = 1; r < grid.rows() - 1; ++r) grid.setText(r, col, QString());
  const auto put = [&](int pair, double points, PointsForm form) {
    if (pair < 1 || pair >= grid.rows() - 1) return;
    grid.setText(pair, col, pointsText(points, form));
    grid.setAlignment(pair, col, kAlignCenterCenter);
  };
  for (const ScoredTable& t : board.tables) {
    put(t.ns, t.nsPoints, t.form);
    put(t.ew, t.ewPoints, t.form);
  }
}

Grid resultsGrid(const EventResult& result, const ResultsHeadings& headings, const TextMeasure& measure) {
  Grid pairOrder = boardsGrid(result, headings);
  const int boards = static_cast<int>(result.boards.size());
  const int mpCol = pointsColumn(boards);
  const int pctCol = percentageColumn(boards);
  for (const PairResult& p : result.pairs) {
    if (p.sitOut) continue;
    pairOrder.setText(p.pair, mpCol, QString::number(p.total));
    pairOrder.setAlignment(p.pair, mpCol, kAlignCenterCenter);
    pairOrder.setText(p.pair, pctCol, percentageText(p.percentage));
    pairOrder.setAlignment(p.pair, pctCol, kAlignCenterCenter);
    pairOrder.setText(p.pair, 1, p.names + QStringLiteral(" [") + QString::number(p.boardsPlayed) + QLatin1Char(']'));
  }
  // The widths are taken while the rows still stand in pair order with their numbers, so the
  // rank column is as wide as the pair numbers need.
  if (measure) fitColumns(pairOrder, measure, true);

  // Best first, the sit-out pair left out, and a last row for the board totals.
  Grid grid = pairOrder;
  grid.resize(static_cast<int>(result.ranking.size()) + 2, pairOrder.cols());
  for (int c = 0; c < grid.cols(); ++c) grid.cell(0, c) = pairOrder.cell(0, c);
  for (int c = 0; c < grid.cols(); ++c) grid.setColumnWidth(c, pairOrder.columnWidth(c));
  for (int i = 0; i < result.ranking.size(); ++i) {
    const int p = result.ranking[i];
    for (int c = 0; c < grid.cols(); ++c) grid.cell(i + 1, c) = std::move(pairOrder.cell(p, c));
    const PairResult& pr = result.pair(p);
    grid.setText(i + 1, 0, pr.tied ? QStringLiteral("(%1)").arg(pr.rank) : QString::number(pr.rank));
    grid.setAlignment(i + 1, 0, kAlignCenterCenter);
  }
  const int bottom = grid.rows() - 1;
  for (int c = 0; c < grid.cols(); ++c) grid.cell(bottom, c) = GridCell();
  for (int b = 1; b <= boards; ++b) {
    int total = 0;
    for (int i = 0; i < result.ranking.size(); ++i) {
      const PairSeat s = result.seat(result.ranking[i], b);
      if (!s.table) {
        grid.setBackColour(i + 1, b + 1, kEmptyOrange);
      } else if (s.table->form == PointsForm::NotPlayed) {
        grid.setBackColour(i + 1, b + 1, kNotPlayedRed);
      } else {
        grid.setBackColour(i + 1, b + 1, kPlayedWhite);
        total = roundHalfEven(total + s.points());
      }
    }
    grid.setText(bottom, b + 1, QString::number(total));
    grid.setAlignment(bottom, b + 1, kAlignCenterCenter);
  }
  grid.setVisible(true);
  return grid;
}

Grid standingsGrid(const EventResult& result, const ResultsHeadings& headings) {
  EventResult standings;
  standings.header = result.header;
  standings.top = result.top;
  standings.pairs = result.pairs;
  standings.ranking = result.ranking;
  return resultsGrid(standings, headings);
}

}  // namespace mervalo
