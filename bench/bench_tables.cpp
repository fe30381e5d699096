// How fast a stored score is answered while thirty tables send at once, on loopback: every
// iteration each table sends one score (a new request each time, so each is really stored and
// written) and the time from sending to the whole answer is taken per request. Reports the
// 50th and 99th percentile in milliseconds.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/texts.h"
#include "httpclient.h"
#include "tables/tableserver.h"
#include "tablesevent.h"

namespace {

using namespace mervalo;

void BM_StoredScoreThirtyTablesAtOnce(benchmark::State& state) {
  TablesEvent event(30);
  TableServer server;
  QString error;
  if (!server.start(event.folder(), event.name, kDutch, 0, &error)) {
    state.SkipWithError(qPrintable(error));
    return;
  }
  std::vector<std::unique_ptr<Client>> clients;
  for (int t = 1; t <= 30; ++t) clients.push_back(std::make_unique<Client>(server.port()));
  std::vector<double> latencies;
  int serial = 0;
  for (auto _ : state) {
    ++serial;
    const int board = 1 + serial % 2;
    std::vector<QElapsedTimer> sent(30);
    std::vector<bool> done(30, false);
    for (int t = 1; t <= 30; ++t) {
      const QJsonObject body{{"table", t},      {"code", server.codes().value(t)},
                             {"board", board},  {"contract", "3NT"},
                             {"declarer", "N"}, {"tricks", 7 + (t + serial) % 5},
                             {"id", QStringLiteral("b%1-%2").arg(serial).arg(t)}};
      sent[t - 1].start();
      clients[t - 1]->send("POST", "/api/score", QJsonDocument(body).toJson(QJsonDocument::Compact));
    }
    int open = 30;
    QElapsedTimer limit;
    limit.start();
    while (open > 0 && limit.elapsed() < 10'000) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      for (int t = 0; t < 30; ++t) {
        Response r;
        if (done[t] || !clients[t]->poll(&r)) continue;
        done[t] = true;
        --open;
        latencies.push_back(sent[t].nsecsElapsed() / 1e6);
        if (r.status != 200) state.SkipWithError("a score was refused");
      }
    }
    if (open > 0) state.SkipWithError("answers missing after 10 s");
  }
  std::sort(latencies.begin(), latencies.end());
  if (!latencies.empty()) {
    state.counters["p50_ms"] = latencies[latencies.size() / 2];
    state.counters["p99_ms"] = latencies[std::min(latencies.size() - 1, latencies.size() * 99 / 100)];
  }
}
BENCHMARK(BM_StoredScoreThirtyTablesAtOnce)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
