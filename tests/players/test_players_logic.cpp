#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"

#include "app/textfile.h"
#include "players/calendar.h"
#include "players/entryrules.h"
#include "players/gridsort.h"
#include "players/groupfile.h"
#include "players/namelist.h"

using namespace mervalo;

namespace {
const QString kText43 = QStringLiteral("<>#%$*&:;\\/?.,'=+`~@^");
QString S(const char* s) { return QString::fromUtf8(s); }
}  // namespace

// ---- name-list files ----

TEST(NameListFile, HandEditedLinesLoadWhatTheyCan) {
  const NameList list = parseNameList({S("Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres|"), S(""), S("1|Dhr.|Jan|Smit|jan@club.nl|"),
                                       S("   "), S("2|Mevr.|Els"), S("3|Dhr.|Piet|Jansen|p@j.nl|extra|more")});
  EXPECT_EQ(list.heading, (QStringList{S("Nr."), S("Dhr / Mevr"), S("Voornaam"), S("Achternaam"), S("E-mailadres")}));
  ASSERT_EQ(list.players.size(), 3);
  EXPECT_EQ(list.players[0], (QStringList{S("1"), S("Dhr."), S("Jan"), S("Smit"), S("jan@club.nl")}));
  EXPECT_EQ(list.players[1], (QStringList{S("2"), S("Mevr."), S("Els"), QString(), QString()}));
  EXPECT_EQ(list.players[2].size(), kNameFields);
  EXPECT_EQ(list.players[2][4], S("p@j.nl"));
  EXPECT_FALSE(list.complete) << "a line with more than five fields lost data";
}

TEST(NameListFile, OnlyOneTrailingBarIsDropped) {
  EXPECT_EQ(splitNameLine(S("1|||Smit||")), (QStringList{S("1"), QString(), QString(), S("Smit"), QString()}));
  bool cut = false;
  splitNameLine(S("1|a|b|c|d|"), &cut);
  EXPECT_FALSE(cut);
  splitNameLine(S("1|a|b|c|d|e"), &cut);
  EXPECT_TRUE(cut);
}

TEST(NameListFile, EmptyOrMissingFile) {
  const NameList empty = parseNameList({});
  EXPECT_EQ(empty.heading.size(), kNameFields);
  EXPECT_TRUE(empty.players.isEmpty());
  EXPECT_FALSE(readNameList(S("/no/such/folder/list.txt")).has_value());
}

TEST(NameListFile, WritesTxtAndMailWithTheSameBytesInTheCodePage) {
  QTemporaryDir dir;
  const QStringList lines{S("Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres"), S("1|Mevr.|Renée|Müller|r@m.nl")};
  ASSERT_TRUE(writeNameList(dir.path(), S("Club"), lines));
  QFile txt(dir.path() + S("/Club.txt")), mail(dir.path() + S("/Club.mail"));
  ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
  ASSERT_TRUE(mail.open(QIODevice::ReadOnly));
  const QByteArray bytes = txt.readAll();
  EXPECT_EQ(bytes, mail.readAll());
  EXPECT_TRUE(bytes.contains("Ren\xe9" "e|M\xfcller")) << "single-byte code page";
  EXPECT_TRUE(bytes.endsWith("r@m.nl\r\n"));
  const auto back = readNameList(dir.path() + S("/Club.txt"));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->players[0][2], S("Renée"));
}

// ---- what the boxes accept ----

TEST(EntryRules, EachBoxRefusesItsOwnSet) {
  for (EntryBox box : {EntryBox::FileName, EntryBox::Name, EntryBox::Email}) {
    EXPECT_TRUE(isRefused(box, kText43, QLatin1Char('|'))) << "the field separator";
    EXPECT_TRUE(isRefused(box, kText43, QLatin1Char('"')));
    EXPECT_TRUE(isRefused(box, kText43, QLatin1Char('#')));
    EXPECT_FALSE(isRefused(box, kText43, QLatin1Char('a')));
    EXPECT_FALSE(isRefused(box, kText43, QChar(0xE9)));
  }
  EXPECT_TRUE(isRefused(EntryBox::Name, kText43, QLatin1Char('-')));
  EXPECT_FALSE(isRefused(EntryBox::Email, kText43, QLatin1Char('-')));
  EXPECT_FALSE(isRefused(EntryBox::FileName, kText43, QLatin1Char('-')));
  EXPECT_TRUE(isRefused(EntryBox::Name, kText43, QLatin1Char('.')));
  EXPECT_TRUE(isRefused(EntryBox::Name, kText43, QLatin1Char('@')));
  EXPECT_FALSE(isRefused(EntryBox::Email, kText43, QLatin1Char('.')));
  EXPECT_FALSE(isRefused(EntryBox::Email, kText43, QLatin1Char('@')));
  EXPECT_TRUE(isRefused(EntryBox::FileName, kText43, QLatin1Char('.')));
  EXPECT_EQ(refusedListForMessage(EntryBox::Email, kText43), kText43 + S("\"-"));
  EXPECT_EQ(refusedListForMessage(EntryBox::FileName, kText43), kText43 + S("\""));
}

TEST(EntryRules, Repairs) {
  EXPECT_EQ(repairEntry(S("jan..smit")), S("jan.smit"));
  EXPECT_EQ(repairEntry(S("a....b")), S("a.b"));
  EXPECT_EQ(repairEntry(S("jan@@club.nl")), S("jan@club.nl"));
  EXPECT_EQ(repairEntry(S("jan@club.nl@")), S("jan@club.nl"));
  EXPECT_EQ(repairEntry(S("a@b@c@d")), S("a@b"));
  EXPECT_EQ(repairEntry(S("plain")), S("plain"));
  EXPECT_EQ(cleanField(S("a|b\r\nc")), S("abc"));
}

TEST(EntryRules, ListNames) {
  EXPECT_EQ(nameBeforeTxt(S("Club.txt")), S("Club"));
  EXPECT_EQ(nameBeforeTxt(S("Club.TXT")), S("Club"));
  EXPECT_EQ(nameBeforeTxt(S("Club.txt.txt")), S("Club"));
  EXPECT_EQ(nameBeforeTxt(S("Club")), S("Club"));
  EXPECT_EQ(nameBeforeDot(S("03-12-2026 Groep A.txt")), S("03-12-2026 Groep A"));
}

// ---- group files ----

TEST(GroupFile, LinesOfEveryKind) {
  EXPECT_EQ(pairLine(S("3"), playerDescription(S("Dhr."), S("Jan"), S("Smit")), S("7"),
                     playerDescription(S("Mevr."), S("Anna"), S("de Vries"))),
            S("3| Dhr. Jan Smit+7| Mevr. Anna de Vries"));
  EXPECT_EQ(playerDescription(QString(), S("Jan"), S("Smit")), S("  Jan Smit"));
  EXPECT_EQ(sitOutText(S("Stilzit")), S("***** Stilzit *****"));
  EXPECT_EQ(groupName(S("03-12-2026"), S("Groep"), S("B")), S("03-12-2026 Groep B"));
  EXPECT_EQ(groupName(S("03.12.2026"), S("Groep"), S("B")), S("03 Groep B"));
  EXPECT_EQ(resultsRelativePath(S("03-12-2026 Groep B"), S("Uitslag")), S("/invoer/03-12-2026 Groep B Uitslag.txt"));
}

TEST(GroupFile, DamagedFilesKeepEveryLineTheyCan) {
  const GroupFile g = parseGroupFile({S("3| Dhr. Jan Smit+7| Mevr. Anna de Vries"), S(""), S("***** Stilzit *****"),
                                      S("no plus here"), S("x| Dhr. A B+y| Dhr. C D"), S("** again **"),
                                      S("1| Dhr. A+2| B+3| C")});
  ASSERT_EQ(g.entries.size(), 5);
  EXPECT_EQ(g.entries[0].kind, GroupEntry::Kind::Pair);
  EXPECT_EQ(g.entries[0].players[1], S("7| Mevr. Anna de Vries"));
  EXPECT_EQ(g.entries[0].display, S(" Dhr. Jan Smit -  Mevr. Anna de Vries"));
  EXPECT_EQ(g.entries[1].kind, GroupEntry::Kind::SitOut);
  EXPECT_EQ(g.entries[2].kind, GroupEntry::Kind::Unreadable);
  EXPECT_EQ(g.entries[2].line, S("no plus here"));
  EXPECT_EQ(g.entries[3].players[0], S("x| Dhr. A B"));
  EXPECT_EQ(g.entries[4].players[1], S("2| B+3| C"));
  EXPECT_FALSE(g.complete) << "the second sit-out was left out";
  EXPECT_TRUE(parseGroupFile({S("***** Stilzit *****")}).complete);
}

TEST(GroupFile, PlayerKeysFindThePlayerByNumberAndName) {
  const QStringList keys{pickKey({S("1"), S("Dhr."), S("Jan"), S("Smit"), S("")}),
                         pickKey({S("13"), S("Dhr."), S("Jan"), S("Smit"), S("")}),
                         pickKey({S("4"), QString(), S("Els"), S("Bos"), S("e@b.nl")})};
  auto find = [&](const QString& player) {
    const QString key = groupPlayerKey(player);
    for (int i = 0; i < keys.size(); ++i)
      if (keys[i].startsWith(key, Qt::CaseInsensitive)) return i;
    return -1;
  };
  EXPECT_EQ(find(S("13| Dhr. Jan Smit")), 1);
  EXPECT_EQ(find(S("1| Dhr. Jan Smit")), 0);
  EXPECT_EQ(find(S("4|  Els Bos")), 2) << "a player without title";
  EXPECT_EQ(find(S("5| Dhr. Jan Smit")), -1);
}

TEST(GroupFile, MailLineOfADescription) {
  const QStringList mail{S("1|Dhr.|Jan|Smit|j@s.nl"), S("2|Mevr.|Anna|de Vries|")};
  EXPECT_EQ(findMailLine(mail, S(" Mevr. Anna de Vries")), 1);
  EXPECT_EQ(findMailLine(mail, S(" Dhr. Jan Smit")), 0);
  EXPECT_EQ(findMailLine(mail, S(" Dhr. Kees Smit")), -1);
  EXPECT_EQ(findMailLine(mail, S("   ")), -1);
}

// ---- calendar ----

TEST(Calendar, CellsRowsAndFirstWeekday) {
  auto filled = [](int y, int m) {
    int n = 0;
    for (int d : monthCells(y, m)) n += d ? 1 : 0;
    return n;
  };
  EXPECT_EQ(filled(2024, 2), 29);
  EXPECT_EQ(filled(2100, 2), 28);
  // February 2026 starts on a Sunday: the 1st is in cell 7.
  EXPECT_EQ(firstColumn(2026, 2), 7);
  EXPECT_EQ(monthCells(2026, 2)[6], 1);
  EXPECT_EQ(monthCells(2026, 2)[5], 0);
  // 31 days from a Saturday (August 2026), 30 from a Sunday (November 2026): six rows.
  EXPECT_TRUE(needsSixthRow(2026, 8));
  EXPECT_EQ(monthCells(2026, 8)[35], 31);
  EXPECT_TRUE(needsSixthRow(2026, 11));
  EXPECT_FALSE(needsSixthRow(2026, 12));
  // A common February from a Monday (2027) fills exactly four rows.
  const auto feb = monthCells(2027, 2);
  EXPECT_EQ(feb[0], 1);
  EXPECT_EQ(feb[27], 28);
  EXPECT_EQ(feb[28], 0);
}

TEST(Calendar, DateTextFollowsThePattern) {
  EXPECT_EQ(dateText(3, 12, 2026, S("DD-MM-YYYY")), S("03-12-2026"));
  EXPECT_EQ(dateText(3, 12, 2026, S("YYYY-MM-DD")), S("2026-12-03"));
  EXPECT_EQ(dateText(31, 1, 2030, S("DD/MM/YYYY x")), S("31/01/2030 x"));
}

// ---- sorting the lists ----

TEST(GridSort, SameOrderAsTheGridsOwnSort) {
  const QStringList keys{S("Smit"), S("bakker"), S("10"), S("9"), S("Bakker"), S(""), S(" 2 "), S("Élan"),
                         S("smit"), S("1e3"), S("Zon"), S("abc"), S("-4"), S("Bakker")};
  Grid a(static_cast<int>(keys.size()) + 2, 5), b;
  for (int r = 1; r <= keys.size(); ++r) {
    a.setText(r, 3, keys[r - 1]);
    a.setText(r, 0, QString::number(r));
  }
  b = a;
  a.sortRows(1, static_cast<int>(keys.size()), 3, true);
  sortRowsAscending(b, 1, static_cast<int>(keys.size()), 3);
  for (int r = 0; r < a.rows(); ++r) EXPECT_EQ(a.rowTexts(r), b.rowTexts(r)) << "row " << r;
  EXPECT_TRUE(b.text(b.rows() - 1, 3).isEmpty()) << "rows outside the range stay put";
}
