// Mailing a result page to 30 players through a loopback server that demands STARTTLS and a
// login: what the results screen's send button costs, connection and encryption included.

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "mailserver.h"
#include "net/mailer.h"
#include "testservers.h"

namespace {

void BM_MailResultToThirtyPlayers(benchmark::State& state) {
  QTemporaryDir dir;
  QString certificate, key, error;
  if (!mervalo::test::makeCertificate(dir.path(), QStringLiteral("smtp"), &certificate, &key, &error)) {
    state.SkipWithError(qPrintable(error));
    return;
  }
  auto server = mervalo::test::LocalMailServer::start(dir.filePath(QStringLiteral("in")),
                                                      {certificate, key, QStringLiteral("club"), QStringLiteral("geheim"), {}});
  if (!server->running()) {
    state.SkipWithError("no mail server");
    return;
  }
  // A page the size of the largest event's.
  const QString page = dir.filePath(QStringLiteral("Uitslag.html"));
  QFile f(page);
  f.open(QIODevice::WriteOnly);
  f.write(QByteArray(120'000, 'x'));
  f.close();

  mervalo::MailerSettings settings;
  settings.clientName = QStringLiteral("club-pc");
  settings.host = QStringLiteral("127.0.0.1");
  settings.port = server->port();
  settings.tls = true;
  settings.user = QStringLiteral("club");
  settings.password = QStringLiteral("geheim");
  settings.login = true;
  settings.caBundle = certificate;
  for (auto _ : state) {
    mervalo::Mailer mailer(settings);
    for (int i = 0; i < 30; ++i) {
      mervalo::MailMessage m;
      m.subject = QStringLiteral("Uitslag Dinsdag");
      m.body = QStringLiteral("Hallo speler %1,\n\nHierbij de uitslag.").arg(i);
      m.sender = {QStringLiteral("uitslag@club.nl"), QStringLiteral("Bridgeclub")};
      m.recipient = {QStringLiteral("speler%1@club.nl").arg(i), {}};
      m.own = {QStringLiteral("ik@club.nl"), {}};
      m.attachments = {{page}};
      if (mailer.send(m, true).number != 0) {
        state.SkipWithError("a message was refused");
        return;
      }
    }
  }
}
BENCHMARK(BM_MailResultToThirtyPlayers)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
