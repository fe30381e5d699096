// The table server over real connections on loopback: the rules a phone's request meets, what
// lands in the event and its companions, and what a broken or hostile connection cannot do.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/texts.h"
#include "event/eventmodel.h"
#include "publish/detailsfile.h"
#include "publish/htmlpage.h"
#include "qtprint.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"
#include "scoring/roundslips.h"
#include "scoring/scoretable.h"
#include "tables/tableserver.h"
#include "httpclient.h"
#include "tablesevent.h"

namespace {

using namespace mervalo;

QByteArray json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

QJsonObject scoreBody(int table, const QString& code, int board, const QString& contract, int tricks,
                      const QString& id, const QString& declarer = QStringLiteral("N")) {
  return {{"table", table}, {"code", code},   {"board", board}, {"contract", contract},
          {"declarer", declarer}, {"tricks", tricks}, {"id", id}};
}

// The contract every test table plays on a board, so every table scores differently.
int tricksOf(int table, int board) { return 8 + (table + board) % 4; }

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
  Response score(int table, int board, const QString& id, const QString& contract = QStringLiteral("3NT"),
                 int tricks = -1) {
    return client->call("POST", "/api/score",
                        json(scoreBody(table, code(table), board, contract, tricks < 0 ? tricksOf(table, board) : tricks, id)));
  }
  QString text(int n) const { return TextTable::builtin().lookup(n, kDutch); }

  std::unique_ptr<TablesEvent> event;
  std::unique_ptr<TableServer> server;
  std::unique_ptr<Client> client;
};

TEST_F(TableServerTest, AWholeRoundAtFourTablesLandsInTheEventAndTheCompanion) {
  open(4);
  QSignalSpy stored(server.get(), &TableServer::scoreStored);
  const Response round = client->call("POST", "/api/round", json({{"table", 2}, {"code", code(2)}}));
  ASSERT_EQ(round.status, 200);
  EXPECT_EQ(round.json["ns"].toInt(), 2);
  EXPECT_EQ(round.json["ew"].toInt(), 6);
  EXPECT_EQ(round.json["ewNames"].toString(), QStringLiteral("Speler 11a - Speler 11b"));
  EXPECT_EQ(round.json["boards"].toArray().size(), 2);

  for (int t = 1; t <= 4; ++t)
    for (int b = 1; b <= 2; ++b) EXPECT_EQ(score(t, b, QStringLiteral("r1-%1-%2").arg(t).arg(b)).status, 200);
  EXPECT_EQ(stored.size(), 8);
  EXPECT_EQ(server->tablesSeen(), 4);
  // Board 1: 3NT by North with 10, 11, 8, 9 tricks.
  const QStringList lines = event->lines(event->eventPath());
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[7], QStringLiteral("01*1|5|||430|-430|4|2@2|6|||460|-460|6|0@3|7|||-50|50|0|6@4|8|||400|-400|2|4"));
  EXPECT_EQ(event->lines(event->contractsPath()).first(), QStringLiteral("1|1|5|3NT|N|10|r1-1-1"));
  EXPECT_EQ(event->lines(event->contractsPath()).size(), 8);

  // The round done, the table's page moves on to round 2, and the traveller shows the board.
  const Response next = client->call("POST", "/api/round", json({{"table", 1}, {"code", code(1)}}));
  EXPECT_EQ(next.json["round"].toInt(), 2);
  const Response again = score(1, 1, QStringLiteral("r1-1-1"));
  EXPECT_TRUE(again.json["repeated"].toBool());
  EXPECT_EQ(again.json["traveller"].toArray().size(), 4);
  EXPECT_EQ(again.json["traveller"].toArray()[0].toObject()["nsPoints"].toString(), QStringLiteral("4"));
}

TEST_F(TableServerTest, RefusalsStoreNothing) {
  open(4, 0, true);
  // Wrong code; after ten of them even the right code waits.
  Response r = client->call("POST", "/api/round", json({{"table", 1}, {"code", "99999"}}));
  EXPECT_EQ(r.status, 403);
  EXPECT_EQ(r.json["error"].toString(), text(264));
  for (int i = 0; i < 8; ++i) client->call("POST", "/api/round", json({{"table", 1}, {"code", "x"}}));
  EXPECT_EQ(client->call("POST", "/api/round", json({{"table", 1}, {"code", code(1)}})).status, 200);
  client->call("POST", "/api/round", json({{"table", 1}, {"code", "x"}}));
  r = client->call("POST", "/api/round", json({{"table", 1}, {"code", code(1)}}));
  EXPECT_EQ(r.status, 429);
  EXPECT_EQ(r.json["error"].toString(), text(263));

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
  EXPECT_EQ(r.json["error"].toString(), QStringLiteral("De score <620> klopt niet met de kwetsbaarheid.|Dit moet u zelf aanpassen."));
  // Table 4 sits out round 1 (the phantom pair) and never plays boards 1 and 2.
  r = score(4, 1, QStringLiteral("b"));
  EXPECT_EQ(r.status, 409);
  EXPECT_EQ(r.json["error"].toString(), QStringLiteral("Spel 1 wordt niet aan deze tafel gespeeld."));
  EXPECT_EQ(score(1, 1, QStringLiteral("bad id!")).status, 422);
  EXPECT_FALSE(QFile::exists(event->contractsPath()));
  EXPECT_EQ(event->lines(event->eventPath()).size(), 7);
}

TEST_F(TableServerTest, ARepeatedRequestIsStoredOnceAlsoAfterARestart) {
  open(4, 1);
  ASSERT_EQ(score(1, 1, QStringLiteral("same")).status, 200);
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
  EXPECT_EQ(event->lines(event->eventPath())[7], QStringLiteral("1-5*|70|-70~2-6*~3-7*~4-8*"));
}

TEST_F(TableServerTest, ASecondWriterIsRefused) {
  open(4);
  TableServer second;
  QString error;
  EXPECT_FALSE(second.start(event->folder(), event->name, kDutch, 0, &error));
  EXPECT_EQ(error, text(262).replace(QLatin1Char('~'), event->name + QStringLiteral(".txt")));
  server->stop();
  EXPECT_TRUE(second.start(event->folder(), event->name, kDutch, 0, &error));
}

TEST_F(TableServerTest, BrokenAndOversizedRequestsAreClosedWithoutHarm) {
  open(4);
  server->setIdleTimeout(300);
  // Cut off half-way: the connection drops before the body is whole.
  {
    Client cut(server->port());
    const QByteArray body = json(scoreBody(1, code(1), 1, QStringLiteral("3NT"), 9, QStringLiteral("cut")));
    cut.socket().write("POST /api/score HTTP/1.1\r\nHost: x\r\nContent-Length: " + QByteArray::number(body.size()) +
                       "\r\n\r\n" + body.left(body.size() / 2));
    ASSERT_TRUE(cut.socket().waitForBytesWritten(2000));
  }
  // Half a request left hanging is closed when idle.
  Client idle(server->port());
  idle.socket().write("POST /api/score HTTP/1.1\r\nContent-Length: 100\r\n\r\n{");
  EXPECT_TRUE(QTest::qWaitFor([&] { return idle.socket().state() == QAbstractSocket::UnconnectedState; }, 5000));
  // Over the cap: refused and closed.
  Client big(server->port());
  big.send("POST", "/api/score", QByteArray(20 * 1024, ' '));
  Response r;
  ASSERT_TRUE(QTest::qWaitFor([&] { return big.poll(&r); }, 5000));
  EXPECT_EQ(r.status, 413);
  EXPECT_FALSE(QFile::exists(event->contractsPath()));
  // The server still serves, and the page is whole and small.
  client = std::make_unique<Client>(server->port());
  r = client->call("GET", "/");
  EXPECT_EQ(r.status, 200);
  EXPECT_LT(r.body.size(), 100 * 1024);
  EXPECT_TRUE(r.body.contains("\"250\":\"Scores aan tafel\""));
  EXPECT_EQ(client->call("GET", "/favicon.ico").status, 404);
}

// The same evening, half from the phones and half typed on the screen, gives the same result page
// as all typed; the details page shows the contracts the phones sent.
TEST_F(TableServerTest, HalfFromPhonesHalfTypedGivesTheSamePage) {
  open(4, 1);
  server->stop();
  auto typeSlips = [](const TablesEvent& e, int fromTable) {
    auto model = EventModel::load(e.eventPath(), kDutch);
    RoundSlips slips = RoundSlips::build(e.lines(e.folder() + QStringLiteral("/schema/10/08 Paren 03 Ronden Test.txt")).mid(1), *model);
    for (int r = 1; r <= 3; ++r)
      for (int t = fromTable; t <= 4; ++t) {
        QVector<std::pair<QString, QString>> scores;
        for (int b = 2 * r - 1; b <= 2 * r; ++b) {
          const QString ns = QString::number(*nsContractScore(*parseContract(u"3NT"), Declarer::North, tricksOf(t, b), b));
          scores.append({ns, mirrorScore(ns)});
        }
        slips.store(r, t - 1, scores);
      }
    slips.writeTo(*model);
    ASSERT_TRUE(model->save(e.eventPath()));
  };
  typeSlips(*event, 3);
  start();
  for (int r = 1; r <= 3; ++r)
    for (int t = 1; t <= 2; ++t)
      for (int b = 2 * r - 1; b <= 2 * r; ++b) ASSERT_EQ(score(t, b, QStringLiteral("p%1-%2").arg(t).arg(b)).status, 200);
  server->stop();
  const TablesEvent typed(4, 1);
  typeSlips(typed, 1);

  auto page = [](const TablesEvent& e) {
    const auto result = computeEventResult(*readEventSources(e.folder(), e.name, kDutch));
    return htmlPageLines(resultsGrid(*result, ResultsHeadings::of(kDutch)), QStringLiteral("Uitslag"));
  };
  EXPECT_EQ(page(*event), page(typed));

  auto details = [](const TablesEvent& e) {
    const auto path = writeEventDetailsPage(e.folder(), e.name, kDutch, e.folder() + QStringLiteral("/HTML"), false, false);
    QFile file(path.value_or(QString()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  };
  const QString withContracts = details(*event);
  EXPECT_EQ(withContracts.count(QStringLiteral(">3SA</td>")), 12) << "tables 1 and 2, six boards each";
  EXPECT_EQ(details(typed).count(QStringLiteral(">3SA</td>")), 0);
}

// Thirty tables send a whole round at once, every request twice: nothing lost or doubled, in
// bounded time.
TEST_F(TableServerTest, ThirtyTablesAtOnce) {
  open(30);
  for (int repeat = 0; repeat < 2; ++repeat) {
    std::vector<std::unique_ptr<Client>> clients;
    for (int t = 1; t <= 30; ++t) clients.push_back(std::make_unique<Client>(server->port()));
    std::vector<Response> answers(60);
    std::vector<bool> done(60, false);
    for (int b = 1; b <= 2; ++b) {
      for (int t = 1; t <= 30; ++t)
        clients[t - 1]->send("POST", "/api/score",
                             json(scoreBody(t, code(t), b, QStringLiteral("3NT"), tricksOf(t, b), QStringLiteral("L%1-%2").arg(t).arg(b))));
      ASSERT_TRUE(QTest::qWaitFor(
          [&] {
            bool all = true;
            for (int t = 1; t <= 30; ++t) {
              const int i = (b - 1) * 30 + t - 1;
              if (!done[i]) done[i] = clients[t - 1]->poll(&answers[i]);
              all = all && done[i];
            }
            return all;
          },
          20'000));
    }
    for (const Response& r : answers) EXPECT_EQ(r.status, 200);
    EXPECT_EQ(answers[0].json["repeated"].toBool(), repeat == 1);
  }
  EXPECT_EQ(event->lines(event->contractsPath()).size(), 60);
  const QStringList lines = event->lines(event->eventPath());
  ASSERT_EQ(lines.size(), 9);
  EXPECT_EQ(lines[7].count(QLatin1Char('@')), 29);
  EXPECT_EQ(lines[8].count(QLatin1Char('@')), 29);
}

}  // namespace
