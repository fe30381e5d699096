#include <gtest/gtest.h>

#include "app/addressrule.h"
#include "publish/mailaddress.h"
#include "publish/mailsend.h"
#include "qtprint.h"

namespace mervalo {
namespace {

TEST(MailSend, ProviderSlotFlagsAndAttachmentList) {
  for (const auto& [text, slot] : {std::pair("", 0), std::pair(" 1 ", 1), std::pair("2", 0) /* no third slot */,
                                   std::pair("x", 0)})
    EXPECT_EQ(providerSlotOf(QString::fromLatin1(text)), slot) << text;
  for (const char* yes : {"True", "true", "1", "-1", "2.5"}) EXPECT_TRUE(providerFlag(QString::fromLatin1(yes))) << yes;
  for (const char* no : {"False", "0", "", "ja"}) EXPECT_FALSE(providerFlag(QString::fromLatin1(no))) << no;
  EXPECT_TRUE(attachmentPaths(QStringLiteral("/x/Dinsdag.html")).isEmpty()) << "no ';': nothing attached";
  EXPECT_EQ(attachmentPaths(QStringLiteral("/x/Dinsdag.html;")), QStringList{"/x/Dinsdag.html"});
  EXPECT_EQ(attachmentPaths(QStringLiteral("a;b;c")), (QStringList{"a", "b"}));
  EXPECT_TRUE(attachmentPaths(QString()).isEmpty());
}

// Which slot gives which setting (the client name always slot 0's, the rest the chosen one's)
// the mailing test shows against a real server; here what the message makes of typed texts.
TEST(MailSend, MessageSubjectAndBodyTexts) {
  const ProviderSlots providers{QStringList{"pc-0", "h0", "25", "False", "u0", "p0", "False", "s0@a.nl", "S0"},
                                QStringList{"pc-1", "h1", "587", "True", "u1", "p1", "1", "s1@a.nl", "S1"}};
  const MailMessage m = mailMessageFor(providers, 1, {QStringLiteral(" ik@thuis.nl"), QStringLiteral("  Uitslag  "),
                                                      QStringLiteral(" jan@club.nl "), QStringLiteral("a.html;"),
                                                      QStringLiteral("\nHallo\n")});
  EXPECT_EQ(m.subject, QStringLiteral("Uitslag"));
  EXPECT_EQ(m.body, QStringLiteral("Hallo"));
  EXPECT_EQ(m.recipient.address, QStringLiteral("jan@club.nl"));
  EXPECT_EQ(m.own.address, QStringLiteral(" ik@thuis.nl")) << "the own address as it stands";
  EXPECT_EQ(m.attachments.size(), 1);

  EXPECT_EQ(resultMailSubject(QStringLiteral(" Uitslag (Dinsdag) ")), QStringLiteral("Uitslag Dinsdag"));
  // The version goes in first, so a "#" or "%" in it would still be replaced; the names go in last.
  EXPECT_EQ(resultMailBody(QStringLiteral("Hallo #,|$|%|*"), QStringLiteral("1.0.0"), QStringLiteral("U $x"),
                           QStringLiteral("Kees"), QStringLiteral("Jan | Els %")),
            QStringLiteral("Hallo Jan | Els %,\nU $x\nKees\n1.0.0"));
}

// What a typed or pasted text loses in each box is shown by the mail screens' tests.
TEST(MailAddress, ProblemsRefusedCharactersAndWhatIsSafe) {
  EXPECT_EQ(addressProblem(QStringLiteral("jan.de.vries@club.nl")), AddressProblem::None);
  EXPECT_EQ(addressProblem(QStringLiteral("a@b@c.nl")), AddressProblem::TwoAts);
  EXPECT_EQ(addressProblem(QStringLiteral("a..b@c.nl")), AddressProblem::DoubleDot);
  EXPECT_FALSE(addressLooksComplete(QStringLiteral("jan@club")));
  EXPECT_FALSE(addressLooksComplete(QStringLiteral("jan@club.nl>")));
  EXPECT_TRUE(addressLooksComplete(QStringLiteral("jan@club.nl")));
  EXPECT_EQ(settingsAddressRefused(), QStringLiteral("!#$%^&*()+=:;'}|{'><?/\\,[] "));
  EXPECT_TRUE(downloadAddressRefused().contains(QLatin1Char('"')));
  for (const char* good : {"jan@club.nl", "j.smit@mail.club.nl", "renée@café.nl"})
    EXPECT_TRUE(isSafeMailAddress(QString::fromUtf8(good))) << good;
  for (const char* bad : {"", "jan @club.nl", "jan@club.nl\r\nBcc: x@y.nl", "<jan@club.nl>", "a@b.nl,c@d.nl",
                          "jan@club.nl\t", "jan\x7f@club.nl", "jan\xc2\xa0@club.nl"})
    EXPECT_FALSE(isSafeMailAddress(QString::fromUtf8(bad))) << bad;
}

}  // namespace
}  // namespace mervalo
