#pragma once

#include <QStringList>
#include <QVector>

#include "app/grid.h"
#include "app/screens/screen.h"
#include "event/eventmodel.h"
#include "event/movement.h"
#include "app/screens/resultssource.h"
#include "scoring/screens/entryevent.h"
#include "scoring/entryrows.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace mervalo {

class ButtonBar;
class ScoreRowsPanel;

// Entry per board: the organiser types the scores of an event board by board from the
// travelling score sheets. Completed boards are stored in the event model (one score record per
// board) and scored into the results grid; the event file is written as soon as the screen is
// idle after every completed or cleared board, before the result and on closing.
class BoardEntryScreen : public Screen, public ResultsSource {
  Q_OBJECT
 public:
  BoardEntryScreen(AppContext& ctx, Screen* opener);
  ~BoardEntryScreen() override;

  void formActivate() override;

  // ResultsSource: the computed result while it is current, otherwise the working grid.
  const Grid& resultsGrid() const override;
  QStringList playersForMail() const override { return lstVoorMail_; }

  void cmdSpel_Click(int board);
  void cmdSpelKlaar_Click();
  void cmdWisSpel_Click();
  void cmdUitslag_Click();
  void cmdVulAllesIn_Click();
  void cmdTerug_Click();
  void lblNZ_Click(int row);
  void msfgResultaat_Click(int row, int col);

  int currentBoard() const { return currentBoard_; }
  bool boardCompleted(int board) const;
  // The event file as it will be written, one entry per line.
  QStringList savedLines() const { return event_.lines(); }
  const Grid& workingGrid() const { return grid_; }
  int top() const { return top_; }
  int tableRows() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool formQueryUnload() override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool formLoad();
  void buildControls();
  void fitBelowBoards();
  void reloadStoredBoards();

  void updateKlaar();
  void nsLostFocus();
  QVector<EntryRow> currentRows() const;
  void showRows(const QVector<EntryRow>& rows);
  void paintBoardButton(int board);
  void firstOpenBoard();
  void showResults();
  void blink();
  void showProgress(const QString& text);

  QLabel* lblInformatie = nullptr;
  QLabel* lblSpelNummer = nullptr;
  QLabel* lblKwetsbaarKop = nullptr;
  QLabel* lblKwetsbaar = nullptr;
  QLabel* lblNZKop = nullptr;
  QLabel* lblOWKop = nullptr;
  QLabel* lblScoreNZKop = nullptr;
  QLabel* lblScoreOWKop = nullptr;
  QLabel* lblMPNZKop = nullptr;
  QLabel* lblMPOWKop = nullptr;
  ScoreRowsPanel* rows_ = nullptr;
  ButtonBar* boards_ = nullptr;
  QPushButton* cmdSpelKlaar = nullptr;
  QPushButton* cmdWisSpel = nullptr;
  QPushButton* cmdUitslag = nullptr;
  QPushButton* cmdVulAllesIn = nullptr;
  QPushButton* cmdTerug = nullptr;
  QLabel* lblKlaar = nullptr;
  QLabel* lblControleer = nullptr;
  QVector<QLabel*> lblInfo;
  QLabel* lblWisselInfo = nullptr;
  QTableWidget* msfgResultaat = nullptr;
  QTimer* timKnipper = nullptr;

  // What each table row shows: the pairing as the movement seats it and the pairs as entered.
  QVector<EntryRow> shown_;
  QVector<bool> completed_;

  EventModel event_;
  QString eventPath_;
  QStringList lstParenSpellen_;  // the movement's table cells for this event's boards per round
  QStringList lstVoorMail_;
  QStringList pairNames_;  // the group file's names, pair 1 first
  Grid grid_;
  Grid result_;
  TextMeasure measure_;  // the menu font, for the grid's column widths
  bool resultCurrent_ = false;
  int top_ = 0;
  int currentBoard_ = 0;
  bool loaded_ = false;
  EventKeeper keeper_{*this};
  bool activatedOnce_ = false;
  bool filling_ = false;     // texts set by the screen itself, not typed
  bool blinkWhite_ = false;
  Screen* menu_ = nullptr;
};

}  // namespace mervalo
