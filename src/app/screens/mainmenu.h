#pragma once

#include "app/screens/screen.h"

namespace mervalo {

// The main menu: the start-up window, loaded for the whole run. Its load prepares what every
// other screen relies on (settings path, language, provider list, data folders, program-wide
// texts); closing it or Esc on it ends the program.
class MainMenu : public Screen {
  Q_OBJECT
 public:
  explicit MainMenu(AppContext& ctx);

  void formActivate() override;

  // The update check calls this too when the user accepts the update.
  void cmdDownLoad_Click();

  QPushButton* cmdNamenInvoeren = nullptr;
  QPushButton* cmdGroepenMaken = nullptr;
  QPushButton* cmdInVoerScores = nullptr;
  QPushButton* cmdSchema = nullptr;
  QPushButton* cmdMAILTXT = nullptr;
  QPushButton* cmdDownload = nullptr;
  QPushButton* cmdAfsluiten = nullptr;
  QPushButton* cmdSetFocus = nullptr;
  QLabel* lblMervalo = nullptr;
  QLabel* lblCopyRight = nullptr;
  QLabel* lblVersie = nullptr;
  QLabel* picBack = nullptr;
  QLabel* picZelvo = nullptr;
  QLabel* picMervalo = nullptr;
  QFrame* fraNietZichtbaar = nullptr;

 protected:
  bool formQueryUnload() override;

 private:
  void buildControls();
  void formLoad();
  void centreHorizontally(QWidget* control);
  void endProgram();

  void cmdNamenInvoeren_Click();
  void cmdGroepenMaken_Click();
  void cmdInVoerScores_Click();
  void cmdSchema_Click();
  void cmdMAILTXT_Click();
  void cmdAfsluiten_Click();
};

}  // namespace mervalo
