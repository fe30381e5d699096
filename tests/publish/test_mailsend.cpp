// Mail logic: the provider list (its line code, and what a damaged, short, missing or huge file
// gives), the provider slots, the message and its texts, and the address rules.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/addressrule.h"
#include "publish/mailaddress.h"
#include "publish/mailsend.h"
#include "publish/providerlist.h"
#include "qtprint.h"
#include "testfiles.h"

namespace mervalo {
namespace {

using Status = ProviderListResult::Status;

// Nine fields whose values name their own field number, so the slot order is visible.
QString fields(const QString& tag) {
  QStringList f;
  for (int i = 0; i < 9; ++i) f.append(tag + QString::number(i));
  return f.join(QStringLiteral("<>"));
}

// A provider list as the maker ships it: CR LF lines, the first ending in the size check.
QByteArray providerFile(const QStringList& texts, const QList<int>& keys, int checkAdjust = 0) {
  QStringList lines;
  qsizetype size = 0;
  for (int i = 0; i < texts.size(); ++i) {
    lines.append(encodeProviderLine(texts[i], keys[i]));
    size += lines.last().size() + 2;
  }
  lines[0] = lines[0].chopped(4) + QStringLiteral("%1").arg(size - 12 + checkAdjust, 4, 10, QLatin1Char('0'));
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

TEST(ProviderLine, DecodesWhatItEncodesAndRejectsLinesOutsideTheFormat) {
  const QString text = QStringLiteral("smtp.example.org<>587<>caf") + QChar(0xE9) + QStringLiteral("<>~|@");
  for (int key : {0, 1, 42, 744})
    EXPECT_EQ(decodeProviderLine(encodeProviderLine(text, key, QStringLiteral("1234"))), text) << key;
  // "A" is 65: with key 100 the group is 165.
  EXPECT_EQ(encodeProviderLine(QStringLiteral("A"), 100), QStringLiteral("1001650000"));
  EXPECT_EQ(decodeProviderLine(QStringLiteral("0000000")), std::optional<QString>(QString()));
  for (const char* bad : {"",             // nothing
                          "123456",       // shorter than key and check
                          "001066a0000",  // payload not digits
                          "00106650000",  // payload not whole groups
                          "100099 0000",  // value minus key below 0
                          "0002560000"})  // above 255
    EXPECT_FALSE(decodeProviderLine(QString::fromLatin1(bad))) << bad;
}

// The slots of a good file are shown through the main menu; here what damage does.
TEST(ProviderList, DamageIsReportedButDecodableLinesStillLoad) {
  const QStringList two{fields(QStringLiteral("a")), fields(QStringLiteral("b"))};
  QString badSender = two[1];  // a sender that could add a recipient or a header to every mail
  badSender.replace(QStringLiteral("b3"), QStringLiteral("b@club.nl, boef@elders.nl"));
  const struct {
    const char* what;
    QByteArray bytes;
    Status status;
    bool lengthCheckFailed;
  } cases[] = {
      {"blank lines around: they count in the size", "\r\n   \r\n" + providerFile(two, {17, 203}) + "\r\n",
       Status::Damaged, true},
      {"a wrong size check", providerFile(two, {5, 6}, 1), Status::Damaged, true},
      {"a bad sender", providerFile({two[0], badSender}, {5, 6}), Status::Damaged, false},
      {"empty", QByteArray(), Status::Missing, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProviderListResult r = parseProviderList(c.bytes);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.lengthCheckFailed, c.lengthCheckFailed);
  }
  const ProviderListResult fewFields = parseProviderList(providerFile({two[0], QStringLiteral("x<>y")}, {5, 6}));
  EXPECT_EQ(fewFields.status, Status::Damaged);
  EXPECT_EQ(fewFields.providers[0].size(), 9);
  EXPECT_TRUE(fewFields.providers[1].isEmpty());

  // A file that is missing or huge.
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("MAIL.TXT"));
  EXPECT_EQ(loadProviderList(p).status, Status::Missing);
  test::writeBytes(p, QByteArray(3 << 20, '1'));
  EXPECT_EQ(loadProviderList(p).status, Status::Damaged);
}

TEST(MailSend, ProviderSlotFlagsAndAttachmentList) {
  for (const auto& [text, slot] : {std::pair(" 1 ", 1), std::pair("2", 0) /* no third slot */, std::pair("x", 0)})
    EXPECT_EQ(providerSlotOf(QString::fromLatin1(text)), slot) << text;
  for (const char* yes : {"True", "true", "1", "-1", "2.5"}) EXPECT_TRUE(providerFlag(QString::fromLatin1(yes))) << yes;
  for (const char* no : {"False", "0", "", "ja"}) EXPECT_FALSE(providerFlag(QString::fromLatin1(no))) << no;
  EXPECT_TRUE(attachmentPaths(QStringLiteral("/x/Dinsdag.html")).isEmpty()) << "no ';': nothing attached";
  EXPECT_EQ(attachmentPaths(QStringLiteral("a;b;c")), (QStringList{"a", "b"}));
  EXPECT_TRUE(attachmentPaths(QString()).isEmpty());
}

// Which slot gives which setting (the client name always slot 0's, the rest the chosen one's)
// and the message made of them the mailing test shows against a real server; here what a
// subject or a body makes of texts with the placeholders in them, and what is trimmed.
TEST(MailSend, MessageSubjectAndBodyTexts) {
  const MailMessage m = mailMessageFor({}, 1, {QStringLiteral(" ik@thuis.nl"), QStringLiteral("  Uitslag  "),
                                               QStringLiteral(" jan@club.nl "), QStringLiteral("a.html;"), {}});
  EXPECT_EQ(m.subject, QStringLiteral("Uitslag"));
  EXPECT_EQ(m.recipient.address, QStringLiteral("jan@club.nl"));
  EXPECT_EQ(m.own.address, QStringLiteral(" ik@thuis.nl")) << "the own address as it stands";
  EXPECT_EQ(resultMailSubject(QStringLiteral(" Uitslag (Dinsdag) ")), QStringLiteral("Uitslag Dinsdag"));
  // The version goes in first, so a "#" or "%" in it would still be replaced; the names go in last.
  EXPECT_EQ(resultMailBody(QStringLiteral("Hallo #,|$|%|*"), QStringLiteral("1.0.0"), QStringLiteral("U $x"),
                           QStringLiteral("Kees"), QStringLiteral("Jan | Els %")),
            QStringLiteral("Hallo Jan | Els %,\nU $x\nKees\n1.0.0"));
}

// What a typed or pasted text loses in each box, and the problems told, are shown by the mail
// screens' tests.
TEST(MailAddress, ProblemsRefusedCharactersAndWhatIsSafe) {
  EXPECT_FALSE(addressLooksComplete(QStringLiteral("jan@club")));
  EXPECT_FALSE(addressLooksComplete(QStringLiteral("jan@club.nl>")));
  for (const char* good : {"jan@club.nl", "j.smit@mail.club.nl", "renée@café.nl"})
    EXPECT_TRUE(isSafeMailAddress(QString::fromUtf8(good))) << good;
  for (const char* bad : {"", "jan @club.nl", "jan@club.nl\r\nBcc: x@y.nl", "<jan@club.nl>", "a@b.nl,c@d.nl",
                          "jan@club.nl\t", "jan\x7f@club.nl", "jan\xc2\xa0@club.nl"})
    EXPECT_FALSE(isSafeMailAddress(QString::fromUtf8(bad))) << bad;
}

}  // namespace
}  // namespace mervalo
