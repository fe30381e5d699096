#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "app/paths.h"
#include "app/texts.h"
#include "app/programfolder.h"
#include "net/schemalist.h"

namespace mervalo {

// mirror DIR [SCHEMAFOLDER]: the download server's files for any static web server.
int runMirrorCommand(const QStringList& args) {
  if (args.isEmpty() || args.size() > 2) {
    std::fputs("Usage: mervalo-cli mirror DIR [SCHEMAFOLDER]\n", stderr);
    return 2;
  }
  const QString schemaFolder =
      args.size() == 2 ? args[1] : schemaFolderPath(shippedDataFolder(QCoreApplication::applicationDirPath()), kDutch);
  const MirrorResult r = writeMirror(args[0], schemaFolder, QDate::currentDate());
  for (const QString& name : r.skipped)
    std::fprintf(stderr, "mervalo-cli: left out \"%s\": not a readable movement\n", qPrintable(name));
  if (!r.error.isEmpty()) {
    std::fprintf(stderr, "mervalo-cli: %s\n", qPrintable(r.error));
    return 1;
  }
  std::printf("%lld movements in %s\n", static_cast<long long>(r.schemas.size()),
              qPrintable(QDir::toNativeSeparators(QDir(args[0]).absoluteFilePath(QStringLiteral("MERVALO")))));
  return 0;
}

}  // namespace mervalo
