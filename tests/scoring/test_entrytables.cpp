// Scores at the tables, on both entry screens: the table server started from the screen, real
// requests over loopback, and what the screen and the event file make of them.

#include <QJsonArray>
#include <QTcpServer>
#include <QTimer>
#include <memory>

#include "../tables/httpclient.h"
#include "../tables/tablesevent.h"
#include "app/screens/printing.h"
#include "entrytest.h"
#include "tables/screens/tablepanel.h"
#include "tables/tableserver.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

// A Mitchell movement: NS pair t stays at table t, EW moves up a table a round, and every table
// plays set r in round r (two boards a round), so each board is played once at every table.
const QStringList kMitchell = QStringList{QStringLiteral("08 Paren 03 Ronden Mitchell")} + mitchellRounds(4);

// What table t sends for board b: 1NT by North or East, 7 to 9 tricks, right whoever is
// vulnerable; and the NS score it gives.
bool byEast(int table, int board) { return (table * board) % 2 == 1; }
int tricks(int table, int board) { return 7 + (table + board) % 3; }
QString sent(int table, int board) {
  return QString::number((byEast(table, board) ? -1 : 1) * (30 * tricks(table, board) - 120));
}

class TablesEntryTest : public EntryTest, public ::testing::WithParamInterface<int> {
 protected:
  TablesEntryTest() {
    writeFile(QStringLiteral("/schema/10/08 Paren 03 Ronden Mitchell.txt"), kMitchell);
    writeFile(QStringLiteral("/standaard.ini"), {"[Standaard]", "tafel poort=0"});
  }
  int mode() const { return GetParam(); }
  EntryScreen* start() {
    const QStringList lines = header(mode(), kMitchell[0], QStringLiteral("Geen"), 2);
    return mode() == 0 ? static_cast<EntryScreen*>(startScreen<BoardEntryScreen>(lines))
                       : startScreen<RoundEntryScreen>(lines);
  }
  TableServer& server(EntryScreen* s) { return s->tablePanel()->server(); }
  // A request of table t, with its code, carrying these fields.
  QByteArray ask(EntryScreen* s, int table, QJsonObject fields) {
    fields.insert("table", table);
    fields.insert("code", server(s).codes().value(table));
    return QJsonDocument(fields).toJson(QJsonDocument::Compact);
  }
  QByteArray body(EntryScreen* s, int table, int board) {
    return ask(s, table, {{"board", board}, {"contract", "1NT"}, {"declarer", byEast(table, board) ? "E" : "N"},
                          {"tricks", tricks(table, board)}, {"id", QStringLiteral("t%1b%2").arg(table).arg(board)}});
  }
  // Shows table t's score for board b and gives its row: the row of NS pair t on the board
  // screen (NS pair t sits at table t), the row of the board on table t's slip of its round.
  int rowOf(EntryScreen* s, int table, int board) {
    if (auto* b = dynamic_cast<BoardEntryScreen*>(s)) {
      if (b->currentBoard() != board) b->cmdSpel_Click(board);
      int row = 0;
      while (row < 3 && label(s, QStringLiteral("lblNZ_%1").arg(row)) != QString::number(table)) ++row;
      return row;
    }
    auto* r = static_cast<RoundEntryScreen*>(s);
    if (r->currentRound() != (board + 1) / 2) r->cmdRonde_Click((board + 1) / 2);
    if (r->currentSlip() != table - 1) r->optRonde_Click(table - 1);
    return (board + 1) % 2;
  }
  QString shown(EntryScreen* s, int table, int board) { return ns(s, rowOf(s, table, board))->text(); }
  void typeScore(EntryScreen* s, int table, int board, const QString& score) {
    QLineEdit* box = ns(s, rowOf(s, table, board));
    box->setText(score);
    QTest::keyClick(box, Qt::Key_Return);
  }
  // Types every score as the organiser would from the score sheets, board by board or slip by
  // slip; `score` gives table t's NS score on board b.
  void typeAll(EntryScreen* s, const std::function<QString(int, int)>& score) {
    for (int round = 1; round <= 3; ++round)
      for (int unit = 0; unit < (mode() == 0 ? 2 : 4); ++unit) {  // a board of the round, or a slip
        for (int k = 0; k < (mode() == 0 ? 4 : 2); ++k) {
          const int table = mode() == 0 ? k + 1 : unit + 1, board = 2 * round - 1 + (mode() == 0 ? unit : k);
          typeScore(s, table, board, score(table, board));
        }
        s->cmdSpelKlaar_Click();
      }
  }
  bool done(EntryScreen* s) { return button(s, "cmdUitslag")->isEnabled(); }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(BothScreens, TablesEntryTest, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "PerBoard" : "PerRound"; });

TEST_P(TablesEntryTest, PhonesFillTheScreenTheOrganiserCorrectsAndTheFileIsAsIfTyped) {
  EntryScreen* s = start();
  ASSERT_TRUE(s);
  click(s, "cmdTafels");
  ASSERT_TRUE(server(s).running());
  // The QR code and the code sheets are read by eye: a phone that scans them shows the fault.
  EXPECT_FALSE(child<QLabel>(s, "picTafelQR")->pixmap().isNull());
  setPrinterDialog(pdfPrinterDialog(path("/codes.pdf")));
  click(s, "cmdCodeKaarten");
  setPrinterDialog({});
  EXPECT_GT(QFileInfo(path("/codes.pdf")).size(), 0);

  // Three tables send board 1: their rows fill, and the board waits for the fourth.
  Client phone(server(s).port());
  for (int table = 1; table <= 3; ++table) ASSERT_EQ(phone.call("POST", "/api/score", body(s, table, 1)).status, 200);
  EXPECT_EQ(label(s, "lblTafelsGezien"), QStringLiteral("Tafels gezien: 3 van 4"));
  for (int table = 1; table <= 3; ++table) EXPECT_EQ(shown(s, table, 1), sent(table, 1)) << table;
  EXPECT_TRUE(shown(s, 4, 1).isEmpty());
  EXPECT_FALSE(done(s));

  // The rest but one at once, each sent twice from a phone of its own (the second is answered
  // as a repeat and stored no second time), while the screen's event loop keeps turning.
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(0);
  std::vector<std::unique_ptr<Client>> phones;
  for (int board = 1; board <= 6; ++board)
    for (int table = board == 1 ? 4 : 1; table <= (board == 6 ? 3 : 4); ++table)
      for (int copy = 0; copy < 2; ++copy) {
        phones.push_back(std::make_unique<Client>(server(s).port()));
        phones.back()->send("POST", "/api/score", body(s, table, board));
      }
  std::vector<Response> answers(phones.size());
  std::vector<bool> in(phones.size(), false);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        for (size_t i = 0; i < phones.size(); ++i) in[i] = in[i] || phones[i]->poll(&answers[i]);
        return std::find(in.begin(), in.end(), false) == in.end();
      },
      20000));
  EXPECT_GT(ticks, 1);  // answered over many turns of the event loop, none of them waiting
  int repeats = 0;
  for (const Response& r : answers) {
    EXPECT_EQ(r.status, 200) << r.body.constData();
    repeats += r.json["repeated"].toBool();
  }
  EXPECT_EQ(repeats, 20);
  EXPECT_EQ(readLines(QStringLiteral("/invoer/Dinsdag Uitslag Contracten.txt")).size(), 23);
  // The last one typed: that board (that slip) is completed by hand among the phones' scores.
  EXPECT_FALSE(done(s));
  typeScore(s, 4, 6, sent(4, 6));
  s->cmdSpelKlaar_Click();
  EXPECT_TRUE(done(s));  // the result only when every board (every slip) is complete

  // The organiser corrects table 2 on board 3 and stores it; the phone reads the correction.
  const QString corrected = sent(2, 3) == QLatin1String("120") ? QStringLiteral("150") : QStringLiteral("120");
  typeScore(s, 2, 3, corrected);
  s->cmdSpelKlaar_Click();
  const Response round = phone.call("POST", "/api/round", ask(s, 2, {{"round", 2}}));
  EXPECT_EQ(round.json["boards"].toArray()[0].toObject()["score"].toString(), corrected);

  // Closing stops the server: its port can be taken again.
  const quint16 port = server(s).port();
  closeScreen(s);
  QTcpServer again;
  ASSERT_TRUE(again.listen(QHostAddress::Any, port));
  const QStringList fromPhones = readLines(kEvent);

  // The same evening typed from the score sheets gives the same event file, line for line.
  // (With that port taken the tables cannot start, and the organiser is told why.)
  writeFile(QStringLiteral("/standaard.ini"), {"[Standaard]", QStringLiteral("tafel poort=%1").arg(port)});
  s = start();
  ASSERT_TRUE(s);
  click(s, "cmdTafels");
  EXPECT_FALSE(server(s).running());
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("De scores aan tafel kunnen niet starten:\n")))
      << prompter.last().text.toStdString();
  typeAll(s, [&](int t, int b) { return t == 2 && b == 3 ? corrected : sent(t, b); });
  ASSERT_TRUE(done(s));
  closeScreen(s);
  EXPECT_EQ(readLines(kEvent), fromPhones);
}
