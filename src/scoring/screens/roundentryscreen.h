#pragma once

#include <QStringList>
#include <QVector>

#include "app/grid.h"
#include "app/screens/screen.h"
#include "event/eventmodel.h"
#include "app/screens/resultssource.h"
#include "scoring/screens/entryevent.h"
#include "scoring/roundslips.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTableWidget;
class QVBoxLayout;

namespace mervalo {

class ButtonBar;
class ScoreRowsPanel;

// Entry per round: the organiser picks a round, then one slip of it (a table: its NS and EW pair
// and the boards they played), types the scores of the slip's boards and stores it. The slips
// live in the event file's board lines, one line per board; the result is matchpointed from
// them exactly as the entry per board does.
class RoundEntryScreen : public Screen, public ResultsSource {
  Q_OBJECT
 public:
  RoundEntryScreen(AppContext& ctx, Screen* opener);
  ~RoundEntryScreen() override;

  void formActivate() override;

  const Grid& resultsGrid() const override { return result_; }
  QStringList playersForMail() const override { return lstVoorMail_; }

  void cmdRonde_Click(int round);
  void optRonde_Click(int index);
  void optRonde_RightClick(int index);
  void cmdSpelKlaar_Click();
  void cmdWisSpel_Click();
  void cmdUitslag_Click();
  void cmdVulSpellen_Click();
  void cmdTerug_Click();

  int currentRound() const { return round_; }
  int currentSlip() const { return slip_; }  // -1 when the round shows no slip
  const RoundSlips& slips() const { return slips_; }
  // The event file as it will be written, one entry per line.
  QStringList savedLines() const;
  QStringList missingScores() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool formQueryUnload() override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool formLoad();
  void buildControls();
  void showOptions();
  void paintOption(int index);
  void updateSlipComplete();
  // The chosen slip of the chosen round; none when the round has no slip to show.
  const Slip* chosenSlip() const;
  void showNoSlip();
  void showOverview();
  void rebuildMissing();
  void nsFocused(int row);
  void moveOn();

  QFrame* fraBack = nullptr;
  QLabel* lblInformatie = nullptr;
  ButtonBar* rounds_ = nullptr;
  QScrollArea* optionArea_ = nullptr;
  QVBoxLayout* optionLayout_ = nullptr;
  QVector<QRadioButton*> optRonde;
  QLabel* lblRonde = nullptr;
  QLabel* lblKwetsbaar = nullptr;
  QLabel* lblPaar[2] = {};
  QLabel* lblScoreNZKop = nullptr;
  QLabel* lblScoreOWKop = nullptr;
  ScoreRowsPanel* rows_ = nullptr;
  QPushButton* cmdSpelKlaar = nullptr;
  QLabel* lblLetterKlaar = nullptr;
  QPushButton* cmdWisSpel = nullptr;
  QPushButton* cmdDitMoetNog = nullptr;
  QListWidget* lstNietGevuld = nullptr;
  QLabel* lblKlaar = nullptr;
  QPushButton* cmdUitslag = nullptr;
  QPushButton* cmdVulSpellen = nullptr;
  QPushButton* cmdTerug = nullptr;
  QVector<QLabel*> lblInfo;
  QTableWidget* msfgScore = nullptr;
  QTableWidget* msfgResultaat = nullptr;

  EventModel event_;
  RoundSlips slips_;
  QString eventPath_;
  QStringList pairNames_;  // the group file's names, pair 1 first
  QStringList lstVoorMail_;
  Grid overview_;
  Grid result_;
  TextMeasure measure_;
  int round_ = 0;
  int slip_ = -1;
  bool loaded_ = false;
  EventKeeper keeper_{*this, [this] { slips_.writeTo(event_); }};
  bool busy_ = false;  // the screen fills its own boxes, or the file was written on closing
  Screen* menu_ = nullptr;
};

}  // namespace mervalo
