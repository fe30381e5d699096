#pragma once

#include <QStringList>
#include <QVector>
#include <optional>
#include <utility>

#include "app/grid.h"
#include "app/screens/screen.h"
#include "event/eventmodel.h"
#include "players/groupfile.h"
#include "scoring/resultssource.h"
#include "scoring/screens/entryevent.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace mervalo {

class ScoreRowsPanel;
class TablePanel;

// What the two entry screens (per board and per round) share: the event they work on and its
// keeper, the controls both have (information line, Klaar, Wis, Uitslag, Terug, the typing
// hints, the score rows, the vulnerability, the results grid, the hidden test fill, the scores
// at the tables), the Klaar key, the result and the way back. The scores the phones send
// arrive through the table panel; each screen shows them as its own typing would have.
class EntryScreen : public Screen, public ResultsSource {
  Q_OBJECT
 public:
  ~EntryScreen() override;

  const EventResult& eventResult() const override { return eventResult_; }
  QStringList playersForMail() const override { return lstVoorMail_; }
  // What the results grid shows: the working grid while scores are entered, the result once
  // it has been computed.
  virtual const Grid& resultsGrid() const { return result_; }
  // The event file as it will be written, one entry per line.
  QStringList savedLines() const { return event_.lines(); }
  TablePanel* tablePanel() const { return tables_; }

  virtual void cmdSpelKlaar_Click() = 0;
  virtual void cmdWisSpel_Click() = 0;
  virtual void cmdUitslag_Click() = 0;
  void cmdTerug_Click() { close(); }

 protected:
  EntryScreen(AppContext& ctx, Screen* opener, const QString& formName, int width, int height);

  using Handler = void (EntryScreen::*)();
  QPushButton* addButton(const char* name, const QRect& at, Handler handler = nullptr);
  QLabel* addLabel(const char* name, const QRect& at);
  QTableWidget* addGrid(const char* name, const QRect& at);
  // The information line, the shared buttons and labels (each screen places them), the results
  // grid from `gridTop` down, the table panel and the hidden test fill (Ctrl+Shift+T shows it).
  void buildSharedControls(const QRect& information, const QRect& tablePanel, int gridTop, const char* testFillName,
                           Handler testFill);
  // The typing hints, one under the other from `at`.
  void placeHints(QPoint at, int width);
  // The vulnerability of a board in its label.
  void showVulnerabilityOf(int board);

  // The screen's own captions of the shared controls: text numbers of Wis and Uitslag (the
  // results grid is named after the latter), the Klaar label and the test fill.
  struct Captions {
    int wisSpel;
    int uitslag;
    QString klaar;
    QString testFill;
  };
  // Captions the shared controls, opens the event in this mode and fills what both screens show
  // of it; false (told) when it cannot be entered this way.
  bool loadEvent(int entryMode, const Captions& captions);
  // After loading: the keeper writes from now on; a screen that could not load leaves at once.
  void finishLoading(bool loaded);
  // The event file's lines that could not be used, "line: why".
  QStringList unusableLines() const;

  // The test fill: a random NS score and its mirror in every enabled row.
  static void fillAtRandom(ScoreRowsPanel& rows);
  // The result of the event as it stands now, shown and handed to the results screen.
  void showResult();

  // The pairs (NS, EW as the movement seats them) of a table on a board; none when the tables
  // are not running or the table does not play the board.
  std::optional<std::pair<int, int>> tablePairs(int table, int board) const;
  // A score a phone sent is in the model (per board, with the board when it made it whole).
  virtual void tableScoreArrived(int board, int table) = 0;
  // The table server has started; what it put back into the model is to be shown.
  virtual void tablesStarted() = 0;

  bool eventFilter(QObject* watched, QEvent* event) override;
  bool formQueryUnload() override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  QLabel* lblInformatie = nullptr;
  QPushButton* cmdSpelKlaar = nullptr;
  QPushButton* cmdWisSpel = nullptr;
  QPushButton* cmdUitslag = nullptr;
  QPushButton* cmdTerug = nullptr;
  QPushButton* testFill_ = nullptr;
  QLabel* lblKlaar = nullptr;
  QVector<QLabel*> lblInfo;
  QTableWidget* msfgResultaat = nullptr;
  QLabel* lblKwetsbaar = nullptr;
  ScoreRowsPanel* rows_ = nullptr;
  TablePanel* tables_ = nullptr;

  EventModel event_;
  QString eventPath_;
  QStringList schema_;     // the movement's lines
  Group group_;            // the event's group as read when it opened
  QStringList pairNames_;  // the group file's names, pair 1 first
  QStringList lstVoorMail_;
  EventResult eventResult_;  // the result as last computed, for the results screen
  Grid result_;
  TextMeasure measure_;  // the menu font, for the grids' column widths
  bool loaded_ = false;
  bool filling_ = false;  // the screen fills its own boxes: not typed
  EventKeeper keeper_{*this};

 private:
  Screen* menu_ = nullptr;
};

}  // namespace mervalo
