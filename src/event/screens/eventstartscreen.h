#pragma once

#include <QStringList>

#include "app/screens/filepanel.h"
#include "app/screens/screen.h"

namespace mervalo {

// "Voorbereiding": starts an event from a group file, or reopens one that was started before.
class EventStartScreen : public Screen {
  Q_OBJECT
 public:
  EventStartScreen(AppContext& ctx, Screen* opener);

  void formActivate() override;

  // The entry mode chosen (0 per board, 1 per round).
  int entryMode() const { return entryMode_; }

  FilePanel groupFiles;  // fraGroepBestanden: the groups
  FilePanel eventFiles;  // fraInvoer: the events
  QGroupBox* fraInfo = nullptr;
  QLabel* lblGroepInfo = nullptr;
  QLabel* lblGroep = nullptr;
  QLabel* lblParenInfo = nullptr;
  QLabel* lblParen = nullptr;
  QLabel* lblStilzitInfo = nullptr;
  QLabel* lblStilzit = nullptr;
  QLabel* lblRonden = nullptr;
  QLineEdit* txtRonden = nullptr;
  QScrollBar* vscrRonden = nullptr;
  QLabel* lblSpellen = nullptr;
  QLineEdit* txtSpellen = nullptr;
  QScrollBar* vscrSpellen = nullptr;
  QGroupBox* fraSchema = nullptr;
  QListWidget* lstSchema = nullptr;
  QGroupBox* fraScoreInvoer = nullptr;
  QRadioButton* optInvoer[2] = {nullptr, nullptr};
  QPushButton* cmdStart = nullptr;
  QPushButton* cmdTerug = nullptr;

 protected:

 private:
  void formLoad();
  void fillGroupFiles();
  void fillEventFiles();
  void rebuildSchemaList();
  void setStartControls(bool enabled);
  void showPick(QScrollBar* bar, QLineEdit* box, const QStringList& choices, int index);
  void stepPick(QScrollBar* bar, QLineEdit* box, const QStringList& choices, int value);
  void setRoundsIndex(int index);
  void setBoardsIndex(int index);
  void clearInfo();

  void lstGroepBestand_Click();
  void lstInvoer_Click();
  void vscrRonden_Change(int value);
  void vscrSpellen_Change(int value);
  void lstSchema_Click();
  void optInvoer_Click(int index);
  void cmdStart_Click();
  bool removeChosen(const FilePanel& panel, DataFolder folder, int question);
  void cmdWisGroepen_Click();
  void cmdWisInvoer_Click();
  void chkSorteerGroepen_Click();
  void chkSorteerInvoer_Click();
  void cmdTerug_Click();

  // The working lists behind the two scroll bars: "12" … "3" and "9" … "1".
  QStringList lstRondeNummers;
  QStringList lstSpelNummers;
  int entryMode_ = 0;
  bool settingScrollBars_ = false;  // the screen moves the scroll bars itself
  bool settingLists_ = false;       // the screen selects or refills list entries itself
};

}  // namespace mervalo
