#include "fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "app/textfile.h"

namespace mervalo {

FileState fileState(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || !info.isFile()) return FileState::Missing;
  return info.size() > 0 ? FileState::Filled : FileState::Empty;
}

void makeFolder(const QString& path) {
  QString p = path;
  if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
  // Create level by level so that one level that fails does not stop the attempt at the next.
  for (qsizetype pos = p.indexOf(QLatin1Char('/'), 1); pos >= 0; pos = p.indexOf(QLatin1Char('/'), pos + 1)) {
    const QString level = p.left(pos);
    if (!QFileInfo::exists(level)) QDir().mkdir(level);
  }
}

int listSearch(const QStringList& list, const QString& text, bool exact) {
  for (qsizetype i = 0; i < list.size(); ++i) {
    const bool hit = exact ? list[i].compare(text, Qt::CaseInsensitive) == 0
                           : list[i].startsWith(text, Qt::CaseInsensitive);
    if (hit) return static_cast<int>(i);
  }
  return -1;
}

QStringList removeFiles(const QStringList& paths) {
  QStringList failed;
  for (const QString& p : paths)
    if (QFile::exists(p) && !QFile::remove(p)) failed << p;
  return failed;
}

bool copyFileOver(const QString& from, const QString& to) {
  QFile source(from);
  if (!source.open(QIODevice::ReadOnly)) return false;
  return writeFileAtomic(to, source.readAll());
}

bool isPlainFileName(const QString& name) {
  if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
  for (QChar c : name)
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32 || c.unicode() == 127) return false;
  return true;
}

int removeStaleSaveFiles(const QString& folder, const QDateTime& now) {
  static const QRegularExpression leftOver(QStringLiteral("^.+\\.(txt|mail|ini|html|csv)\\.[A-Za-z0-9]{6}$"),
                                           QRegularExpression::CaseInsensitiveOption);
  int removed = 0;
  const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
  for (const QFileInfo& f : files)
    if (leftOver.match(f.fileName()).hasMatch() && f.lastModified().secsTo(now) > 3600 && QFile::remove(f.filePath()))
      ++removed;
  return removed;
}

bool isSafeSchemaName(const QString& name) { return isPlainFileName(name) && !name.contains(QLatin1String("..")); }

}  // namespace mervalo
