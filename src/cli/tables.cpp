// mervalo-cli tables: the table server without screens, until SIGINT or SIGTERM.

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "app/language.h"
#include "tables/tableserver.h"
#include "tables/tablesettings.h"

namespace mervalo {

namespace {

int signalPipe[2] = {-1, -1};

// A signal handler may only write to the pipe; the event loop reads it and quits.
void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

// mervalo-cli tables DIR EVENT [--port P]
int runTablesCommand(const QStringList& args) {
  const auto usage = [] {
    std::fputs("usage: mervalo-cli tables DIR EVENT [--port P]\n", stderr);
    return 2;
  };
  if (args.size() != 2 && args.size() != 4) return usage();
  QString folder = QDir::fromNativeSeparators(args[0]);
  while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  const TableSettings settings = readTableSettings(folder + QStringLiteral("/standaard.ini"));
  bool ok = settings.portValid;
  quint16 port = settings.port;
  if (args.size() == 4) {
    if (args[2] != QLatin1String("--port")) return usage();
    port = parsePort(args[3], &ok);
  }
  if (!ok) {
    std::fputs("mervalo-cli: the port must be a number from 1 to 65535 (0: any free one)\n", stderr);
    return 2;
  }

  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return 1;
  QSocketNotifier notifier(static_cast<qintptr>(signalPipe[0]), QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, qApp, [] {
    char buffer[16];
    while (::read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
    QCoreApplication::quit();
  });
  struct sigaction action = {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);

  TableServer server;
  server.setShowTraveller(settings.showTraveller);
  QString error;
  const int language = readLanguageFile(folder + QStringLiteral("/taal.txt"));
  if (!server.start(folder, args[1], language, port, &error)) {
    std::fprintf(stderr, "mervalo-cli: %s\n", error.toUtf8().constData());
    return 1;
  }
  QByteArray out = server.address().toUtf8() + '\n';
  const QMap<int, QString> codes = server.codes();
  for (auto it = codes.cbegin(); it != codes.cend(); ++it) out += QByteArray::number(it.key()) + '\t' + it.value().toUtf8() + '\n';
  std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
  std::fflush(stdout);

  const int rc = QCoreApplication::exec();
  server.stop();
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  return rc;
}

}  // namespace mervalo
