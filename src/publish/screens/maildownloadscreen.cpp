#include "maildownloadscreen.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/settings.h"
#include "app/textfile.h"
#include "mailrun.h"
#include "mailsending.h"
#include "net/download.h"
#include "net/server.h"
#include "publish/mailaddress.h"
#include "publish/mailsend.h"
#include "publish/providerlist.h"
#include "publish/screens/mailaddressbox.h"

namespace mervalo {

namespace {
const QString kSection = QStringLiteral("Standaard");
const QString kProviderKey = QStringLiteral("provider");

// The loader reports through the main menu, as at start-up; without one, through this screen.
Screen& mainMenuOr(Screen& self) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("frmMervalo01"))
      if (auto* menu = dynamic_cast<Screen*>(w)) return *menu;
  return self;
}
}  // namespace

MailDownloadScreen::MailDownloadScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo10"));
  picVoorVerstuurDeMail = makeNamed<QFrame>(this, "picVoorVerstuurDeMail");
  picVoorVerstuurDeMail->setFrameShape(QFrame::StyledPanel);
  picVerStuurDeMail = makeNamed<QFrame>(this, "picVerStuurDeMail");
  lblInfo = makeNamed<QLabel>(picVoorVerstuurDeMail, "lblInfo");
  lblInfo->setWordWrap(true);
  cmdDownLoad = makeNamed<QPushButton>(this, "cmdDownLoad");
  fraMailadres = makeNamed<QGroupBox>(picVerStuurDeMail, "fraMailadres");
  mail = new MailAddressBox(fraMailadres, "lblAdres", downloadAddressRefused());
  for (int i = 0; i < 2; ++i) {
    connect(mail->providers[i], &QRadioButton::clicked, this, [this, i] { optProvider_Click(i); });
  }
  cmdOK = makeNamed<QPushButton>(fraMailadres, "cmdOK");
  cmdTerug = makeNamed<QPushButton>(this, "cmdTerug");

  auto* info = new QVBoxLayout(picVoorVerstuurDeMail);
  info->addWidget(lblInfo);
  auto* test = new QGridLayout(fraMailadres);
  test->addWidget(mail->addressLabel, 0, 0);
  test->addWidget(mail->address, 0, 1, 1, 2);
  test->addWidget(mail->providerLabel, 1, 0);
  test->addWidget(mail->providers[0], 1, 1);
  test->addWidget(mail->providers[1], 1, 2);
  test->addWidget(cmdOK, 2, 2);
  auto* panel = new QVBoxLayout(picVerStuurDeMail);
  panel->setContentsMargins(0, 0, 0, 0);
  panel->addWidget(fraMailadres);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdDownLoad);
  buttons->addStretch();
  buttons->addWidget(cmdTerug);
  auto* main = new QVBoxLayout(this);
  main->addWidget(picVoorVerstuurDeMail);
  main->addWidget(picVerStuurDeMail);
  main->addLayout(buttons);
  setTabChain({cmdDownLoad, mail->address, mail->providers[0], mail->providers[1], cmdOK, cmdTerug});

  mail->follow(this, [this] { txtEMailAdres_Change(); });
  connect(cmdDownLoad, &QPushButton::clicked, this, &MailDownloadScreen::cmdDownLoad_Click);
  connect(cmdOK, &QPushButton::clicked, this, &MailDownloadScreen::cmdOK_Click);
  connect(cmdTerug, &QPushButton::clicked, this, [this] { close(); });
  closeOnKeys(EscapeKey::ClosesOnRelease, true);
  formLoad();
}

void MailDownloadScreen::formLoad() {
  setWindowTitle(text(158));
  makeFocusSink(QStringLiteral("cmdFocus"));
  lblInfo->setText(message(159));
  cmdDownLoad->setText(text(161));
  fraMailadres->setTitle(text(162));
  mail->setTexts(text(137) + QLatin1Char(':'), text(163), text(160));
  cmdOK->setText(text(170));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  picVoorVerstuurDeMail->setAutoFillBackground(true);
  QPalette white = picVoorVerstuurDeMail->palette();
  white.setColor(QPalette::Window, Qt::white);
  picVoorVerstuurDeMail->setPalette(white);
  picVerStuurDeMail->show();
  cmdOK->setEnabled(false);

  ProgramValues& v = values();
  const QString own =
      readSetting(QStringLiteral("standaard"), QStringLiteral("eigen e-mail adres"), v.settingsFilePath);
  if (!own.isEmpty()) mail->address->setText(withoutCharacters(own, QString()));
  loadedProvider_ = providerSlotOf(readSetting(kSection, kProviderKey, v.settingsFilePath));
  mail->providers[loadedProvider_]->setChecked(true);
  cmdOK->setEnabled(false);
  centreOnScreen();
}

void MailDownloadScreen::formActivate() { parkFocus(); }

void MailDownloadScreen::optProvider_Click(int index) {
  // At once, so that a test mail goes through this provider.
  writeSetting(kSection, kProviderKey, QString::number(index), values().settingsFilePath);
  parkFocus();
}

void MailDownloadScreen::txtEMailAdres_Change() {
  cmdOK->setEnabled(false);
  switch (addressProblem(mail->address->text())) {
    case AddressProblem::TwoAts:
      inform(QStringLiteral("Geen geldig emailadres.\nVerwijder één < @ >"));
      return;
    case AddressProblem::DoubleDot:
      inform(QStringLiteral("Geen geldig emailadres.\nVerwijder één < . >"));
      return;
    case AddressProblem::None:
      break;
  }
  cmdOK->setEnabled(downloaded_ && addressLooksComplete(mail->address->text()) && !run_);
}

void MailDownloadScreen::cmdDownLoad_Click() {
  if (download_) return;
  const ProgramValues& v = values();
  const DownloadServer server = DownloadServer::fromSettings(v.settingsFilePath, v.programFolder);
  // The earlier list stays where it is until a new one has been read as a whole list.
  staging_ = std::make_unique<QTemporaryDir>();
  download_ =
      new BackgroundDownload(server.httpsUrl(QString::fromLatin1(kProviderListPath)),
                             staging_->filePath(QStringLiteral("MAIL.TXT")), server.options(kSmallFileCap), this);
  connect(download_, &BackgroundDownload::finished, this, &MailDownloadScreen::downloadFinished);
  cmdDownLoad->setEnabled(false);
  setCursor(Qt::WaitCursor);
  download_->start();
}

void MailDownloadScreen::downloadFinished(qint32 status) {
  download_->deleteLater();
  download_ = nullptr;
  unsetCursor();
  bool stored = false;
  if (status == kDownloadOk) {
    QFile staged(staging_->filePath(QStringLiteral("MAIL.TXT")));
    const QByteArray bytes = staged.open(QIODevice::ReadOnly) ? staged.readAll() : QByteArray();
    stored = isCompleteProviderList(bytes) && writeFileAtomic(values().path(QStringLiteral("/MAIL.TXT")), bytes);
  }
  staging_.reset();
  if (!stored) {
    cmdOK->setEnabled(false);
    cmdDownLoad->setEnabled(true);
    inform(message(169));
  } else {
    downloaded_ = true;
    inform(message(168) + QLatin1Char('\t'));
    cmdOK->setEnabled(!mail->address->text().isEmpty());
    if (ctx().loadMailProviders) ctx().loadMailProviders(mainMenuOr(*this));
  }
  parkFocus();
}

void MailDownloadScreen::cmdOK_Click() {
  cmdOK->setEnabled(false);
  parkFocus();
  if (refuseWhenMailUnavailable(*this) || refuseUnsafeMail(*this)) {
    cmdOK->setEnabled(true);
    return;
  }
  ProgramValues& v = values();
  const QString to = mail->address->text().trimmed();
  run_ = makeMailRun(v, {MailRequest{v.ownEmailAddress, text(164), to, QString(), message(165)}}, this);
  connect(run_, &MailRun::finished, this, &MailDownloadScreen::testMailFinished);
  writeSetting(QStringLiteral("standaard"), QStringLiteral("eigen e-mail adres"), to, v.settingsFilePath);
  setCursor(Qt::WaitCursor);
  run_->start();
}

void MailDownloadScreen::testMailFinished(int failed, qint32 number) {
  run_->deleteLater();
  run_ = nullptr;
  unsetCursor();
  keepMailOutcome(*this, failed >= 0 ? number : kMailSent, mail->address->text().trimmed());
  if (values().lastMailErrorNumber != 0) {
    inform(message(167));
    cmdOK->setEnabled(true);
  } else {
    inform(message(166));
  }
  parkFocus();
}

bool MailDownloadScreen::formQueryUnload() {
  // The outcome of a test mail on its way is always shown: the screen stays until it is known.
  if (run_) return false;
  // The provider chosen here was for the test mail only.
  writeSetting(kSection, kProviderKey, QString::number(loadedProvider_), values().settingsFilePath);
  return true;
}

}  // namespace mervalo
