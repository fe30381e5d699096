// The table server over real connections on loopback: the rules a phone's request meets, what
// lands in the event and its companions, and what an oversized request cannot do; the
// movement seen table by table, the table codes and the contracts file.

#include <QJsonArray>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

#include "app/texts.h"
#include "httpclient.h"
#include "publish/detailsfile.h"
#include "qtprint.h"
#include "tables/tablefiles.h"
#include "tables/tableplan.h"
#include "tables/tableserver.h"
#include "tablesevent.h"
#include "testfiles.h"

namespace {

using namespace mervalo;

QByteArray json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

QJsonObject scoreBody(int table, const QString& code, int board, const QString& contract, int tricks,
                      const QString& id) {
  return {{"table", table},         {"code", code},     {"board", board}, {"contract", contract},
          {"declarer", "N"}, {"tricks", tricks}, {"id", id}};
}

class TableServerTest : public ::testing::Test {
 protected:
  void open(int tables, int mode = 0, bool phantom = false) {
    event = std::make_unique<TablesEvent>(tables, mode, phantom);
    start();
  }
  void start() {
    server = std::make_unique<TableServer>();
    QString error;
    ASSERT_TRUE(server->start(event->folder(), event->name, kDutch, 0, &error)) << qPrintable(error);
    client = std::make_unique<Client>(server->port());
  }
  QString code(int table) { return server->codes().value(table); }
  // Table t sends its board b: 3NT by North with a number of tricks that differs between tables.
  Response score(int table, int board, const QString& id, const QString& contract = QStringLiteral("3NT"),
                 int tricks = -1) {
    tricks = tricks < 0 ? 8 + (table + board) % 4 : tricks;
    return client->call("POST", "/api/score", json(scoreBody(table, code(table), board, contract, tricks, id)));
  }
  Response round(int table, const QString& code) {
    return client->call("POST", "/api/round", json({{"table", table}, {"code", code}}));
  }
  QString text(int n) const { return TextTable::builtin().lookup(n, kDutch); }

  std::unique_ptr<TablesEvent> event;
  std::unique_ptr<TableServer> server;
  std::unique_ptr<Client> client;
};

TEST_F(TableServerTest, AWholeRoundAtFourTablesLandsInTheEventTheCompanionAndTheDetailsPage) {
  open(4);
  const Response r = round(2, code(2));
  ASSERT_EQ(r.status, 200);
  EXPECT_EQ(r.json["ns"].toInt(), 2);
  EXPECT_EQ(r.json["ew"].toInt(), 6);
  EXPECT_EQ(r.json["ewNames"].toString(), QStringLiteral("Speler 11a - Speler 11b"));

  for (int t = 1; t <= 4; ++t)
    for (int b = 1; b <= 2; ++b) EXPECT_EQ(score(t, b, QStringLiteral("r1-%1-%2").arg(t).arg(b)).status, 200);
  // Board 1: 3NT by North with 10, 11, 8, 9 tricks.
  const QStringList lines = event->lines(event->eventPath());
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[7], QStringLiteral("01*1|5|||430|-430|4|2@2|6|||460|-460|6|0@3|7|||-50|50|0|6@4|8|||400|-400|2|4"));
  EXPECT_EQ(event->lines(event->contractsPath()).first(), QStringLiteral("1|1|5|3NT|N|10|r1-1-1"));
  EXPECT_EQ(event->lines(event->contractsPath()).size(), 8);
  // The details page shows the contracts the phones sent.
  const auto details =
      writeEventDetailsPage(event->folder(), event->name, kDutch, event->folder() + "/HTML", false, false);
  ASSERT_TRUE(details);
  EXPECT_EQ(QString::fromUtf8(test::readBytes(*details)).count(QStringLiteral(">3SA</td>")), 8);

  // The round done, the table's page moves on to round 2, and the traveller shows the board.
  EXPECT_EQ(round(1, code(1)).json["round"].toInt(), 2);
  const Response again = score(1, 1, QStringLiteral("r1-1-1"));
  EXPECT_TRUE(again.json["repeated"].toBool());
  EXPECT_EQ(again.json["traveller"].toArray().size(), 4);
  EXPECT_EQ(again.json["traveller"].toArray()[0].toObject()["nsPoints"].toString(), QStringLiteral("4"));
}

TEST_F(TableServerTest, RefusalsStoreNothing) {
  open(4, 0, true);
  // Wrong code; after ten of them even the right code waits.
  Response r = round(1, QStringLiteral("99999"));
  EXPECT_EQ(r.status, 403);
  for (int i = 0; i < 8; ++i) round(1, QStringLiteral("x"));
  EXPECT_EQ(round(1, code(1)).status, 200);
  round(1, QStringLiteral("x"));
  EXPECT_EQ(round(1, code(1)).status, 429);

  server->stop();
  start();
  // A score the screens refuse: the players confirmed a score that does not exist, or one of
  // another vulnerability.
  QJsonObject body = scoreBody(1, code(1), 1, QStringLiteral("4S"), 10, QStringLiteral("a"));
  body["score"] = QStringLiteral("435");
  r = client->call("POST", "/api/score", json(body));
  EXPECT_EQ(r.status, 422);
  EXPECT_EQ(r.json["error"].toString(), QStringLiteral("De score <435> bestaat niet."));
  body["score"] = QStringLiteral("620");
  r = client->call("POST", "/api/score", json(body));
  EXPECT_EQ(r.json["error"].toString(),
            QStringLiteral("De score <620> klopt niet met de kwetsbaarheid.|Dit moet u zelf aanpassen."));
  // Table 4 sits out round 1 (the phantom pair) and never plays boards 1 and 2.
  r = score(4, 1, QStringLiteral("b"));
  EXPECT_EQ(r.status, 409);
  EXPECT_EQ(r.json["error"].toString(), QStringLiteral("Spel 1 wordt niet aan deze tafel gespeeld."));
  EXPECT_EQ(score(1, 1, QStringLiteral("bad id!")).status, 422);
  EXPECT_FALSE(QFile::exists(event->contractsPath()));
  EXPECT_EQ(event->lines(event->eventPath()).size(), 7);
}

// A restarted server reads what was stored before: a repeated request is stored once, a
// correction wins, and another table's score is added beside it. Meanwhile a second server on
// the same event is refused.
TEST_F(TableServerTest, ARestartKeepsWhatWasStoredAndASecondWriterIsRefused) {
  open(4, 1);
  ASSERT_EQ(score(1, 1, QStringLiteral("same")).status, 200);
  TableServer second;
  QString error;
  EXPECT_FALSE(second.start(event->folder(), event->name, kDutch, 0, &error));
  EXPECT_EQ(error, text(262).replace(QLatin1Char('~'), event->name + QStringLiteral(".txt")));
  server->stop();
  start();
  // The same id with another contract: answered as the first time, nothing changes.
  const Response r = score(1, 1, QStringLiteral("same"), QStringLiteral("1C"), 7);
  EXPECT_TRUE(r.json["repeated"].toBool());
  EXPECT_EQ(r.json["score"].toInt(), 430);
  EXPECT_EQ(event->lines(event->contractsPath()), QStringList{QStringLiteral("1|1|5|3NT|N|10|same")});
  EXPECT_EQ(event->lines(event->eventPath())[7], QStringLiteral("1-5*|430|-430~2-6*~3-7*~4-8*"));
  // A correction with a new id wins.
  EXPECT_EQ(score(1, 1, QStringLiteral("fix"), QStringLiteral("1C"), 7).json["score"].toInt(), 70);
  ASSERT_EQ(score(2, 1, QStringLiteral("two"), QStringLiteral("1C"), 8).status, 200);
  EXPECT_EQ(event->lines(event->eventPath())[7], QStringLiteral("1-5*|70|-70~2-6*|90|-90~3-7*~4-8*"));
  server->stop();
  EXPECT_TRUE(second.start(event->folder(), event->name, kDutch, 0, &error));
}

// A request over the cap is refused, and the server still serves a whole, small page.
TEST_F(TableServerTest, AnOversizedRequestIsRefusedWithoutHarm) {
  open(4);
  Client big(server->port());
  big.send("POST", "/api/score", QByteArray(20 * 1024, ' '));
  Response r;
  ASSERT_TRUE(QTest::qWaitFor([&] { return big.poll(&r); }, 5000));
  EXPECT_EQ(r.status, 413);
  EXPECT_FALSE(QFile::exists(event->contractsPath()));
  r = client->call("GET", "/");
  EXPECT_EQ(r.status, 200);
  EXPECT_LT(r.body.size(), 100 * 1024);
  EXPECT_TRUE(r.body.contains("\"250\":\"Scores aan tafel\""));
}

// --- the files behind the server --------------------------------------------------------------

TEST(TablePlan, TablesKeepTheirNumbersAndTheSitOutTablePlaysNothing) {
  EventHeader h;
  h.pairs = 8;
  h.sitOut = 8;
  h.rounds = 2;
  h.boardsPerRound = 3;
  const TablePlan plan(
      {QStringLiteral("R1\t1-2 (1-4)\t-  -\t7-8 (1-4)"), QStringLiteral("R2\t2-1 (5-8)\t3-4 (1-4)\t8-5 (5-8)")}, h);
  EXPECT_EQ(plan.tables(), 3);
  EXPECT_EQ(plan.at(2, 1), nullptr);  // an empty table
  EXPECT_EQ(plan.at(1, 2)->boards, (QVector<int>{4, 5, 6}));
  EXPECT_TRUE(plan.at(3, 1)->sitOut);
  EXPECT_EQ(plan.seatingOf(2, 4, 3)->table, 2);
}

TEST(TableFiles, CodesSurviveOnlyMissingOnesAreMadeAndContractLinesRoundTrip) {
  TablesEvent e(4);
  const QString path = tableCodesPath(e.eventPath());
  bool ok = false;
  const auto first = ensureTableCodes(path, 3, &ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(first.size(), 3);
  for (const QString& code : first)
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]{4}$")).match(code).hasMatch()) << qPrintable(code);
  EXPECT_EQ(ensureTableCodes(path, 4, &ok).value(2), first.value(2));
  EXPECT_EQ(readTextLines(path)->size(), 4);
  EXPECT_TRUE(isEventCompanionName(QStringLiteral("05-12-2026 Groep A Uitslag Contracten.txt")));
  EXPECT_FALSE(isEventCompanionName(QStringLiteral("05-12-2026 Groep A Uitslag.txt")));

  for (const char* text : {"3|1|5|4S|N|10|abc-1", "12|7|2|3NTX|W|6|x", "1|1|2|pass|N|0|id"})
    EXPECT_EQ(ContractLine::parse(QString::fromLatin1(text))->text(), QString::fromLatin1(text));
  for (const char* text : {"3|1|5|4S|N|14|a", "3|1|5|4S|Q|10|a", "3|1|5|9S|N|10|a", "3|1|5|4S|N|10", "x|1|5|4S|N|10|a",
                           "3|1|5|4S|N|10|a b"})
    EXPECT_FALSE(ContractLine::parse(QString::fromLatin1(text))) << text;
}

}  // namespace
