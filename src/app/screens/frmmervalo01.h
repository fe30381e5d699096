#pragma once

#include "app/screens/screen.h"

class QLabel;
class QPushButton;

namespace mervalo {

// The main menu: start-up window, stays for the whole run; closing it ends the program.
class FrmMervalo01 : public Screen {
  Q_OBJECT
 public:
  explicit FrmMervalo01(AppContext& ctx);

  void formActivate() override;

  QPushButton* cmdNamenInvoeren = nullptr;
  QPushButton* cmdGroepenMaken = nullptr;
  QPushButton* cmdInVoerScores = nullptr;
  QPushButton* cmdSchema = nullptr;
  QPushButton* cmdMAILTXT = nullptr;
  QPushButton* cmdDownload = nullptr;
  QPushButton* cmdAfsluiten = nullptr;
  QLabel* lblMervalo = nullptr;
  QLabel* lblCopyRight = nullptr;
  QLabel* lblVersie = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool formQueryUnload() override;

 private:
  void formLoad();
  void endProgram();
  QPushButton* makeButton(const QString& name, const QString& formToOpen);
};

}  // namespace mervalo
