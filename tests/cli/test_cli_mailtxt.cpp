// Runs the real mervalo-cli mailtxt and reads its list back with the program's loader.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "publish/providerlist.h"
#include "testfiles.h"

namespace {

using namespace mervalo::test;

CliRun mailtxt(const QStringList& args) { return runCli(QStringList{QStringLiteral("mailtxt")} + args); }

const char* kGood =
    "# the club's own server first\r\n"
    "server = smtp.club.nl\n"
    "port = 587\n"
    "TLS = True\n"
    "user = uitslag@club.nl\n"
    "password = geheim=met=is\n"
    "login = True\n"
    "client name = club-pc\n"
    "sender address = uitslag@club.nl\n"
    "sender name = Bridgeclub Café\n"
    "\n\n"
    "server=mail.example.org\nport=25\ntls=False\nuser=\npassword=\nlogin=False\nclient name=x\n"
    "sender address=a@example.org\nsender name=Voorbeeld\n";

QString write(QTemporaryDir& dir, const QByteArray& text) { return writeBytes(dir.filePath(QStringLiteral("providers.txt")), text); }

}  // namespace

TEST(CliMailTxt, TheLoaderReadsBackWhatWasDescribed) {
  QTemporaryDir dir;
  const CliRun r = mailtxt({write(dir, kGood)});
  ASSERT_EQ(r.exitCode, 0) << r.err.constData();
  const mervalo::ProviderListResult list = mervalo::parseProviderList(r.out);
  EXPECT_EQ(list.status, mervalo::ProviderListResult::Status::Ok);
  EXPECT_FALSE(list.lengthCheckFailed);
  // Slot entries in the order the mail sender reads them.
  EXPECT_EQ(list.providers[0], (QStringList{"club-pc", "smtp.club.nl", "587", "True", "uitslag@club.nl", "geheim=met=is",
                                            "True", "uitslag@club.nl", QStringLiteral("Bridgeclub Café")}));
  EXPECT_EQ(list.providers[1].value(1), QStringLiteral("mail.example.org"));
  EXPECT_EQ(list.providers[1].value(4), QString());
  EXPECT_TRUE(r.out.endsWith("\r\n"));
}

TEST(CliMailTxt, BadInputWritesNothingAndSaysWhy) {
  QTemporaryDir dir;
  const QByteArray good(kGood);
  struct Case {
    QByteArray text;
    const char* why;
  };
  const Case cases[] = {
      {QByteArray(kGood).replace("sender name = Bridgeclub Café\n", ""), "no field \"sender name\""},
      {QByteArray(kGood).replace("port = 587", "port = 5<>87"), "<>"},
      {QByteArray(kGood).replace("Bridgeclub Café", "Bridgeclub \xe2\x82\xac\xe2\x9c\x93"), "code page"},
      {QByteArray(kGood).replace("port = 587", "port = 58\r7"), "line break"},
      {QByteArray(kGood).replace("port = 587", "poort = 587"), "unknown field"},
      {QByteArray(kGood).replace("port = 587", "port 587"), "field = value"},
      {QByteArray(kGood).replace("port = 587", "port = 587\nport = 588"), "twice"},
      {good.left(good.indexOf("\n\n")), "two providers"},
      {good + "\n\nserver=a\n", "more than two"},
      {QByteArray(kGood).replace("TLS = True", "TLS = False"), "password in clear"},
      {QByteArray(kGood).replace("sender address = uitslag@club.nl", "sender address = a@b.nl, c@d.nl"), "sender address"},
  };
  for (const Case& c : cases) {
    const CliRun r = mailtxt({write(dir, c.text)});
    EXPECT_NE(r.exitCode, 0) << c.why;
    EXPECT_TRUE(r.out.isEmpty()) << c.why;
    EXPECT_TRUE(r.err.contains(c.why)) << c.why << ": " << r.err.constData();
  }
  const CliRun missing = mailtxt({dir.filePath(QStringLiteral("weg.txt"))});
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_TRUE(missing.out.isEmpty());
}
