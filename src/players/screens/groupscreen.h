#pragma once

#include <QStringList>

#include <QApplication>

#include "app/grid.h"
#include "app/screens/fastmeasure.h"
#include "app/screens/filepanel.h"
#include "app/screens/screen.h"
#include "players/groupcomposition.h"

namespace mervalo {

class ClickLabel;

// Composing a group: pairs picked two by two from a name list, at most one sit-out, a date
// from the calendar and a letter; saved as a group file with its ".mail" companion.
class GroupScreen : public Screen {
  Q_OBJECT
 public:
  GroupScreen(AppContext& ctx, Screen* opener);

  void formActivate() override;

  const Grid& namesGrid() const { return names_; }
  const Grid& groupGrid() const { return groups_; }
  const QStringList& groupLines() const { return group_.groupLines(); }
  const QStringList& mailLines() const { return group_.mailLines(); }

  FilePanel nameFiles;  // fraNamenBestanden: the name lists
  FilePanel groupFiles;  // fraGroepBestanden: the groups
  QTableWidget* msfgNamen = nullptr;
  QLabel* lblNaamNummer[2] = {};
  ClickLabel* lblNaam[2] = {};
  QPushButton* cmdToevoegen = nullptr;
  QPushButton* cmdStilzitter = nullptr;
  QTableWidget* msfgGroepen = nullptr;
  QLabel* lblAanTalParen = nullptr;
  QLabel* lblKanNiet = nullptr;
  QPushButton* cmdMaakLeeg = nullptr;
  QPushButton* cmdAfdrukken = nullptr;
  QLabel* lblNaamBestand = nullptr;
  QLineEdit* txtNaamBestand = nullptr;
  QPushButton* cmdKalender = nullptr;
  QLabel* lblGroepLetter = nullptr;
  QLineEdit* txtGroepLetter = nullptr;
  QScrollBar* vscrGroepLetter = nullptr;
  QPushButton* cmdOpslaan = nullptr;
  QPushButton* cmdTerug = nullptr;

 protected:

 private:
  void formLoad();
  void refreshNameLists();
  void refreshGroupFiles();
  void renumberNames();
  void showNames();
  void showGroups();
  void resetGroup();
  void showPicks();
  void clearGroupName();
  void setLetterIndex(int index);
  QString letter() const;
  void applyCountRule();
  void afterEntryRemoved();
  void reselectNameList();
  QString selectedGroup() const;
  QString resultsPath(const QString& group) const;
  void showWarning(bool on);

  void lstNamenBestand_Click();
  void lstGroepBestand_Click();
  void chkSorteerNamen_Click();
  void chkSorteerGroepen_Click();
  void msfgNamen_Click(int row);
  void lblNaam_Click(int index);
  void cmdToevoegen_Click();
  void cmdStilzitter_Click();
  void msfgGroepen_Click(int row);
  void cmdMaakLeeg_Click();
  void vscrGroepLetter_Change(int value);
  void cmdKalender_Click();
  void cmdOpslaan_Click();
  void cmdWisGroepen_Click();
  void cmdWisNamen_Click();
  void cmdAfdrukken_Click();
  void txtNaamBestand_Change();

  TextMeasure measure_ = characterMeasure(QApplication::font());
  Grid names_;
  Grid groups_;
  GroupComposition group_;
  QString currentList_;
  bool loading_ = false;
  bool kanNiet_ = false;
  bool settingLetter_ = false;
};

}  // namespace mervalo
