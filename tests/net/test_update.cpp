#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "net/signature.h"
#include "net/update.h"
#include "qtprint.h"
#include "testfiles.h"

using namespace mervalo;

TEST(UpdateDates, BothPatternsAreReadWhateverTheLanguage) {
  const struct {
    const char* text;
    QDate date;  // invalid: no date
  } cases[] = {
      {"15-03-2024", QDate(2024, 3, 15)}, {"2024-03-15", QDate(2024, 3, 15)}, {" 01-03-2024\t", QDate(2024, 3, 1)},
      {"31-02-2024", QDate()},            {"2024-13-01", QDate()},            {"15/03/2024", QDate()},
      {"1-3-2024", QDate()},              {"15-03-24", QDate()},              {"20240315", QDate()},
      {"15-03-2024 nieuw", QDate()},      {"", QDate()},                      {"29-02-2024", QDate(2024, 2, 29)},
  };
  for (const auto& c : cases) {
    const auto d = parseUpdateDate(QString::fromLatin1(c.text));
    EXPECT_EQ(d.value_or(QDate()), c.date) << c.text;
  }
}

TEST(UpdateDates, OnlyALaterNoticeIsNews) {
  const struct {
    const char* notice;
    const char* last;
    bool newer;
  } cases[] = {{"15-03-2024", "01-03-2024", true},  {"2024-03-02", "01-03-2024", true}, {"01-03-2024", "2024-03-01", false},
               {"28-02-2024", "01-03-2024", false}, {"15-03-2024", "", false},          {"nooit", "01-03-2024", false},
               {"01-01-2025", "31-12-2024", true}};
  for (const auto& c : cases)
    EXPECT_EQ(noticeIsNewer(QString::fromLatin1(c.notice), QString::fromLatin1(c.last)), c.newer) << c.notice << " " << c.last;
}

// The signature file a mirror makes with OpenSSL's own tool is the one the program checks, and
// the other way round.
TEST(UpdateSignature, MatchesOpenSslPkeyutl) {
  QTemporaryDir dir;
  const auto file = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
  const auto openssl = [](const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("openssl"), args);
    return p.waitForFinished(30'000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  };
  const auto bytes = [](const QString& path) { return test::readBytes(path); };
  QByteArray updater(100'000, '\0');
  for (int i = 0; i < updater.size(); ++i) updater[i] = static_cast<char>(i * 31);
  test::writeBytes(file("updater.exe"), updater);
  ASSERT_TRUE(openssl({"genpkey", "-algorithm", "ed25519", "-out", file("key.pem")}));
  ASSERT_TRUE(openssl({"pkey", "-in", file("key.pem"), "-pubout", "-out", file("public.pem")}));
  ASSERT_TRUE(openssl({"pkeyutl", "-sign", "-rawin", "-inkey", file("key.pem"), "-in", file("updater.exe"), "-out",
                       file("updater.exe.sig")}));
  const QByteArray theirs = bytes(file("updater.exe.sig"));
  EXPECT_TRUE(isSignedBy(updater, theirs, {builtInUpdateKey(), bytes(file("public.pem"))}));
  EXPECT_FALSE(isSignedBy(updater, theirs, {builtInUpdateKey()}));
  EXPECT_FALSE(isSignedBy(updater + "x", theirs, {bytes(file("public.pem"))}));
  EXPECT_FALSE(isSignedBy(updater, theirs, {QByteArray("not a key")}));

  // Ed25519 signatures are deterministic: the program's own signing gives OpenSSL's bytes.
  EXPECT_EQ(signWithKey(updater, bytes(file("key.pem"))), theirs);
  EXPECT_TRUE(signWithKey(updater, bytes(file("public.pem"))).isEmpty());
}
