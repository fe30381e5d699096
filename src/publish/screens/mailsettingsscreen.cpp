#include "mailsettingsscreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/settings.h"
#include "publish/mailaddress.h"
#include "publish/mailsend.h"
#include "publish/screens/mailaddressbox.h"

namespace mervalo {

namespace {
const QString kOwnAddressSection = QStringLiteral("standaard");
const QString kOwnAddressKey = QStringLiteral("eigen e-mail adres");
const QString kSection = QStringLiteral("Standaard");
const QString kNameKey = QStringLiteral("Naam voor e-mail");
const QString kProviderKey = QStringLiteral("provider");
}  // namespace

MailSettingsScreen::MailSettingsScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo09"));
  // The two labels only ever show one text.
  auto* lblInfo = makeNamed<QLabel>(this, "lblInfo");
  lblInfo->setText(message(144));
  // Enter in the address box saves whatever the box holds.
  mail = new MailAddressBox(this, "lblWaarvoor", settingsAddressRefused(), [this] {
    cmdOK->setEnabled(true);
    cmdOK_Click();
  });
  auto* lblNaam = makeNamed<QLabel>(this, "lblNaam");
  lblNaam->setText(text(146));
  txtNaam = makeNamed<QLineEdit>(this, "txtNaam");
  for (int i = 0; i < 2; ++i) {
    connect(mail->providers[i], &QRadioButton::clicked, this, [this, i] { provider_ = i; });
  }
  cmdOK = makeNamed<QPushButton>(this, "cmdOK");
  cmdTerug = makeNamed<QPushButton>(this, "cmdTerug");
  cmdDownload = makeNamed<QPushButton>(this, "cmdDownload");
  lblNaam->setBuddy(txtNaam);

  auto* form = new QGridLayout;
  form->addWidget(mail->addressLabel, 0, 0);
  form->addWidget(mail->address, 0, 1);
  form->addWidget(lblNaam, 1, 0);
  form->addWidget(txtNaam, 1, 1);
  form->addWidget(mail->providerLabel, 2, 0);
  auto* options = new QHBoxLayout;
  options->addWidget(mail->providers[0]);
  options->addWidget(mail->providers[1]);
  form->addLayout(options, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdDownload);
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdTerug);
  auto* main = new QVBoxLayout(this);
  main->addWidget(lblInfo);
  main->addLayout(form);
  main->addLayout(buttons);
  setTabChain({mail->address, txtNaam, mail->providers[0], mail->providers[1], cmdOK, cmdTerug, cmdDownload});

  mail->follow(this, [this] { txtEMailAdres_Change(); });
  connect(txtNaam, &QLineEdit::textChanged, this, &MailSettingsScreen::txtNaam_Change);
  connect(cmdOK, &QPushButton::clicked, this, &MailSettingsScreen::cmdOK_Click);
  connect(cmdTerug, &QPushButton::clicked, this, [this] { close(); });
  connect(cmdDownload, &QPushButton::clicked, this, &MailSettingsScreen::cmdDownload_Click);
  closeOnKeys(EscapeKey::ClosesOnRelease, true);
  formLoad();
}

void MailSettingsScreen::formLoad() {
  setWindowTitle(text(142));
  makeFocusSink(QStringLiteral("cmdFocus"));
  mail->setTexts(text(145), text(147), text(148));
  cmdOK->setText(QStringLiteral("&OK"));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  cmdDownload->setText(text(158));
  cmdDownload->setEnabled(ctx().hasScreen(ScreenId::MailDownload));
  cmdOK->setEnabled(false);

  ProgramValues& v = values();
  // Filling the boxes runs their checks, so a stored address that is wrong says so at once.
  const QString own = readSetting(kOwnAddressSection, kOwnAddressKey, v.settingsFilePath);
  mail->address->setText(withoutCharacters(own, QString()));
  if (!own.isEmpty()) v.ownEmailAddress = own;
  txtNaam->setText(readSetting(kSection, kNameKey, v.settingsFilePath));
  centreOnScreen();
}

void MailSettingsScreen::formActivate() {
  const QString stored = readSetting(kSection, kProviderKey, values().settingsFilePath);
  const int slot = stored.isEmpty() ? 0 : providerSlotOf(stored);
  mail->providers[slot]->setChecked(true);
  provider_ = slot;
  safeFocus(mail->address);
}

void MailSettingsScreen::updateOk() {
  cmdOK->setEnabled(addressLooksComplete(mail->address->text()) && !txtNaam->text().isEmpty());
}

void MailSettingsScreen::txtEMailAdres_Change() {
  const AddressProblem problem = addressProblem(mail->address->text());
  if (problem != AddressProblem::None) {
    inform(message(149).replace(QLatin1Char('#'),
                                problem == AddressProblem::TwoAts ? QStringLiteral("@") : QStringLiteral(".")));
    cmdOK->setEnabled(false);
    return;
  }
  updateOk();
}

void MailSettingsScreen::txtNaam_Change() { updateOk(); }

void MailSettingsScreen::cmdOK_Click() {
  parkFocus();
  ProgramValues& v = values();
  const bool written = writeSetting(kOwnAddressSection, kOwnAddressKey, mail->address->text(), v.settingsFilePath) &&
                       writeSetting(kSection, kNameKey, txtNaam->text(), v.settingsFilePath) &&
                       writeSetting(kSection, kProviderKey, QString::number(provider_), v.settingsFilePath);
  if (!written) {
    inform(message(182).replace(QLatin1Char('~'), v.settingsFilePath));
    return;
  }
  v.ownEmailAddress = mail->address->text();
  v.nameForEmail = txtNaam->text();
  close();
}

void MailSettingsScreen::cmdDownload_Click() { openChild(ScreenId::MailDownload); }

}  // namespace mervalo
