// The mail screens and the result sent by mail, against real servers on loopback: the mail
// settings, the provider list downloaded over HTTPS, test mails, and the results screen mailing
// every player through a server that demands STARTTLS and a login.

#include <QDir>
#include <QJsonArray>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/settings.h"
#include "mailserver.h"
#include "publish/providerlist.h"
#include "publish/screens/maildownloadscreen.h"
#include "publish/screens/mailsettingsscreen.h"
#include "publish/screens/resultsscreen.h"
#include "publishtest.h"
#include "screentest.h"
#include "testservers.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class MailTest : public ScreenTest {
 protected:
  MailTest() { registerAllScreens(ctx); }
  // A mail server on loopback with a certificate of its own, which the settings file is to trust.
  void startMailServer(const QString& user = {}, const QString& password = {}, const QStringList& reject = {}) {
    QString error;
    ASSERT_TRUE(makeCertificate(folder(), QStringLiteral("lus"), &certificate, &key, &error)) << error.toStdString();
    smtp = LocalMailServer::start(path(QStringLiteral("/ontvangen")), {certificate, key, user, password, reject});
    ASSERT_TRUE(smtp->running()) << smtp->error().toStdString();
  }
  QString setting(const char* key) {
    return readSetting(QStringLiteral("Standaard"), QString::fromLatin1(key), ctx.values.settingsFilePath);
  }
  QString said(int message) { return ctx.values.message(message); }
  template <class S>
  S* open(ScreenId id) {
    auto* s = dynamic_cast<S*>(ctx.open(id, nullptr));
    EXPECT_NE(s, nullptr);
    return s;
  }
  static QLineEdit* box(QWidget* s) { return child<QLineEdit>(s, QStringLiteral("txtEMailAdres")); }
  static QPushButton* button(QWidget* s, const char* name) { return child<QPushButton>(s, QString::fromLatin1(name)); }
  // Waits until the screen has said something.
  void waitForPrompt() { ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.count() > 0; }, 30'000)); }

  QString certificate, key;
  std::unique_ptr<LocalMailServer> smtp;
};

// A stored bad address is told while the screen opens; Esc saves nothing, Enter saves all.
TEST_F(MailTest, SettingsScreenAddressRules) {
  writeFile(QStringLiteral("/standaard.ini"), {"[Standaard]", "eigen e-mail adres=a..b@club.nl", "provider=1"});
  auto* s = open<MailSettingsScreen>(ScreenId::MailSettings);
  ASSERT_TRUE(s);
  EXPECT_EQ(prompter.count(), 1);
  child<QLineEdit>(s, QStringLiteral("txtNaam"))->setText(QStringLiteral("Kees"));
  QPointer<MailSettingsScreen> alive(s);
  QTest::keyClick(s, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }));
  EXPECT_TRUE(setting("Naam voor e-mail").isEmpty());

  s = open<MailSettingsScreen>(ScreenId::MailSettings);
  ASSERT_TRUE(s);
  box(s)->clear();
  child<QLineEdit>(s, QStringLiteral("txtNaam"))->setText(QStringLiteral("Kees"));
  QPushButton* ok = button(s, "cmdOK");
  QTest::keyClicks(box(s), QStringLiteral("jan de.vries@club.nl"));
  EXPECT_EQ(box(s)->text(), QStringLiteral("jande.vries@club.nl")) << "a blank is refused";
  EXPECT_TRUE(ok->isEnabled()) << "dots before and after the @";
  QTest::keyClicks(box(s), QStringLiteral("@"));
  EXPECT_EQ(prompter.last().text, QStringLiteral("Geen geldig emailadres.\nVerwijder één <@>"));
  EXPECT_FALSE(ok->isEnabled());
  box(s)->setText(QStringLiteral("jan..vries@club.nl"));
  EXPECT_EQ(prompter.last().text, QStringLiteral("Geen geldig emailadres.\nVerwijder één <.>"));
  EXPECT_FALSE(ok->isEnabled());
  box(s)->setText(QStringLiteral("ikthuis@club.nl"));

  alive = s;
  QTest::keyClick(box(s), Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); })) << "Enter saves and closes";
  EXPECT_EQ(setting("eigen e-mail adres"), QStringLiteral("ikthuis@club.nl"));
  EXPECT_EQ(setting("provider"), QStringLiteral("1"));
  EXPECT_EQ(ctx.values.nameForEmail, QStringLiteral("Kees"));
}

// The provider list served over HTTPS and a mail server behind it, both on loopback with one
// certificate that the settings file trusts. Slot 0 names a server that is not there.
class MailDownloadTest : public MailTest {
 protected:
  void SetUp() override {
    startMailServer();
    QDir().mkpath(path(QStringLiteral("/site/zelvo")));
    const QStringList none{"1", "", "club-pc", "x@club.nl", "127.0.0.2", "False", "", "X", "False"};
    const QStringList real{QString::number(smtp->port()), "", "club-pc", "test@club.nl", "127.0.0.1", "True", "",
                           "Test", "False"};
    served = makeProviderList({none, real}, {40, 600});
    writeRaw(QStringLiteral("/site/zelvo/MAIL.TXT"), served);
    web = LocalServer::https(path(QStringLiteral("/site")), certificate, key);
    ASSERT_TRUE(web->running()) << web->error().toStdString();
    writeFile(QStringLiteral("/standaard.ini"), {"[Standaard]", "eigen e-mail adres=ik@thuis.nl", "provider=0",
                                                 "server https=" + web->base(), "ca-bundle=" + certificate});
  }
  void press(MailDownloadScreen* s, const char* name) {
    prompter.clear();
    button(s, name)->click();
    waitForPrompt();
  }

  QByteArray served;
  std::unique_ptr<LocalServer> web;
};

// Only a whole list replaces the earlier one (the other failures of a download are the download
// test's); then a test mail through the other provider arrives. A failed send,
// and what is never sent (a password in clear, an own address with a header behind it), are
// the mailing tests'.
TEST_F(MailDownloadTest, DownloadsThatFailKeepTheListThenTestMailsWithEitherProvider) {
  writeRaw(QStringLiteral("/MAIL.TXT"), "earlier list\r\n");
  ctx.values.mailUnavailable = true;  // as after a start-up without a usable list
  QByteArray wrongCheck = served;
  wrongCheck[served.indexOf("\r\n") - 1] = wrongCheck[served.indexOf("\r\n") - 1] == '0' ? '1' : '0';
  auto* s = open<MailDownloadScreen>(ScreenId::MailDownload);
  writeRaw(QStringLiteral("/site/zelvo/MAIL.TXT"), wrongCheck);
  press(s, "cmdDownLoad");
  EXPECT_EQ(prompter.last().text, ctx.values.message(169));
  EXPECT_EQ(readRaw(QStringLiteral("/MAIL.TXT")), QByteArray("earlier list\r\n"));
  EXPECT_TRUE(ctx.values.providers[0].isEmpty()) << "nothing was loaded";
  EXPECT_TRUE(button(s, "cmdDownLoad")->isEnabled()) << "try again";
  writeRaw(QStringLiteral("/site/zelvo/MAIL.TXT"), served);
  press(s, "cmdDownLoad");
  EXPECT_EQ(prompter.last().text, ctx.values.message(168) + QLatin1Char('\t'));
  EXPECT_EQ(readRaw(QStringLiteral("/MAIL.TXT")), served);
  EXPECT_FALSE(ctx.values.mailUnavailable) << "the new list is loaded in the same run";
  ASSERT_TRUE(button(s, "cmdOK")->isEnabled());

  box(s)->clear();
  box(s)->insert(QStringLiteral("ontvanger@club.nl\r\n"));
  EXPECT_EQ(box(s)->text(), QStringLiteral("ontvanger@club.nl")) << "a pasted line break goes";
  child<QRadioButton>(s, QStringLiteral("optProvider_1"))->click();
  EXPECT_EQ(setting("provider"), QStringLiteral("1"));
  prompter.clear();
  button(s, "cmdOK")->click();
  EXPECT_FALSE(s->close()) << "the outcome of the test mail on its way is always shown";
  waitForPrompt();
  EXPECT_EQ(prompter.last().text, ctx.values.message(166));
  const auto got = smtp->received();
  ASSERT_EQ(got.size(), 1);
  EXPECT_EQ(got[0].envelope.value("to").toArray().first().toString(), QStringLiteral("ontvanger@club.nl"));
  EXPECT_EQ(parseMail(got[0].message).headers.value("subject"), ctx.values.text(164));
  EXPECT_EQ(setting("eigen e-mail adres"), QStringLiteral("ontvanger@club.nl"));
  EXPECT_FALSE(button(s, "cmdOK")->isEnabled()) << "once per success";
  s->close();
  EXPECT_EQ(setting("provider"), QStringLiteral("0")) << "the choice lasted while the screen was open";
}

const QStringList kCompanion{"1|Dhr.|Jan|Smit|a@club.nl", "2|Mevr.|Ann|Bos|b@club.nl", "3|Dhr.|Piet|Vis|",
                             "4|Mevr.|Els|Kok|c@club.nl"};

// A results screen of group Dinsdag whose players a, b, c have addresses and whose mail goes
// through a loopback server that demands STARTTLS and a login.
class MailingTest : public MailTest {
 protected:
  void start(const QStringList& reject = {}) {
    startMailServer(QStringLiteral("club"), QStringLiteral("geheim"), reject);
    // Slot 0 names a server that is not there: only its client name may be used.
    const QStringList unused{"1", "niemand", "club-pc", "fout@elders.nl", "127.0.0.1", "True", "x", "Fout", "True"};
    const QStringList real{QString::number(smtp->port()), "club", "niet-gebruikt", "uitslag@club.nl", "127.0.0.1",
                           "True", "geheim", "Bridgeclub Troef", "1"};
    writeRaw(QStringLiteral("/MAIL.TXT"), makeProviderList({unused, real}, {17, 503}));
    ctx.values.providers = loadProviderList(path(QStringLiteral("/MAIL.TXT"))).providers;
    writeFile(QStringLiteral("/standaard.ini"),
              {"[standaard]", "eigen e-mail adres=ik@thuis.nl", "Naam voor e-mail=Kees", "provider=1",
               "ca-bundle=" + certificate});
    ctx.values.groupFileName = QStringLiteral("Dinsdag.txt");
    writeFile(QStringLiteral("/groepen/Dinsdag.txt"),
              {"1| Dhr. Jan Smit+2| Mevr. Ann Bos", "3| Dhr. Piet Vis+4| Mevr. Els Kok"});
    writeFile(QStringLiteral("/groepen/Dinsdag.mail"), kCompanion);
    entry = new FakeEntryScreen(ctx);
    entry->result = computedEventResult(2);
    entry->players = {"|a@club.nl", "|b@club.nl", "|Dhr.|Piet|Vis|", "|c@club.nl"};
    entry->show();
    screen = dynamic_cast<ResultsScreen*>(entry->openChild(ScreenId::Results));
    ASSERT_NE(screen, nullptr);
  }
  QPushButton* button(const char* name) { return child<QPushButton>(screen, QString::fromLatin1(name)); }
  // Sends and waits for the closing message.
  void send() {
    ASSERT_TRUE(button("cmdVerstuur")->isVisible() && button("cmdVerstuur")->isEnabled());
    prompter.clear();
    button("cmdVerstuur")->click();
    EXPECT_FALSE(button("cmdTerug")->isEnabled()) << "nothing else while the mail goes out";
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.countText(said(157)) + prompter.countText(said(156)); }, 30'000));
  }

  FakeEntryScreen* entry = nullptr;
  ResultsScreen* screen = nullptr;
};

// Every player with an address gets the page and the details page over one connection; the
// details page goes along with the hands only while the setting allows.
TEST_F(MailingTest, EveryPlayerWithAnAddressGetsThePagesOverOneConnection) {
  start();
  // The event behind the result: two pairs, three rounds of one board, two boards scored.
  writeFile(QStringLiteral("/schema/10/02 Paren 03 Ronden.txt"),
            {"Speelschema 2 paren 3 ronden", "Ronde 1\t1-2 (1-1)", "Ronde 2\t1-2 (2-2)", "Ronde 3\t1-2 (3-3)"});
  writeFile(QStringLiteral("/invoer/Dinsdag Uitslag.txt"), {"Dinsdag Uitslag", "2", "Geen", "3", "1",
                                                            "02 Paren 03 Ronden", "0", "01*1|2|||420|-420|0|0",
                                                            "02*1|2|||-50|50|0|0"});
  ctx.values.eventFileName = QStringLiteral("Dinsdag Uitslag.txt");
  const QString deal = QStringLiteral("N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432");
  writeFile(QStringLiteral("/invoer/Dinsdag Uitslag.pbn"),
            {"[Board \"1\"]", "[Dealer \"N\"]", "[Vulnerable \"None\"]", "[Deal \"" + deal + "\"]", "",
             "[Board \"2\"]", "[Dealer \"E\"]", "[Vulnerable \"NS\"]", "[Deal \"" + deal + "\"]"});
  send();
  ASSERT_EQ(prompter.count(), 1) << "the page is made without a question";
  EXPECT_EQ(prompter.last().text, said(157));
  const auto got = smtp->received();
  ASSERT_EQ(got.size(), 3) << "the player without an address is passed over";
  const QByteArray page = readRaw(QStringLiteral("/HTML/Dinsdag.html"));
  const QByteArray details = readRaw(QStringLiteral("/HTML/Dinsdag Details.html"));
  ASSERT_FALSE(page.isEmpty());
  EXPECT_EQ(details.count("class=\"deal\""), 2) << "the hands of both boards";
  const QStringList to{"a@club.nl", "b@club.nl", "c@club.nl"};
  const QStringList names{"Dhr. Jan Smit ", "Mevr. Ann Bos ", "Mevr. Els Kok "};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(got[i].envelope.value("to").toArray(), QJsonArray{to[i]});
    EXPECT_EQ(got[i].envelope.value("from").toString(), QStringLiteral("uitslag@club.nl")) << "sender of slot 1";
    EXPECT_EQ(got[i].envelope.value("ehlo").toString(), QStringLiteral("club-pc")) << "client name of slot 0";
    EXPECT_EQ(got[i].envelope.value("port"), got[0].envelope.value("port")) << "one connection";
    const ParsedMail mail = parseMail(got[i].message);
    EXPECT_EQ(mail.headers.value("from"), QStringLiteral("\"Bridgeclub Troef\" <uitslag@club.nl>"));
    EXPECT_EQ(mail.headers.value("reply-to"), QStringLiteral("<ik@thuis.nl>"));
    ASSERT_EQ(mail.attachments.size(), 2);
    EXPECT_EQ(mail.attachments[0], std::pair(QStringLiteral("Dinsdag.html"), page)) << "the page byte for byte";
    EXPECT_EQ(mail.attachments[1], std::pair(QStringLiteral("Dinsdag Details.html"), details));
    // How the body's text is filled in is the mail logic's test.
    EXPECT_TRUE(mail.text.contains(names[i]) && mail.text.contains(QStringLiteral("Kees"))) << mail.text.toStdString();
  }

  ASSERT_TRUE(writeSetting(QStringLiteral("Standaard"), QStringLiteral("spelverdeling mailen"), QStringLiteral("0"),
                           ctx.values.settingsFilePath));
  send();
  ASSERT_EQ(smtp->received().size(), 6);
  const ParsedMail mail = parseMail(smtp->received().last().message);
  ASSERT_EQ(mail.attachments.size(), 2);
  EXPECT_FALSE(mail.attachments[1].second.contains("class=\"deal\""));
  EXPECT_EQ(readRaw(QStringLiteral("/HTML/Dinsdag Details.html")).count("class=\"deal\""), 2)
      << "the HTML folder's page keeps them";
}

TEST_F(MailingTest, ARefusedRecipientStopsTheLoopAndIsNamed) {
  start({QStringLiteral("b@club.nl")});
  ctx.values.lastMailErrorNumber = 535;  // a failed test mail earlier does not stop this send
  send();
  const auto got = smtp->received();
  ASSERT_EQ(got.size(), 1) << "the first got it, the third was never tried";
  EXPECT_EQ(got[0].envelope.value("to").toArray(), QJsonArray{QStringLiteral("a@club.nl")});
  ASSERT_GE(prompter.count(), 2);
  const Prompt& error = prompter.shown()[prompter.shown().size() - 2];
  EXPECT_EQ(error.text, QStringLiteral("Foutnummer: 550\nBij het versturen naar: b@club.nl"));
  EXPECT_EQ(prompter.last().text, said(156));
  EXPECT_EQ(ctx.values.lastMailErrorNumber, 550);
  EXPECT_TRUE(button("cmdVerstuur")->isEnabled()) << "ready to try again";
}

// A log-in without encryption (in a hand-made list: the program's own tools refuse to write one)
// or an own address with a header behind it: told, and nothing is sent.
TEST_F(MailingTest, APasswordInClearOrAnOwnAddressThatIsNoAddressSendsNothing) {
  start();
  ctx.values.ownEmailAddress = QStringLiteral("ik@thuis.nl\r\nBcc: boef@elders.nl");
  button("cmdVerstuur")->click();
  EXPECT_EQ(prompter.last().text, said(205).replace('~', ctx.values.ownEmailAddress));
  ctx.values.ownEmailAddress = QStringLiteral("ik@thuis.nl");
  ctx.values.providers[1][3] = QStringLiteral("False");  // the chosen slot's encryption
  button("cmdVerstuur")->click();
  EXPECT_EQ(prompter.last().text, said(206).replace('~', QStringLiteral("127.0.0.1")));
  EXPECT_TRUE(button("cmdVerstuur")->isEnabled());
  EXPECT_TRUE(smtp->received().isEmpty());
}

}  // namespace
