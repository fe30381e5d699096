#include <QStringList>
#include <cstdio>

#include "event/schemacheck.h"

namespace mervalo {

// mervalo-cli schema-check FILE...: every rule each movement file breaks, one line each.
// Exit status 0 when no file breaks a hard rule, 1 when one does, 2 without files.
int runSchemaCheck(const QStringList& files) {
  if (files.isEmpty()) {
    std::fputs("Usage: mervalo-cli schema-check FILE...\n", stderr);
    return 2;
  }
  bool broken = false;
  for (const QString& file : files) {
    const SchemaCheck check = checkSchemaFile(file);
    int warnings = 0;
    for (const SchemaIssue& issue : check.issues) {
      warnings += issue.error ? 0 : 1;
      const QString where = issue.line > 0 ? QStringLiteral("%1:%2").arg(file).arg(issue.line) : file;
      std::printf("%s: %s: %s\n", qPrintable(where), issue.error ? "error" : "warning", qPrintable(issue.what));
    }
    if (check.ok())
      std::printf("%s: ok, %d pairs, %d rounds, %d warning%s\n", qPrintable(file), check.pairs, check.rounds, warnings,
                  warnings == 1 ? "" : "s");
    else
      broken = true;
  }
  return broken ? 1 : 0;
}

}  // namespace mervalo
