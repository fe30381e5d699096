#pragma once

#include <QStringList>
#include <QVector>

#include "app/grid.h"
#include "event/movement.h"
#include "scoring/entryrows.h"
#include "scoring/screens/entryscreen.h"

class QLabel;
class QTimer;

namespace mervalo {

class ButtonBar;

// Entry per board: the organiser types the scores of an event board by board from the
// travelling score sheets, or the tables send them from their phones. Completed boards are
// stored in the event model (one score record per board) and scored into the results grid; the
// event file is written as soon as the screen is idle after every completed or cleared board,
// before the result and on closing.
class BoardEntryScreen : public EntryScreen {
  Q_OBJECT
 public:
  BoardEntryScreen(AppContext& ctx, Screen* opener);
  ~BoardEntryScreen() override;

  void formActivate() override;

  // The computed result while it is current, otherwise the working grid.
  const Grid& resultsGrid() const override;

  void cmdSpel_Click(int board);
  void cmdSpelKlaar_Click() override;
  void cmdWisSpel_Click() override;
  void cmdUitslag_Click() override;
  void cmdVulAllesIn_Click();
  void lblNZ_Click(int row);
  void msfgResultaat_Click(int row, int col);

  int currentBoard() const { return currentBoard_; }
  bool boardCompleted(int board) const;
  const Grid& workingGrid() const { return grid_; }
  int top() const { return top_; }
  int tableRows() const;

 protected:
  bool formQueryUnload() override;
  void tableScoreArrived(int board, int table) override;
  void tablesStarted() override;

 private:
  bool formLoad();
  void buildControls();
  void fitBelowBoards();
  void reloadStoredBoards();

  void updateKlaar();
  void nsLostFocus();
  QVector<EntryRow> currentRows() const;
  QVector<EntryRow> storedRows(int board) const;
  void showRows(const QVector<EntryRow>& rows);
  // Shows the tables' scores of a board not yet whole in its empty rows (the one table's row
  // only, when given).
  void showTableScores(int board, int onlyTable = 0);
  // The board as the model now holds it: completed or not, in the grid and on its button.
  void showBoardState(int board);
  void paintBoardButton(int board);
  void firstOpenBoard();
  void blink();
  void showProgress(const QString& text);

  QLabel* lblSpelNummer = nullptr;
  ButtonBar* boards_ = nullptr;
  QLabel* lblControleer = nullptr;
  QTimer* timKnipper = nullptr;

  // What each table row shows: the pairing as the movement seats it and the pairs as entered.
  QVector<EntryRow> shown_;
  QVector<bool> completed_;

  QStringList lstParenSpellen_;  // the movement's table cells for this event's boards per round
  Grid grid_;
  bool resultCurrent_ = false;
  int top_ = 0;
  int currentBoard_ = 0;
  bool activatedOnce_ = false;
  bool blinkWhite_ = false;
};

}  // namespace mervalo
