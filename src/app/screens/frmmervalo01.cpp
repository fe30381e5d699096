#include "frmmervalo01.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/fileops.h"
#include "version.h"

namespace mervalo {

FrmMervalo01::FrmMervalo01(AppContext& ctx) : Screen(ctx, nullptr) {
  setObjectName(QStringLiteral("frmMervalo01"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto* layout = new QVBoxLayout(this);
  lblMervalo = new QLabel(this);
  lblMervalo->setObjectName(QStringLiteral("lblMervalo"));
  lblMervalo->setAlignment(Qt::AlignHCenter);
  layout->addWidget(lblMervalo);
  cmdNamenInvoeren = makeButton(QStringLiteral("cmdNamenInvoeren"), QStringLiteral("frmMervalo02"));
  cmdGroepenMaken = makeButton(QStringLiteral("cmdGroepenMaken"), QStringLiteral("frmMervalo03"));
  cmdInVoerScores = makeButton(QStringLiteral("cmdInVoerScores"), QStringLiteral("frmMervalo04"));
  cmdSchema = makeButton(QStringLiteral("cmdSchema"), QStringLiteral("frmMervalo12"));
  cmdMAILTXT = makeButton(QStringLiteral("cmdMAILTXT"), QStringLiteral("frmMervalo10"));
  cmdDownload = new QPushButton(this);
  cmdDownload->setObjectName(QStringLiteral("cmdDownload"));
  cmdDownload->setEnabled(false);
  cmdAfsluiten = new QPushButton(this);
  cmdAfsluiten->setObjectName(QStringLiteral("cmdAfsluiten"));
  connect(cmdAfsluiten, &QPushButton::clicked, this, &FrmMervalo01::endProgram);
  for (QPushButton* b : {cmdNamenInvoeren, cmdGroepenMaken, cmdInVoerScores, cmdSchema, cmdMAILTXT, cmdAfsluiten})
    layout->addWidget(b);
  lblCopyRight = new QLabel(this);
  lblCopyRight->setObjectName(QStringLiteral("lblCopyRight"));
  lblVersie = new QLabel(this);
  lblVersie->setObjectName(QStringLiteral("lblVersie"));
  layout->addWidget(lblCopyRight);
  layout->addWidget(lblVersie);
  makeFocusSink(QStringLiteral("cmdSetFocus"));
  formLoad();
}

QPushButton* FrmMervalo01::makeButton(const QString& name, const QString& formToOpen) {
  auto* b = new QPushButton(this);
  b->setObjectName(name);
  b->setEnabled(ctx().hasScreen(formToOpen));
  connect(b, &QPushButton::clicked, this, [this, formToOpen] {
    parkFocus();
    if (formToOpen == QLatin1String("frmMervalo10")) values().callingScreen = kCallerMainMenu;
    openChild(formToOpen);
  });
  return b;
}

void FrmMervalo01::formLoad() {
  ProgramValues& v = values();
  v.settingsFilePath = v.path(QStringLiteral("/standaard.ini"));
  // Language file: first line, rounded half to even, 10 or 11; anything else is Dutch.
  v.language = kDutch;
  if (fileState(v.path(QStringLiteral("/taal.txt"))) == 1) {
    // full rule comes with the language-file reader
  }
  lblCopyRight->setText(text(1));
  lblMervalo->setText(text(2));
  v.notAllowedFileNameChars = QLatin1Char('"') + text(43);
  lblVersie->setText(text(3) + QStringLiteral(": ") + QString::fromLatin1(kVersionText));
  cmdMAILTXT->setText(text(158));
  cmdNamenInvoeren->setText(text(4));
  cmdGroepenMaken->setText(text(5));
  cmdInVoerScores->setText(text(6));
  cmdAfsluiten->setText(QLatin1Char('&') + text(23));
  cmdSchema->setText(text(161) + QLatin1Char(' ') + text(55));
  v.sitOutAbbreviation = text(101);
  for (const char* folder : {"/namen", "/groepen", "/schema/10", "/schema/11", "/invoer"})
    makeFolder(v.path(QString::fromLatin1(folder)));
}

void FrmMervalo01::formActivate() {
  parkFocus();
  setWindowTitle(text(0));
  for (QPushButton* b : {cmdAfsluiten, cmdNamenInvoeren, cmdGroepenMaken, cmdInVoerScores}) b->setVisible(true);
  parkFocus();
}

void FrmMervalo01::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    endProgram();
    return;
  }
  Screen::keyPressEvent(event);
}

bool FrmMervalo01::formQueryUnload() {
  if (ctx().quit) ctx().quit();
  return true;
}

void FrmMervalo01::endProgram() {
  if (ctx().quit) ctx().quit();
}

}  // namespace mervalo
