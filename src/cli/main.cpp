#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "version.h"

namespace {

void printUsage(FILE* out) {
  std::fputs(
      "Usage: mervalo-cli COMMAND [ARGUMENTS]\n"
      "\n"
      "Commands:\n"
      "  --version            print the program's version\n"
      "  --help               print this text\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty()) {
    printUsage(stderr);
    return 2;
  }
  const QString cmd = args.first();
  if (cmd == QLatin1String("--version")) {
    std::printf("mervalo-cli %s\n", mervalo::kVersionText);
    return 0;
  }
  if (cmd == QLatin1String("--help") || cmd == QLatin1String("-h")) {
    printUsage(stdout);
    return 0;
  }
  std::fprintf(stderr, "mervalo-cli: unknown command '%s'\n", qPrintable(cmd));
  printUsage(stderr);
  return 2;
}
