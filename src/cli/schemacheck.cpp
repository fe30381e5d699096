#include <QStringList>
#include <cstdio>

#include "event/schemacheck.h"

namespace mervalo {

namespace {

int warningsOf(const SchemaCheck& check) { return static_cast<int>(check.issues.size()) - check.errors(); }

void printIssues(FILE* out, const QString& file, const SchemaCheck& check) {
  for (const SchemaIssue& issue : check.issues) {
    const QString where = issue.line > 0 ? QStringLiteral("%1:%2").arg(file).arg(issue.line) : file;
    std::fprintf(out, "%s: %s: %s\n", qPrintable(where), issue.error ? "error" : "warning", qPrintable(issue.what));
  }
}

void printSummary(const QString& file, const SchemaCheck& check) {
  const int warnings = warningsOf(check);
  const MovementBalance& b = check.balance;
  std::printf("%s: ok, %d pairs, %d rounds, %d warning%s; same direction %d-%d board sets (mean %.2f), opposite %d-%d, variation %.3f\n",
              qPrintable(file), check.pairs, check.rounds, warnings, warnings == 1 ? "" : "s", b.sameMin, b.sameMax, b.sameMean,
              b.oppositeMin, b.oppositeMax, b.variation);
}

void printRow(const QString& file, const SchemaCheck& check) {
  const MovementBalance& b = check.balance;
  std::printf("%s\t%d\t%d\t%d\t%d\t%d\t%d\t%.3f\t%d\t%d\t%.4f\n", qPrintable(file), check.pairs, check.rounds, check.errors(),
              warningsOf(check), b.sameMin, b.sameMax, b.sameMean, b.oppositeMin, b.oppositeMax, b.variation);
}

}  // namespace

// mervalo-cli schema-check [--tsv] FILE...: every rule each movement file breaks, one line each,
// and how evenly a sound movement compares the pairs. With --tsv standard output carries one
// Tab-separated row per file (the balance of what could be read, even for a broken file) and
// the broken rules go to standard error. Exit status 0 when no file breaks a hard rule, 1 when
// one does, 2 without files.
int runSchemaCheck(const QStringList& args) {
  QStringList files = args;
  const bool tsv = files.removeAll(QStringLiteral("--tsv")) > 0;
  if (files.isEmpty()) {
    std::fputs("Usage: mervalo-cli schema-check [--tsv] FILE...\n", stderr);
    return 2;
  }
  if (tsv) std::puts("file\tpairs\trounds\terrors\twarnings\tsame_min\tsame_max\tsame_mean\topposite_min\topposite_max\tvariation");
  bool broken = false;
  for (const QString& file : files) {
    const SchemaCheck check = checkSchemaFile(file);
    broken = broken || !check.ok();
    if (tsv) {
      printIssues(stderr, file, check);
      printRow(file, check);
      continue;
    }
    printIssues(stdout, file, check);
    if (check.ok()) printSummary(file, check);
  }
  return broken ? 1 : 0;
}

}  // namespace mervalo
