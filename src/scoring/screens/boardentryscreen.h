#pragma once

#include <QStringList>
#include <QVector>

#include "app/grid.h"
#include "app/screens/screen.h"
#include "event/eventfile.h"
#include "event/movement.h"
#include "publish/screens/resultssource.h"
#include "scoring/boardscore.h"
#include "scoring/entryrows.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QTimer;

namespace mervalo {

// Entry per board: the organiser types the scores of an event board by board from the
// travelling score sheets. Completed boards are kept in the working copy of the event file
// (one score record per board) and scored into the results grid; the file is written back
// whole before the result and on closing.
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
  // The working copy of the event file, one entry per line.
  const QStringList& savedLines() const { return lstOpslaan_; }
  const Grid& workingGrid() const { return grid_; }
  int top() const { return top_; }
  int tableRows() const { return static_cast<int>(rows_.size()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool formQueryUnload() override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Row {
    QLabel* lblNZ = nullptr;
    QLabel* lblOW = nullptr;
    QLineEdit* txtScoreNZ = nullptr;
    QLineEdit* txtScoreOW = nullptr;
    QLabel* lblMPNZ = nullptr;
    QLabel* lblMPOW = nullptr;
    int schemaNs = 0;  // the pairing as the movement seats it; 0 when the row has none
    int schemaEw = 0;
    int ns = 0;        // the pairs as entered (swapped when EW played NS)
    int ew = 0;
    bool enabled = false;
  };

  bool formLoad();
  void buildControls();
  void buildRows(int count);
  void buildBoardButtons();
  void fitBelowBoards();
  void setInformation();
  void reloadStoredBoards();

  // Score boxes.
  bool scoreKey(int row, bool ns, QKeyEvent* key);
  void enterInNs(int row);
  void moveVertically(int row, bool ns, int step);
  void clearRow(int row);
  void nsLostFocus();
  bool allRowsDone() const;
  void updateKlaar();

  // Boards and the event file.
  int recordLineOf(int board) const;                 // index in lstOpslaan_, -1 when none
  std::optional<ScoreRecord> storedRecord(int board) const;
  void storeRecord(const ScoreRecord& record);
  void removeRecord(int board);
  QVector<BoardTable> rowTables() const;
  void showRows(const QVector<EntryRow>& rows);
  void paintBoardButton(int board);
  void firstOpenBoard();
  void showResults();
  bool saveEventFile();
  void keepEventFile();  // saves once the screen is idle
  void blink();

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
  QScrollArea* rowArea_ = nullptr;
  QWidget* rowPanel_ = nullptr;
  QGridLayout* rowLayout_ = nullptr;
  QWidget* boardPanel_ = nullptr;
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
  QPushButton* cmdSetfocus = nullptr;

  QVector<Row> rows_;
  QVector<QPushButton*> cmdSpel;  // index b - 1 holds board b
  QVector<bool> completed_;

  EventHeader header_;
  QString eventPath_;
  QStringList lstOpslaan_;
  // For every line of lstOpslaan_: the board of the readable record it holds, minus the board
  // a damaged record line was meant for, or 0. Kept in step with the lines, so that finding a
  // board's record never parses the file again.
  QVector<int> lineBoard_;
  QStringList lstSchema_;        // the movement's round lines
  QStringList lstParenSpellen_;  // its table cells for this event's boards per round
  QStringList lstVoorMail_;
  Grid grid_;
  Grid result_;
  TextMeasure measure_;  // the menu font, for the grid's column widths
  bool resultCurrent_ = false;
  int top_ = 0;
  int currentBoard_ = 0;
  bool loaded_ = false;
  bool activatedOnce_ = false;
  bool filling_ = false;     // texts set by the screen itself, not typed
  bool blinkWhite_ = false;
  bool saveFailedOnce_ = false;
  bool savePending_ = false;
  bool keepWarned_ = false;
  Screen* menu_ = nullptr;
};

}  // namespace mervalo
