#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "version.h"

int runResultCommand(const QStringList& args);
int runCsvCommand(const QStringList& args);
int runScoreCommand(const QStringList& args);
int runPbnCommand(const QStringList& args);

namespace mervalo {
int runSchemaCheck(const QStringList& files);
int runMirrorCommand(const QStringList& args);
int runMailTxtCommand(const QStringList& args);
int runKeygenCommand(const QStringList& args);
int runSignCommand(const QStringList& args);
int runDealCommand(const QStringList& args);
int runDdCommand(const QStringList& args);
int runTablesCommand(const QStringList& args);
}  // namespace mervalo

namespace {

void printUsage(FILE* out) {
  std::fputs(
      "Usage: mervalo-cli COMMAND [ARGUMENTS]\n"
      "\n"
      "Commands:\n"
      "  --version            print the program's version\n"
      "  --help               print this text\n"
      "  result DIR EVENT     recompute event EVENT (its name without \".txt\") of the program\n"
      "                       folder DIR, write its page and its details page (travellers,\n"
      "                       score cards, hands) to DIR/HTML and print the results\n"
      "                       grid, one Tab-separated line per row (the page's column\n"
      "                       widths count every character as 7 pixels)\n"
      "  csv DIR EVENT [FILE] the same results grid as CSV (UTF-8, CR LF), to FILE (with a\n"
      "                       byte-order mark for spreadsheets) or else to standard output\n"
      "  pbn DIR EVENT        the result of event EVENT as PBN 2.1 (ISO 8859-1) on standard\n"
      "                       output: per board the deal, when there is a hand record, and\n"
      "                       the scores; then the ranking\n"
      "  score BOARD TEXT     the NS and EW boxes and the verdict after TEXT is typed in an\n"
      "                       NS score box of board BOARD and Enter is pressed\n"
      "  schema-check [--tsv] FILE...\n"
      "                       check movement files and show how evenly each compares the\n"
      "                       pairs (--tsv: one Tab-separated row a file); exit 1 when one\n"
      "                       breaks a hard rule\n"
      "  mirror DIR [FOLDER]  write the download server's files into DIR (movements from\n"
      "                       FOLDER, else the Dutch ones the program ships), so that any\n"
      "                       static web server serving DIR is a download server\n"
      "  mailtxt FILE         write a provider list (MAIL.TXT) to standard output from the\n"
      "                       two providers described in FILE (see the README)\n"
      "  keygen DIR           write a new key pair for signing updaters into DIR:\n"
      "                       mervalo-update-private.pem (keep it secret) and\n"
      "                       mervalo-update-public.pem (for the \"update key\" setting)\n"
      "  sign KEYFILE FILE    write FILE.sig, the Ed25519 signature of FILE by the private\n"
      "                       key in KEYFILE, to be served beside FILE\n"
      "  deal DIR EVENT [--seed N] [--force]\n"
      "                       write random deals for every board of the event to\n"
      "                       DIR/invoer/EVENT.pbn (the same deals for the same seed; without\n"
      "                       one from the system's random source); an existing file is kept\n"
      "                       unless --force is given\n"
      "  dd FILE.pbn          the double-dummy tricks and par of every deal, one Tab-separated\n"
      "                       line a board: the board, the tricks of N, E, S, W in NT, S, H,\n"
      "                       D, C, the par score for North-South and the par contract(s)\n"
      "  tables DIR EVENT [--port P]\n"
      "                       serve the page on which the tables enter the scores of event\n"
      "                       EVENT on their phones; prints the page's address, then one\n"
      "                       line a table: its number, a Tab, its code; runs until stopped\n",
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
  if (cmd == QLatin1String("result")) return runResultCommand(args.mid(1));
  if (cmd == QLatin1String("csv")) return runCsvCommand(args.mid(1));
  if (cmd == QLatin1String("pbn")) return runPbnCommand(args.mid(1));
  if (cmd == QLatin1String("score")) return runScoreCommand(args.mid(1));
  if (cmd == QLatin1String("schema-check")) return mervalo::runSchemaCheck(args.mid(1));
  if (cmd == QLatin1String("mirror")) return mervalo::runMirrorCommand(args.mid(1));
  if (cmd == QLatin1String("mailtxt")) return mervalo::runMailTxtCommand(args.mid(1));
  if (cmd == QLatin1String("keygen")) return mervalo::runKeygenCommand(args.mid(1));
  if (cmd == QLatin1String("sign")) return mervalo::runSignCommand(args.mid(1));
  if (cmd == QLatin1String("deal")) return mervalo::runDealCommand(args.mid(1));
  if (cmd == QLatin1String("dd")) return mervalo::runDdCommand(args.mid(1));
  if (cmd == QLatin1String("tables")) return mervalo::runTablesCommand(args.mid(1));
  std::fprintf(stderr, "mervalo-cli: unknown command '%s'\n", qPrintable(cmd));
  printUsage(stderr);
  return 2;
}
