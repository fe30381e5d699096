#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "publish/providerlist.h"
#include "qtprint.h"
#include "testfiles.h"

using namespace mervalo;
using Status = ProviderListResult::Status;

namespace {

// Nine fields whose values name their own field number, so the slot order is visible.
QString fields(const QString& tag) {
  QStringList f;
  for (int i = 0; i < 9; ++i) f.append(tag + QString::number(i));
  return f.join(QStringLiteral("<>"));
}

// A provider list as the maker ships it: CR LF lines, the first ending in the size check.
QByteArray providerFile(const QStringList& texts, const QList<int>& keys, int checkAdjust = 0) {
  QStringList lines;
  for (int i = 0; i < texts.size(); ++i) lines.append(encodeProviderLine(texts[i], keys[i]));
  qsizetype size = 0;
  for (const QString& l : lines) size += l.size() + 2;
  lines[0].chop(4);
  lines[0] += QStringLiteral("%1").arg(size - 12 + checkAdjust, 4, 10, QLatin1Char('0'));
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

}  // namespace

TEST(ProviderLine, DecodesWhatItEncodes) {
  const QString text = QStringLiteral("smtp.example.org<>587<>caf") + QChar(0xE9) + QStringLiteral("<>~|@");
  for (int key : {0, 1, 42, 744}) {
    const QString line = encodeProviderLine(text, key, QStringLiteral("1234"));
    EXPECT_EQ(decodeProviderLine(line), std::optional<QString>(text)) << key;
  }
  // "A" is 65: with key 100 the group is 165.
  EXPECT_EQ(encodeProviderLine(QStringLiteral("A"), 100), QStringLiteral("1001650000"));
  EXPECT_EQ(decodeProviderLine(QStringLiteral("0000000")), std::optional<QString>(QString()));
}

TEST(ProviderLine, RejectsLinesOutsideTheFormat) {
  for (const char* bad : {"",             // nothing
                          "123456",       // shorter than key and check
                          "x01065 0000",  // key not digits
                          "001066a0000",  // payload not digits
                          "00106650000",  // payload not whole groups
                          "100099 0000",  // value minus key below 0
                          "0002560000"})  // above 255
    EXPECT_FALSE(decodeProviderLine(QString::fromLatin1(bad))) << bad;
}

// The slots of a good file are shown through the main menu; here the blank lines around it.
TEST(ProviderList, BlankLinesAreIgnoredInTheSlotsButCountInTheSize) {
  const QByteArray file = providerFile({fields(QStringLiteral("a")), fields(QStringLiteral("b"))}, {17, 203});
  const ProviderListResult r = parseProviderList("\r\n   \r\n" + file + "\r\n");
  EXPECT_TRUE(r.lengthCheckFailed) << "the blank lines count in the size";
  EXPECT_EQ(r.lines.size(), 2);
  EXPECT_EQ(r.providers[0].value(0), QStringLiteral("a2"));
  EXPECT_EQ(r.providers[1].value(7), QStringLiteral("b3"));
}

TEST(ProviderList, DamageIsReportedButDecodableLinesStillLoad) {
  const QStringList two{fields(QStringLiteral("a")), fields(QStringLiteral("b"))};
  const ProviderListResult wrongLength = parseProviderList(providerFile(two, {5, 6}, 1));
  EXPECT_EQ(wrongLength.status, Status::Damaged);
  EXPECT_TRUE(wrongLength.lengthCheckFailed);
  EXPECT_EQ(wrongLength.providers[0].value(0), QStringLiteral("a2"));

  const ProviderListResult three =
      parseProviderList(providerFile({two[0], two[1], fields(QStringLiteral("c"))}, {5, 6, 7}));
  EXPECT_EQ(three.status, Status::Damaged);
  EXPECT_FALSE(three.lengthCheckFailed);

  const ProviderListResult fewFields = parseProviderList(providerFile({two[0], QStringLiteral("x<>y")}, {5, 6}));
  EXPECT_EQ(fewFields.status, Status::Damaged);
  EXPECT_EQ(fewFields.providers[0].size(), 9);
  EXPECT_TRUE(fewFields.providers[1].isEmpty());

  // A sender that could add a recipient or a header to every mail.
  QString badSender = two[1];
  badSender.replace(QStringLiteral("b3"), QStringLiteral("b@club.nl, boef@elders.nl"));
  EXPECT_EQ(parseProviderList(providerFile({two[0], badSender}, {5, 6})).status, Status::Damaged);
  EXPECT_TRUE(isCompleteProviderList(providerFile(two, {5, 6})));
  EXPECT_FALSE(isCompleteProviderList(providerFile({two[0]}, {5})));

  EXPECT_EQ(parseProviderList("\r\n  \r\n\t\r\n").status, Status::Damaged);
  EXPECT_EQ(parseProviderList(QByteArray("\x00\xff garbage", 10)).status, Status::Damaged);
  EXPECT_EQ(parseProviderList(QByteArray()).status, Status::Missing);
}

TEST(ProviderList, FileThatIsMissingEmptyOrHuge) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("MAIL.TXT"));
  EXPECT_EQ(loadProviderList(p).status, Status::Missing);
  test::writeBytes(p, {});
  EXPECT_EQ(loadProviderList(p).status, Status::Missing);
  test::writeBytes(p, QByteArray(3 << 20, '1'));
  EXPECT_EQ(loadProviderList(p).status, Status::Damaged);
  QDir().mkpath(dir.filePath(QStringLiteral("folder")));
  EXPECT_EQ(loadProviderList(dir.filePath(QStringLiteral("folder"))).status, Status::Missing);
}
