#pragma once

#include <QStringList>

#include <QApplication>

#include "app/grid.h"
#include "app/screens/fastmeasure.h"
#include "app/screens/filepanel.h"
#include "app/screens/screen.h"
#include "players/entryrules.h"

namespace mervalo {

// The club's name lists: enter players, edit them, keep the list sorted and numbered, save
// it with its ".mail" companion, load or delete a list.
class NameListScreen : public Screen {
  Q_OBJECT
 public:
  NameListScreen(AppContext& ctx, Screen* opener);

  void formActivate() override;

  // The list being edited, as shown in msfgNamen.
  const Grid& namesGrid() const { return grid_; }

  FilePanel nameFiles;  // fraNamenBestand: the name lists
  QPushButton* cmdTerug = nullptr;
  QGroupBox* fraInvoer = nullptr;
  QLabel* lblNaam[3] = {};
  QLineEdit* txtNaam[3] = {};
  QCheckBox* chkTitel[2] = {};
  QLabel* lblTitel = nullptr;
  QPushButton* cmdToevoegen = nullptr;
  QTableWidget* msfgNamen = nullptr;
  QLabel* lblNaamBestand = nullptr;
  QLineEdit* txtNaamBestand = nullptr;
  QPushButton* cmdOpslaan = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void formLoad();
  void refreshFileList();
  void renumber();
  void showNames();
  void sortOnColumn(int col);
  void resetGrid();
  void updateAddState();

  void chkSorteer_Click();
  void cmdToevoegen_Click();
  void lstNamenBestand_Click();
  void cmdOpslaan_Click();
  void cmdWissen_Click();
  void msfgNamen_MouseDown(int row, int col);
  void msfgNamen_Click(int row);
  void chkTitel_Click(int index);
  void txtNaam_Change();
  void txtNaam_Edited(int index);
  bool txtNaam_KeyPress(int index, QKeyEvent* event);
  void txtNaamBestand_Change();
  bool txtNaamBestand_KeyPress(QKeyEvent* event);
  bool refuseKey(EntryBox kind, QKeyEvent* event, QLineEdit* box);

  TextMeasure measure_ = characterMeasure(QApplication::font());
  Grid grid_;
  bool headingPressed_ = false;
  bool repairing_ = false;
  QString loadedList_;
};

}  // namespace mervalo
