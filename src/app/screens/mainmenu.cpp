#include "mainmenu.h"

#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "app/connection.h"
#include "app/fileops.h"
#include "app/language.h"
#include "app/screens/qttranslations.h"
#include "version.h"

namespace mervalo {

namespace {

constexpr int kFormWidth = 480;
constexpr int kFormHeight = 470;
constexpr int kButtonWidth = 280;
constexpr int kButtonHeight = 32;

// The pictures are drawn rather than shipped: a banner behind the name, a strip along the foot
// and the four suits.
QPixmap banner(int w, int h, QColor from, QColor to) {
  QPixmap p(w, h);
  QPainter painter(&p);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  painter.fillRect(p.rect(), g);
  return p;
}

QPixmap suits(int h) {
  QPixmap p(h * 4, h);
  p.fill(Qt::transparent);
  QPainter painter(&p);
  QFont f = painter.font();
  f.setPixelSize(h - 4);
  painter.setFont(f);
  const QChar symbols[] = {QChar(0x2660), QChar(0x2665), QChar(0x2666), QChar(0x2663)};
  for (int i = 0; i < 4; ++i) {
    painter.setPen(i == 1 || i == 2 ? QColor(180, 20, 20) : QColor(20, 20, 20));
    painter.drawText(QRect(i * h, 0, h, h), Qt::AlignCenter, QString(symbols[i]));
  }
  return p;
}

QPixmap downloadArrow() {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  QPainter painter(&p);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(30, 120, 40));
  painter.setPen(Qt::NoPen);
  painter.drawRect(6, 1, 4, 7);
  const QPoint head[] = {{2, 8}, {14, 8}, {8, 14}};
  painter.drawPolygon(head, 3);
  return p;
}

}  // namespace

MainMenu::MainMenu(AppContext& ctx) : Screen(ctx, nullptr) {
  setObjectName(QStringLiteral("frmMervalo01"));
  // The menu lives for the whole run; main() owns it.
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(kFormWidth, kFormHeight);
  buildControls();
  formLoad();
}

void MainMenu::buildControls() {
  picBack = makeNamed<QLabel>(this, "picBack");
  picBack->setPixmap(banner(kFormWidth - 40, 110, QColor(0, 90, 50), QColor(20, 140, 80)));
  picBack->setGeometry(0, 12, kFormWidth - 40, 110);

  picMervalo = makeNamed<QLabel>(picBack, "picMervalo");
  picMervalo->setPixmap(suits(24));
  picMervalo->setGeometry((picBack->width() - 96) / 2, 78, 96, 24);

  lblMervalo = makeNamed<QLabel>(this, "lblMervalo");
  QFont big = lblMervalo->font();
  big.setPixelSize(36);
  big.setBold(true);
  lblMervalo->setFont(big);
  lblMervalo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  lblMervalo->move(0, 24);

  auto button = [this](const char* name, int row, void (MainMenu::*handler)()) {
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry((kFormWidth - kButtonWidth) / 2, 138 + row * (kButtonHeight + 8), kButtonWidth, kButtonHeight);
    connect(b, &QPushButton::clicked, this, handler);
    return b;
  };
  cmdNamenInvoeren = button("cmdNamenInvoeren", 0, &MainMenu::cmdNamenInvoeren_Click);
  cmdGroepenMaken = button("cmdGroepenMaken", 1, &MainMenu::cmdGroepenMaken_Click);
  cmdInVoerScores = button("cmdInVoerScores", 2, &MainMenu::cmdInVoerScores_Click);
  cmdSchema = button("cmdSchema", 3, &MainMenu::cmdSchema_Click);
  cmdMAILTXT = button("cmdMAILTXT", 4, &MainMenu::cmdMAILTXT_Click);
  cmdAfsluiten = button("cmdAfsluiten", 5, &MainMenu::cmdAfsluiten_Click);
  cmdAfsluiten->move(cmdAfsluiten->x(), cmdAfsluiten->y() + 8);

  // A button opens its screen only when that screen is part of the program.
  cmdNamenInvoeren->setEnabled(ctx().hasScreen(ScreenId::NameLists));
  cmdGroepenMaken->setEnabled(ctx().hasScreen(ScreenId::Groups));
  cmdInVoerScores->setEnabled(ctx().hasScreen(ScreenId::EventStart));
  cmdSchema->setEnabled(ctx().hasScreen(ScreenId::SchemaDownload));
  cmdMAILTXT->setEnabled(ctx().hasScreen(ScreenId::MailDownload));

  picZelvo = makeNamed<QLabel>(this, "picZelvo");
  picZelvo->setPixmap(banner(kFormWidth - 40, 28, QColor(225, 235, 228), QColor(200, 220, 205)));
  picZelvo->setGeometry(0, kFormHeight - 72, kFormWidth - 40, 28);

  cmdDownload = makeNamed<QPushButton>(this, "cmdDownload");
  cmdDownload->setIcon(QIcon(downloadArrow()));
  cmdDownload->setIconSize(QSize(16, 16));
  cmdDownload->setFlat(true);
  cmdDownload->setFixedSize(20, 20);
  cmdDownload->setEnabled(static_cast<bool>(ctx().updateDownload));
  connect(cmdDownload, &QPushButton::clicked, this, &MainMenu::cmdDownLoad_Click);

  lblCopyRight = makeNamed<QLabel>(this, "lblCopyRight");
  lblCopyRight->setGeometry(20, kFormHeight - 40, kFormWidth - 40, 18);
  lblVersie = makeNamed<QLabel>(this, "lblVersie");
  lblVersie->setGeometry(20, kFormHeight - 22, kFormWidth - 40, 18);

  // Holds the provider list's working lists, which live in the program-wide values here.
  fraNietZichtbaar = makeNamed<QFrame>(this, "fraNietZichtbaar");
  fraNietZichtbaar->setVisible(false);

  cmdSetFocus = makeFocusSink(QStringLiteral("cmdSetFocus"));

  setTabChain({cmdNamenInvoeren, cmdGroepenMaken, cmdInVoerScores, cmdSchema, cmdMAILTXT, cmdAfsluiten, cmdDownload});

  // Esc must end the program whichever control has the focus, so the form sees every key
  // before its controls do.
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  closeOnKeys(EscapeKey::ClosesOnPress, false, [this] { endProgram(); });
}

void MainMenu::formLoad() {
  ProgramValues& v = values();
  v.settingsFilePath = v.path(QStringLiteral("/standaard.ini"));
  v.language = readLanguageFile(v.path(QStringLiteral("/taal.txt")));
  useQtTranslations(v.language);
  // The loader's messages carry the form's caption: give it one before the loader runs.
  setWindowTitle(text(0));
  if (ctx().loadMailProviders) ctx().loadMailProviders(*this);
  v.connected = ctx().connectionTest ? ctx().connectionTest() : connectionTest();

  lblCopyRight->setText(text(1));
  lblMervalo->setText(text(2));
  lblMervalo->adjustSize();
  lblVersie->setText(text(3) + QStringLiteral(": ") + QString::fromLatin1(kVersionText));
  // Where the name lists, events and pages are: asked for whenever the files are wanted elsewhere.
  lblVersie->setToolTip(QDir::toNativeSeparators(v.programFolder));
  lblVersie->setAccessibleDescription(lblVersie->toolTip());
  centreHorizontally(lblMervalo);
  centreHorizontally(picBack);
  centreHorizontally(picZelvo);
  cmdDownload->move(picZelvo->x(), picZelvo->y() + (picZelvo->height() - cmdDownload->height()) / 2);
  cmdMAILTXT->setText(text(158));
  cmdNamenInvoeren->setText(text(4));
  cmdGroepenMaken->setText(text(5));
  cmdInVoerScores->setText(text(6));
  cmdAfsluiten->setText(QLatin1Char('&') + text(23));
  cmdSchema->setText(text(161) + QLatin1Char(' ') + text(55));
  cmdDownload->setAccessibleName(text(116));
  cmdDownload->setToolTip(text(114));

  for (const QString& folder : dataFolderPaths(v.programFolder)) makeFolder(folder);
  const QDateTime now = QDateTime::currentDateTime();
  for (const QString& folder : {v.programFolder, v.folder(DataFolder::Names), v.folder(DataFolder::Groups),
                                v.folder(DataFolder::Events), v.folder(DataFolder::Pages)})
    removeStaleSaveFiles(folder, now);

  centreOnScreen();
}

void MainMenu::centreHorizontally(QWidget* control) {
  control->move((width() - control->width()) / 2, control->y());
}

void MainMenu::formActivate() {
  parkFocus();
  setWindowTitle(text(0));
  for (QPushButton* b : {cmdAfsluiten, cmdNamenInvoeren, cmdGroepenMaken, cmdInVoerScores}) b->setVisible(true);
  parkFocus();
  if (values().connected && ctx().updateCheck) ctx().updateCheck(*this);
}

void MainMenu::cmdNamenInvoeren_Click() { openChild(ScreenId::NameLists); }

void MainMenu::cmdGroepenMaken_Click() { openChild(ScreenId::Groups); }

void MainMenu::cmdInVoerScores_Click() { openChild(ScreenId::EventStart); }

void MainMenu::cmdSchema_Click() {
  parkFocus();
  openChild(ScreenId::SchemaDownload);
}

void MainMenu::cmdMAILTXT_Click() {
  parkFocus();
  openChild(ScreenId::MailDownload);
}

void MainMenu::cmdDownLoad_Click() {
  parkFocus();
  if (ctx().updateDownload) ctx().updateDownload(*this);
}

void MainMenu::cmdAfsluiten_Click() { endProgram(); }

bool MainMenu::formQueryUnload() {
  endProgram();
  return true;
}

void MainMenu::endProgram() {
  if (ctx().quit) ctx().quit();
}

}  // namespace mervalo
