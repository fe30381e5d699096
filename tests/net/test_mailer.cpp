#include <QDir>
#include <QJsonArray>
#include <QTimeZone>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "mailserver.h"
#include "net/mailer.h"
#include "testfiles.h"
#include "testservers.h"

namespace mervalo {
namespace {

using test::LocalMailServer;
using test::parseMail;

using test::writeBytes;

MailMessage message(const QString& to, const QStringList& attachments = {}) {
  MailMessage m;
  m.subject = QStringLiteral("Uitslag Dinsdag");
  m.body = QStringLiteral("Hallo Jan,\n\nHierbij de uitslag.\n\nMet vriendelijke groet,\nBridgeclub");
  m.sender = {QStringLiteral("uitslag@club.nl"), QStringLiteral("Bridgeclub")};
  m.recipient = {to, {}};
  m.own = {QStringLiteral("ik@club.nl"), {}};
  for (const QString& a : attachments) m.attachments.append({a});
  return m;
}

TEST(ComposeMail, HeadersBodyAndAttachmentSurviveEncoding) {
  QTemporaryDir dir;
  QByteArray page;
  for (int i = 0; i < 3000; ++i) page += static_cast<char>(i % 256);
  const QString file = writeBytes(dir.filePath(QStringLiteral("Uitslag Groep A.htm")), page);
  MailMessage m = message(QStringLiteral("jan@club.nl"), {file});
  m.subject = QStringLiteral("Uitslag van de zesde ronde van het café-kampioenschap, met één lange naam erin");
  m.sender.displayName = QStringLiteral("Bridgeclub \"De Troef\"");
  m.recipient.displayName = QStringLiteral("Renée Müller");
  m.body = QStringLiteral("Één regel met = en é, ") + QString(90, QLatin1Char('x')) + QStringLiteral(" \nnog een\n.\nslot");
  const QDateTime date(QDate(2026, 12, 7), QTime(20, 15, 3), QTimeZone(3600));
  const QByteArray wire = composeMail(m, date, QStringLiteral("abc@club.nl"));

  for (const QByteArray& line : wire.split('\n')) EXPECT_LE(line.size(), 78) << line.constData();
  EXPECT_LE(wire.indexOf("\r\n\r\n"), wire.indexOf("Content-Type: text/plain"));
  const auto mail = parseMail(wire);
  EXPECT_EQ(mail.headers.value("subject"), m.subject);
  EXPECT_EQ(mail.headers.value("from"), QStringLiteral("\"Bridgeclub \\\"De Troef\\\"\" <uitslag@club.nl>"));
  EXPECT_EQ(mail.headers.value("to"), QStringLiteral("Renée Müller <jan@club.nl>"));
  EXPECT_EQ(mail.headers.value("reply-to"), QStringLiteral("<ik@club.nl>"));
  EXPECT_EQ(mail.headers.value("date"), QStringLiteral("Mon, 07 Dec 2026 20:15:03 +0100"));
  EXPECT_EQ(mail.headers.value("message-id"), QStringLiteral("<abc@club.nl>"));
  EXPECT_EQ(mail.text, QString(m.body).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
  ASSERT_EQ(mail.attachments.size(), 1);
  EXPECT_EQ(mail.attachments[0].first, QStringLiteral("Uitslag Groep A.htm"));
  EXPECT_EQ(mail.attachments[0].second, page);

  QString why;
  m.attachments = {{dir.filePath(QStringLiteral("weg.htm"))}};
  EXPECT_TRUE(composeMail(m, date, QStringLiteral("x@y"), &why).isEmpty());
  EXPECT_TRUE(why.contains(QStringLiteral("weg.htm")));
}

class MailerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QString error;
    ASSERT_TRUE(test::makeCertificate(dir.path(), QStringLiteral("smtp"), &certificate, &key, &error)) << error.toStdString();
    LocalMailServer::Options o{certificate, key, QStringLiteral("club"), QStringLiteral("geheim"),
                               {QStringLiteral("weiger@club.nl")}};
    server = LocalMailServer::start(dir.filePath(QStringLiteral("ontvangen")), o);
    ASSERT_TRUE(server->running()) << server->error().toStdString();
  }
  MailerSettings settings() const {
    MailerSettings s;
    s.clientName = QStringLiteral("mervalo-client");
    s.host = QStringLiteral("127.0.0.1");
    s.port = server->port();
    s.tls = true;
    s.user = QStringLiteral("club");
    s.password = QStringLiteral("geheim");
    s.login = true;
    s.caBundle = certificate;
    return s;
  }
  QTemporaryDir dir;
  QString certificate, key;
  std::unique_ptr<LocalMailServer> server;
};

TEST_F(MailerTest, SeveralMessagesOverOneEncryptedConnection) {
  QByteArray page("<html>uitslag</html>\r\n");
  const QString file = writeBytes(dir.filePath(QStringLiteral("uitslag.htm")), page);
  Mailer mailer(settings());
  for (const char* to : {"a@club.nl", "b@club.nl", "c@club.nl"}) {
    const MailOutcome out = mailer.send(message(QString::fromLatin1(to), {file}), true);
    EXPECT_EQ(out.number, 0) << out.text.toStdString();
  }
  const auto got = server->received();
  ASSERT_EQ(got.size(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(got[i].envelope.value("from").toString(), QStringLiteral("uitslag@club.nl"));
    EXPECT_EQ(got[i].envelope.value("ehlo").toString(), QStringLiteral("mervalo-client"));
    EXPECT_EQ(got[i].envelope.value("port"), got[0].envelope.value("port")) << "one connection for all";
    EXPECT_EQ(parseMail(got[i].message).attachments.value(0).second, page);
  }
  EXPECT_EQ(got[1].envelope.value("to").toArray().first().toString(), QStringLiteral("b@club.nl"));
}

TEST_F(MailerTest, RefusalsComeBackAsNumbersWithoutThePassword) {
  {
    Mailer mailer(settings());
    const MailOutcome refused = mailer.send(message(QStringLiteral("weiger@club.nl")), true);
    EXPECT_EQ(refused.number, 550);
    EXPECT_FALSE(refused.text.isEmpty());
    EXPECT_EQ(mailer.send(message(QStringLiteral("a@club.nl")), true).number, 0) << "the mailer goes on after a refusal";
  }
  MailerSettings wrong = settings();
  wrong.password = QStringLiteral("fout-wachtwoord");
  const MailOutcome denied = Mailer(wrong).send(message(QStringLiteral("a@club.nl")), true);
  EXPECT_NE(denied.number, 0);
  EXPECT_FALSE(denied.text.contains(QStringLiteral("fout-wachtwoord")));

  MailerSettings untrusted = settings();
  untrusted.caBundle.clear();
  EXPECT_NE(Mailer(untrusted).send(message(QStringLiteral("a@club.nl")), true).number, 0);

  MailerSettings plain = settings();
  plain.tls = false;
  EXPECT_NE(Mailer(plain).send(message(QStringLiteral("a@club.nl")), true).number, 0)
      << "the server demands encryption before anything else";

  const MailOutcome missing = Mailer(settings()).send(message(QStringLiteral("a@club.nl"), {dir.filePath("geen.htm")}), true);
  EXPECT_EQ(missing.number, kMailAttachmentUnreadable);

  // Nothing that could end an address early reaches a header or an SMTP command.
  for (const char* to : {"a@club.nl>\r\nRCPT TO:<boef@elders.nl", "a@club.nl, boef@elders.nl", "a @club.nl"})
    EXPECT_EQ(Mailer(settings()).send(message(QString::fromLatin1(to)), true).number, kMailBadAddress) << to;
  MailMessage badOwn = message(QStringLiteral("a@club.nl"));
  badOwn.own.address = QStringLiteral("ik@club.nl\nBcc: boef@elders.nl");
  EXPECT_EQ(Mailer(settings()).send(badOwn, true).number, kMailBadAddress);
  MailerSettings clear = settings();
  clear.tls = false;
  EXPECT_EQ(Mailer(clear).send(message(QStringLiteral("a@club.nl")), true).number, kMailPasswordInClear);
  EXPECT_EQ(server->received().size(), 1) << "only the one accepted message arrived";
}

TEST_F(MailerTest, AccentedNamesAndPastedLineBreaksStayInsideTheirHeaders) {
  MailMessage m = message(QStringLiteral("jan@club.nl"));
  const QString pasted = QStringLiteral("\r\nBcc: boef@elders.nl");
  m.subject = QStringLiteral("Uitslag café-avond van de Bridgeclub Ĳsselmeer, één ronde meer") + pasted;
  m.recipient.displayName = QStringLiteral("Renée Müller-Ñúñez van der Ĳsselmeer-Ötztaler-Ålesund") + pasted;
  ASSERT_EQ(Mailer(settings()).send(m, true).number, 0);
  const auto got = server->received();
  ASSERT_EQ(got.size(), 1);
  EXPECT_EQ(got[0].envelope.value("to").toArray(), QJsonArray{QStringLiteral("jan@club.nl")});
  const QByteArray head = got[0].message.left(got[0].message.indexOf("\r\n\r\n"));
  for (const QByteArray& line : head.split('\n')) {
    EXPECT_LE(line.trimmed().size(), 76) << line.constData();
    EXPECT_FALSE(line.startsWith("Bcc")) << "a header of its own";
    for (const QByteArray& word : line.trimmed().split(' ')) EXPECT_LE(word.size(), 75) << word.constData();
  }
  const auto mail = parseMail(got[0].message);
  EXPECT_FALSE(mail.headers.contains(QStringLiteral("bcc")));
  EXPECT_EQ(mail.headers.value("subject"), QString(m.subject).replace(QStringLiteral("\r\n"), QStringLiteral("  ")));
  EXPECT_EQ(mail.headers.value("to"),
            QStringLiteral("Renée Müller-Ñúñez van der Ĳsselmeer-Ötztaler-Ålesund  Bcc: boef@elders.nl <jan@club.nl>"));

  // Plain ASCII is written as it stands, so there the line break itself has to go.
  m.subject = QStringLiteral("Uitslag Dinsdag") + pasted;
  m.recipient.displayName = QStringLiteral("Jan Smit") + pasted;
  ASSERT_EQ(Mailer(settings()).send(m, true).number, 0);
  const auto plain = parseMail(server->received().value(1).message);
  EXPECT_FALSE(plain.headers.contains(QStringLiteral("bcc")));
  EXPECT_EQ(plain.headers.value("subject"), QStringLiteral("Uitslag Dinsdag  Bcc: boef@elders.nl"));
}

}  // namespace
}  // namespace mervalo
