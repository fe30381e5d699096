#pragma once

#include <QStringList>
#include <QVector>

#include "app/grid.h"
#include "scoring/roundslips.h"
#include "scoring/screens/entryscreen.h"

class QLabel;
class QListWidget;
class QRadioButton;
class QScrollArea;
class QVBoxLayout;

namespace mervalo {

class ButtonBar;

// Entry per round: the organiser picks a round, then one slip of it (a table: its NS and EW pair
// and the boards they played), types the scores of the slip's boards and stores it. The slips
// live in the event file's board lines, one line per board (the model always holds them as the
// screen shows them, so the tables' scores go in beside the typed ones); the result is
// matchpointed from them exactly as the entry per board does.
class RoundEntryScreen : public EntryScreen {
  Q_OBJECT
 public:
  RoundEntryScreen(AppContext& ctx, Screen* opener);
  ~RoundEntryScreen() override;

  void formActivate() override;

  void cmdRonde_Click(int round);
  void optRonde_Click(int index);
  void optRonde_RightClick(int index);
  void cmdSpelKlaar_Click() override;
  void cmdWisSpel_Click() override;
  void cmdUitslag_Click() override;
  void cmdVulSpellen_Click();

  int currentRound() const { return round_; }
  int currentSlip() const { return slip_; }  // -1 when the round shows no slip
  const RoundSlips& slips() const { return slips_; }
  QStringList missingScores() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void tableScoreArrived(int board, int table) override;
  void tablesStarted() override;

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
  // The slips changed: into the model, and on disk once the screen is idle.
  void slipsChanged();

  ButtonBar* rounds_ = nullptr;
  QScrollArea* optionArea_ = nullptr;
  QVBoxLayout* optionLayout_ = nullptr;
  QVector<QRadioButton*> optRonde;
  QLabel* lblRonde = nullptr;
  QLabel* lblPaar[2] = {};
  QLabel* lblLetterKlaar = nullptr;
  QPushButton* cmdDitMoetNog = nullptr;
  QListWidget* lstNietGevuld = nullptr;
  QTableWidget* msfgScore = nullptr;

  RoundSlips slips_;
  int round_ = 0;
  int slip_ = -1;
};

}  // namespace mervalo
