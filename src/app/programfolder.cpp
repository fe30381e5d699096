#include "programfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

#include "app/fileops.h"

namespace mervalo {

namespace {

const QString kLanguageFile = QStringLiteral("taal.txt");

bool holdsShippedData(const QString& folder) {
  const QDir dir(folder);
  return QFileInfo::exists(dir.filePath(kLanguageFile)) || QFileInfo(dir.filePath(QStringLiteral("schema"))).isDir();
}

bool writable(const QString& folder) {
  return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

}  // namespace

QString shippedDataFolder(const QString& executableFolder) {
  if (holdsShippedData(executableFolder)) return QDir::cleanPath(executableFolder);
  const QString installed = QDir::cleanPath(executableFolder + QStringLiteral("/../share/mervalo"));
  if (holdsShippedData(installed)) return installed;
  return {};
}

bool runsInPlace(const QString& executableFolder) {
  return holdsShippedData(executableFolder) && writable(executableFolder);
}

void seedFolder(const QString& from, const QString& to, ProgramFolder& report) {
  // Only what the program ships: beside a build's executables lie the user's own files too.
  const QDir source(from);
  QStringList files;
  QDirIterator it(source.filePath(QStringLiteral("schema")), QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) files << source.relativeFilePath(it.next());
  files.sort();
  // The language file goes last: once it is there, the rest is too.
  if (QFileInfo(source.filePath(kLanguageFile)).isFile()) files << kLanguageFile;

  for (const QString& relative : files) {
    const QString target = to + QLatin1Char('/') + relative;
    if (QFileInfo::exists(target)) continue;
    makeFolder(QFileInfo(target).absolutePath());
    // Made afresh through a synced temporary file: whole when it appears, and the user's to
    // change even where the shipped file is read-only.
    if (copyFileOver(source.filePath(relative), target)) report.copied << relative;
    else report.failed << relative;
  }
}

ProgramFolder chooseProgramFolder(const ProgramFolderRequest& request) {
  ProgramFolder result;
  const QString exe = QDir::cleanPath(request.executableFolder);
  if (request.explicitFolder.isEmpty() && runsInPlace(exe)) {
    result.folder = exe;
    return result;
  }
  const QString chosen = request.explicitFolder.isEmpty() ? request.userDataFolder : request.explicitFolder;
  result.folder = QDir::cleanPath(QFileInfo(chosen.isEmpty() ? exe : chosen).absoluteFilePath());
  makeFolder(result.folder);
  const QString shipped = shippedDataFolder(exe);
  if (!shipped.isEmpty() && shipped != result.folder) {
    result.shippedFrom = shipped;
    seedFolder(shipped, result.folder, result);
  }
  return result;
}

}  // namespace mervalo
