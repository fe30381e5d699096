#include <gtest/gtest.h>

#include "net/update.h"
#include "qtprint.h"

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

TEST(UpdateDates, WrittenInTheLanguagesPattern) {
  EXPECT_EQ(formatUpdateDate(QDate(2024, 3, 5), QStringLiteral("DD-MM-YYYY")), QStringLiteral("05-03-2024"));
  EXPECT_EQ(formatUpdateDate(QDate(2024, 3, 5), QStringLiteral("YYYY-MM-DD")), QStringLiteral("2024-03-05"));
  EXPECT_EQ(updaterArgument(QStringLiteral("/opt/mervalo")), QStringLiteral("/p=/opt/mervalo"));
}
