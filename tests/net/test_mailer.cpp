#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include "mailserver.h"
#include "net/mailer.h"
#include "testfiles.h"
#include "testservers.h"

namespace mervalo {
namespace {

using test::parseMail;

MailMessage message(const QString& to, const QStringList& attachments = {}) {
  MailMessage m;
  m.subject = QStringLiteral("Uitslag Dinsdag");
  m.sender = {QStringLiteral("uitslag@club.nl"), QStringLiteral("Bridgeclub")};
  m.recipient = {to, {}};
  m.own = {QStringLiteral("ik@club.nl"), {}};
  for (const QString& a : attachments) m.attachments.append({a});
  return m;
}

// Names and subjects with accents, quotes and pasted line breaks; a body with a long line, a
// lone dot and "="; an attachment of every byte value.
TEST(ComposeMail, HeadersBodyAndAttachmentSurviveEncodingAndNothingBecomesAHeaderOfItsOwn) {
  QTemporaryDir dir;
  QByteArray page;
  for (int i = 0; i < 3000; ++i) page += static_cast<char>(i % 256);
  const QString pasted = QStringLiteral("\r\nBcc: boef@elders.nl");
  MailMessage m = message(QStringLiteral("jan@club.nl"), {test::writeBytes(dir.filePath("Uitslag Groep A.htm"), page)});
  m.subject = QStringLiteral("Uitslag café-avond van de Bridgeclub Ĳsselmeer, één ronde meer") + pasted;
  m.sender.displayName = QStringLiteral("Bridgeclub \"De Troef\"");
  m.recipient.displayName = QStringLiteral("Renée Müller-Ñúñez van der Ĳsselmeer-Ötztaler-Ålesund") + pasted;
  m.body = QStringLiteral("Één regel met = en é, ") + QString(90, QLatin1Char('x')) +
           QStringLiteral(" \nnog een\n.\nslot");
  const QDateTime date(QDate(2026, 12, 7), QTime(20, 15, 3), QTimeZone(3600));
  const QByteArray wire = composeMail(m, date, QStringLiteral("abc@club.nl"));

  for (const QByteArray& line : wire.split('\n')) EXPECT_LE(line.size(), 78) << line.constData();
  for (const QByteArray& line : wire.left(wire.indexOf("\r\n\r\n")).split('\n'))
    for (const QByteArray& word : line.trimmed().split(' ')) EXPECT_LE(word.size(), 75) << word.constData();
  const auto mail = parseMail(wire);
  EXPECT_FALSE(mail.headers.contains(QStringLiteral("bcc")));
  EXPECT_EQ(mail.headers.value("subject"), QString(m.subject).replace(QStringLiteral("\r\n"), QStringLiteral("  ")));
  EXPECT_EQ(mail.headers.value("from"), QStringLiteral("\"Bridgeclub \\\"De Troef\\\"\" <uitslag@club.nl>"));
  EXPECT_EQ(mail.headers.value("to"), QStringLiteral("Renée Müller-Ñúñez van der Ĳsselmeer-Ötztaler-Ålesund  "
                                                     "Bcc: boef@elders.nl <jan@club.nl>"));
  EXPECT_EQ(mail.headers.value("date"), QStringLiteral("Mon, 07 Dec 2026 20:15:03 +0100"));
  EXPECT_EQ(mail.headers.value("message-id"), QStringLiteral("<abc@club.nl>"));
  EXPECT_EQ(mail.text, QString(m.body).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
  ASSERT_EQ(mail.attachments.size(), 1);
  EXPECT_EQ(mail.attachments[0].first, QStringLiteral("Uitslag Groep A.htm"));
  EXPECT_EQ(mail.attachments[0].second, page);

  // Plain ASCII is written as it stands, so there the line break itself has to go.
  m.subject = QStringLiteral("Uitslag Dinsdag") + pasted;
  m.recipient.displayName = QStringLiteral("Jan Smit") + pasted;
  const auto plain = parseMail(composeMail(m, date, QStringLiteral("abc@club.nl")));
  EXPECT_FALSE(plain.headers.contains(QStringLiteral("bcc")));
  EXPECT_EQ(plain.headers.value("subject"), QStringLiteral("Uitslag Dinsdag  Bcc: boef@elders.nl"));
}

// An SMTP server on loopback that demands STARTTLS and a log-in. Sending through it is the
// mailing screen's test; here the refusals.
class MailerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tls.made) << tls.error.toStdString();
    const test::LocalMailServer::Options demands{tls.certificate, tls.key, QStringLiteral("club"),
                                                 QStringLiteral("geheim"), {}};
    server = test::LocalMailServer::start(dir.filePath(QStringLiteral("ontvangen")), demands);
    ASSERT_TRUE(server->running()) << server->error().toStdString();
  }
  MailerSettings settings() const {
    MailerSettings s;
    s.clientName = QStringLiteral("mervalo-client");
    s.host = QStringLiteral("127.0.0.1");
    s.port = server->port();
    s.tls = s.login = true;
    s.user = QStringLiteral("club");
    s.password = QStringLiteral("geheim");
    s.caBundle = tls.certificate;
    return s;
  }
  const test::Certificate& tls = test::sharedCertificate();
  QTemporaryDir dir;
  std::unique_ptr<test::LocalMailServer> server;
};

TEST_F(MailerTest, RefusalsComeBackAsNumbersWithoutThePassword) {
  MailerSettings wrong = settings(), untrusted = settings(), plain = settings();
  wrong.password = QStringLiteral("fout-wachtwoord");
  untrusted.caBundle.clear();
  plain.tls = plain.login = false;
  const qint32 anyError = -1;
  // A header behind the own address is the mail screens' test; which addresses are safe is the
  // address rule's.
  const struct {
    const char* what;
    MailerSettings settings;
    MailMessage message;
    qint32 number;
  } cases[] = {
      {"a wrong password", wrong, message(QStringLiteral("a@club.nl")), anyError},
      {"a certificate nobody vouches for", untrusted, message(QStringLiteral("a@club.nl")), anyError},
      {"no encryption where the server demands it", plain, message(QStringLiteral("a@club.nl")), anyError},
      {"an attachment that is gone", settings(), message(QStringLiteral("a@club.nl"), {dir.filePath("geen.htm")}),
       kMailAttachmentUnreadable},
      {"a command behind the address", settings(), message(QStringLiteral("a@club.nl>\r\nRCPT TO:<boef@elders.nl")),
       kMailBadAddress},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const MailOutcome out = Mailer(c.settings).send(c.message, true);
    if (c.number == anyError)
      EXPECT_NE(out.number, 0);
    else
      EXPECT_EQ(out.number, c.number);
    EXPECT_FALSE(out.text.contains(QStringLiteral("fout-wachtwoord")));
  }
  EXPECT_TRUE(server->received().isEmpty());
}

}  // namespace
}  // namespace mervalo
