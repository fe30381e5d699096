#include "event/eventstart.h"

#include "event/eventmodel.h"

#include <QDir>
#include <QFile>
#include <algorithm>

#include "app/fileops.h"
#include "app/textfile.h"

namespace mervalo {

namespace {

QStringList matchingFiles(const QString& folder, const QString& word) {
  QStringList out;
  const QStringList all = QDir(folder).entryList(QDir::Files);
  for (const QString& f : all)
    if (f.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) && f.contains(word, Qt::CaseInsensitive)) out.append(f);
  return out;
}

}  // namespace

QStringList listNamedFiles(const QString& folder, const QString& word, bool descending) {
  QStringList names;
  for (const QString& f : matchingFiles(folder, word))
    if (!isEventCompanionName(f)) names.append(f.left(f.indexOf(QLatin1Char('.'))));
  std::sort(names.begin(), names.end(), [descending](const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return descending ? c > 0 : c < 0;
  });
  return names;
}

int renameDatedFiles(const QString& folder, const QString& word, int language, QStringList* failed) {
  int renamed = 0;
  for (const QString& f : matchingFiles(folder, word)) {
    const QString target = rewriteLeadingDate(f, language);
    if (target == f) continue;
    const QString from = folder + QLatin1Char('/') + f;
    const QString to = folder + QLatin1Char('/') + target;
    if (QFile::exists(to)) continue;
    // The mail addresses of a group travel with it, and go first: a group stopped halfway is
    // renamed at the next start and finds its companion already there. An old companion in
    // the way is one the renamed group no longer has, so it gives way.
    const QString mailFrom = from.left(from.size() - 4) + QStringLiteral(".mail");
    const QString mailTo = to.left(to.size() - 4) + QStringLiteral(".mail");
    bool mailMoved = false;
    if (QFile::exists(mailFrom)) {
      if ((QFile::exists(mailTo) && !QFile::remove(mailTo)) || !QFile::rename(mailFrom, mailTo)) {
        if (failed) *failed << mailFrom;
        continue;
      }
      mailMoved = true;
    }
    if (!QFile::rename(from, to)) {
      if (mailMoved) QFile::rename(mailTo, mailFrom);
      if (failed) *failed << from;
      continue;
    }
    ++renamed;
  }
  return renamed;
}

int readStartMode(const QString& programFolder) {
  const QString p = programFolder + QStringLiteral("/start.txt");
  if (fileState(p) != FileState::Filled) return kEntryPerBoard;
  const auto lines = readTextLines(p);
  if (!lines || lines->isEmpty()) return kEntryPerBoard;
  bool ok = false;
  const int mode = lines->first().trimmed().toInt(&ok);
  return ok && mode == kEntryPerRound ? kEntryPerRound : kEntryPerBoard;
}

bool writeStartMode(const QString& programFolder, int mode) {
  return writeTextLines(programFolder + QStringLiteral("/start.txt"), {QString::number(mode)});
}

QString groupNameOfEvent(const QString& eventName, const QString& resultWord) {
  const qsizetype at = eventName.indexOf(QLatin1Char(' ') + resultWord);
  return at < 0 ? eventName : eventName.left(at);
}

QString newEventFileName(const QString& groupFileName, const QString& resultWord) {
  const qsizetype dot = groupFileName.indexOf(QLatin1Char('.'));
  if (dot < 0) return groupFileName + QLatin1Char(' ') + resultWord + QStringLiteral(".txt");
  return groupFileName.left(dot) + QLatin1Char(' ') + resultWord + groupFileName.mid(dot);
}

bool writeNewEvent(const QString& path, const EventHeader& header) {
  if (fileState(path) == FileState::Filled) return true;
  return EventModel(header).save(path);
}

}  // namespace mervalo
