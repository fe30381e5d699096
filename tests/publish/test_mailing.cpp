#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/settings.h"
#include "mailserver.h"
#include "publish/providerlist.h"
#include "publish/screens/resultsscreen.h"
#include "publishtest.h"
#include "screentest.h"
#include "testservers.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

const QStringList kCompanion{"1|Dhr.|Jan|Smit|a@club.nl", "2|Mevr.|Ann|Bos|b@club.nl", "3|Dhr.|Piet|Vis|",
                             "4|Mevr.|Els|Kok|c@club.nl"};

// A results screen of group Dinsdag whose players a, b, c have addresses and whose mail goes
// through a loopback server that demands STARTTLS and a login.
class MailingTest : public ScreenTest {
 protected:
  void start(const QStringList& reject = {}, const QStringList& companion = kCompanion) {
    registerAllScreens(ctx);
    QString error;
    ASSERT_TRUE(makeCertificate(folder(), QStringLiteral("smtp"), &certificate, &key, &error)) << error.toStdString();
    server = LocalMailServer::start(path(QStringLiteral("/ontvangen")),
                                    {certificate, key, QStringLiteral("club"), QStringLiteral("geheim"), reject});
    ASSERT_TRUE(server->running()) << server->error().toStdString();
    // Slot 0 names a server that is not there: only its client name may be used.
    const QStringList unused{"1", "niemand", "club-pc", "fout@elders.nl", "127.0.0.1", "True", "x", "Fout", "True"};
    const QStringList real{QString::number(server->port()), "club", "niet-gebruikt", "uitslag@club.nl", "127.0.0.1",
                           "True", "geheim", "Bridgeclub Troef", "1"};
    writeRaw(QStringLiteral("/MAIL.TXT"), makeProviderList({unused, real}, {17, 503}));
    ctx.values.providers = loadProviderList(path(QStringLiteral("/MAIL.TXT"))).providers;
    writeFile(QStringLiteral("/standaard.ini"),
              {"[standaard]", "eigen e-mail adres=ik@thuis.nl", "Naam voor e-mail=Kees", "provider=1",
               "ca-bundle=" + certificate});
    ctx.values.groupFileName = QStringLiteral("Dinsdag.txt");
    writeFile(QStringLiteral("/groepen/Dinsdag.txt"), {"1| Dhr. Jan Smit+2| Mevr. Ann Bos", "3| Dhr. Piet Vis+4| Mevr. Els Kok"});
    writeFile(QStringLiteral("/groepen/Dinsdag.mail"), companion);
    entry = new FakeEntryScreen(ctx);
    entry->grid = computedResult(2);
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
  QString said(int message) { return ctx.values.message(message); }

  QString certificate, key;
  std::unique_ptr<LocalMailServer> server;
  FakeEntryScreen* entry = nullptr;
  ResultsScreen* screen = nullptr;
};

}  // namespace

TEST_F(MailingTest, EveryPlayerWithAnAddressGetsThePageOverOneConnection) {
  start();
  send();
  EXPECT_EQ(prompter.last().text, said(157));
  EXPECT_EQ(prompter.last().title, QStringLiteral("Uitslag Dinsdag"));
  const auto got = server->received();
  ASSERT_EQ(got.size(), 3) << "the player without an address is passed over";
  const QByteArray page = readRaw(QStringLiteral("/HTML/Dinsdag.html"));
  ASSERT_FALSE(page.isEmpty());
  const QStringList to{"a@club.nl", "b@club.nl", "c@club.nl"};
  const QStringList names{"Dhr. Jan Smit ", "Mevr. Ann Bos ", "Mevr. Els Kok "};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(got[i].envelope.value("to").toArray(), QJsonArray{to[i]});
    EXPECT_EQ(got[i].envelope.value("from").toString(), QStringLiteral("uitslag@club.nl")) << "sender of slot 1";
    EXPECT_EQ(got[i].envelope.value("ehlo").toString(), QStringLiteral("club-pc")) << "client name of slot 0";
    EXPECT_EQ(got[i].envelope.value("port"), got[0].envelope.value("port")) << "one connection";
    const ParsedMail mail = parseMail(got[i].message);
    EXPECT_EQ(mail.headers.value("subject"), QStringLiteral("Uitslag Dinsdag"));
    EXPECT_EQ(mail.headers.value("from"), QStringLiteral("\"Bridgeclub Troef\" <uitslag@club.nl>"));
    EXPECT_EQ(mail.headers.value("reply-to"), QStringLiteral("<ik@thuis.nl>"));
    ASSERT_EQ(mail.attachments.size(), 1);
    EXPECT_EQ(mail.attachments[0].first, QStringLiteral("Dinsdag.html"));
    EXPECT_EQ(mail.attachments[0].second, page) << "the page byte for byte";
    const QString body = QString(ctx.values.text(155))
                             .replace('*', QStringLiteral("1.0.0"))
                             .replace('$', QStringLiteral("Uitslag Dinsdag"))
                             .replace('%', QStringLiteral("Kees"))
                             .replace('|', QStringLiteral("\r\n"))
                             .replace('#', names[i]);
    EXPECT_EQ(mail.text, body.trimmed());
  }
  EXPECT_TRUE(button("cmdTerug")->isEnabled());
  EXPECT_EQ(ctx.values.lastMailErrorNumber, 0);
}

TEST_F(MailingTest, ARefusedRecipientStopsTheLoopAndIsNamed) {
  start({QStringLiteral("b@club.nl")});
  ctx.values.lastMailErrorNumber = 535;  // a failed test mail earlier does not stop this send
  send();
  const auto got = server->received();
  ASSERT_EQ(got.size(), 1) << "the first got it, the third was never tried";
  EXPECT_EQ(got[0].envelope.value("to").toArray(), QJsonArray{QStringLiteral("a@club.nl")});
  ASSERT_GE(prompter.count(), 2);
  const Prompt& error = prompter.shown()[prompter.shown().size() - 2];
  EXPECT_EQ(error.text, QStringLiteral("Foutnummer: 550\nBij het versturen naar: b@club.nl"));
  EXPECT_EQ(error.title, QStringLiteral("Mervalo"));
  EXPECT_EQ(error.icon, PromptIcon::None);
  EXPECT_EQ(prompter.last().text, said(156));
  EXPECT_EQ(ctx.values.lastMailErrorNumber, 550);
  EXPECT_TRUE(button("cmdVerstuur")->isEnabled()) << "ready to try again";
}

TEST_F(MailingTest, APlayerWhoseAddressIsNoAddressIsSkippedAndNamed) {
  QStringList companion = kCompanion;
  companion[1] = QStringLiteral("2|Mevr.|Ann|Bos|b@club.nl, boef@elders.nl");
  start({}, companion);
  button("cmdVerstuur")->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.count() > 0; }, 30'000));
  const auto got = server->received();
  ASSERT_EQ(got.size(), 2);
  EXPECT_EQ(got[1].envelope.value("to").toArray(), QJsonArray{QStringLiteral("c@club.nl")});
  EXPECT_EQ(prompter.last().text, said(157) + QStringLiteral("\n\n") + said(207) + QStringLiteral("\nMevr. Ann Bos"));
}

TEST_F(MailingTest, TheDetailsPageGoesAlongWithTheHandsOnlyWhenTheSettingAllows) {
  start();
  // The event behind the result: two pairs, three rounds of one board, two boards scored.
  writeFile(QStringLiteral("/schema/10/02 Paren 03 Ronden.txt"),
            {"Speelschema 2 paren 3 ronden", "Ronde 1\t1-2 (1-1)", "Ronde 2\t1-2 (2-2)", "Ronde 3\t1-2 (3-3)"});
  writeFile(QStringLiteral("/invoer/Dinsdag Uitslag.txt"),
            {"Dinsdag Uitslag", "2", "Geen", "3", "1", "02 Paren 03 Ronden", "0", "01*1|2|||420|-420|0|0", "02*1|2|||-50|50|0|0"});
  ctx.values.eventFileName = QStringLiteral("Dinsdag Uitslag.txt");
  const QString deal = QStringLiteral("N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432");
  writeFile(QStringLiteral("/invoer/Dinsdag Uitslag.pbn"),
            {"[Board \"1\"]", "[Dealer \"N\"]", "[Vulnerable \"None\"]", "[Deal \"" + deal + "\"]", "",
             "[Board \"2\"]", "[Dealer \"E\"]", "[Vulnerable \"NS\"]", "[Deal \"" + deal + "\"]"});

  // Without the setting the hands go along; with it off the page in the HTML folder keeps them.
  for (const char* mailHands : {"", "0"}) {
    SCOPED_TRACE(mailHands);
    ASSERT_TRUE(!*mailHands || writeSetting(QStringLiteral("Standaard"), QStringLiteral("spelverdeling mailen"),
                                            QLatin1String(mailHands), ctx.values.settingsFilePath));
    send();
    const QByteArray details = readRaw(QStringLiteral("/HTML/Dinsdag Details.html"));
    EXPECT_EQ(details.count("class=\"deal\""), 2) << "the hands of both boards";
    const ParsedMail mail = parseMail(server->received().last().message);
    ASSERT_EQ(mail.attachments.size(), 2);
    EXPECT_EQ(mail.attachments[1].first, QStringLiteral("Dinsdag Details.html"));
    EXPECT_TRUE(mail.attachments[1].second.contains("id=\"travellers\""));
    EXPECT_EQ(mail.attachments[1].second.count("class=\"deal\""), *mailHands ? 0 : 2);
    EXPECT_EQ(mail.attachments[1].second == details, !*mailHands) << "with the hands: the page byte for byte";
  }
  EXPECT_EQ(server->received().size(), 6);
}
