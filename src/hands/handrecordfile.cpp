#include "hands/handrecordfile.h"

#include <QFile>
#include <QHash>
#include <QPromise>
#include <QThreadPool>
#include <memory>
#include <mutex>

#include "app/paths.h"
#include "app/textfile.h"
#include "hands/doubledummy.h"

namespace mervalo {

namespace {

std::optional<QByteArray> readBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

}  // namespace

QString handRecordPath(const QString& programFolder, const QString& eventFileName) {
  QString name = eventFileName;
  if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) name.chop(4);
  return filePath(programFolder, DataFolder::Events, name + QStringLiteral(".pbn"));
}

std::optional<HandRecordImport> prepareImport(const QByteArray& pbn, int boards, PbnError* error) {
  const auto read = readPbn(pbn, error);
  if (!read) return std::nullopt;
  HandRecordImport import;
  auto kept = handRecordForEvent(*read, boards, &import.leftOut, error);
  if (!kept) return std::nullopt;
  import.record = std::move(*kept);
  return import;
}

bool writeHandRecord(const QString& path, const HandRecord& record) { return writeFileAtomic(path, writePbn(record)); }

HandAnalysisOutcome analyseHandRecordFile(const QString& path) {
  // A file replaced while the solver ran (a new import) is analysed again: what was solved
  // belongs to the old deals, and whoever waits wants the new ones.
  for (int attempt = 0; attempt < 3; ++attempt) {
    HandAnalysisOutcome outcome;
    const auto bytes = readBytes(path);
    if (!bytes) {
      outcome.failure = QStringLiteral("%1: the file cannot be read").arg(path);
      return outcome;
    }
    PbnError error;
    auto record = readPbn(*bytes, &error);
    if (!record) {
      outcome.readError = error;
      return outcome;
    }
    if (!record->analysed()) {
      if (!analyseHandRecord(*record, &outcome.failure)) return outcome;
      if (readBytes(path) != bytes) continue;
      outcome.written = writeHandRecord(path, *record);
      if (!outcome.written) outcome.failure = QStringLiteral("%1: the file cannot be written").arg(path);
    }
    outcome.record = std::move(record);
    return outcome;
  }
  HandAnalysisOutcome busy;
  busy.failure = QStringLiteral("%1: the file kept changing while it was analysed").arg(path);
  return busy;
}

QFuture<HandAnalysisOutcome> startHandRecordAnalysis(const QString& path) {
  static std::mutex mutex;
  static QHash<QString, QFuture<HandAnalysisOutcome>> running;
  std::lock_guard<std::mutex> lock(mutex);
  if (auto it = running.find(path); it != running.end() && !it->isFinished()) return *it;
  auto promise = std::make_shared<QPromise<HandAnalysisOutcome>>();
  QFuture<HandAnalysisOutcome> future = promise->future();
  promise->start();
  running.insert(path, future);
  QThreadPool::globalInstance()->start([promise, path] {
    promise->addResult(analyseHandRecordFile(path));
    promise->finish();
  });
  return future;
}

std::optional<HandRecordForPage> handRecordForPage(const QString& path, bool wait) {
  const auto bytes = readBytes(path);
  if (!bytes) return std::nullopt;
  auto record = readPbn(*bytes);
  if (!record) return std::nullopt;
  if (record->analysed()) return HandRecordForPage{std::move(*record), false};
  QFuture<HandAnalysisOutcome> analysis = startHandRecordAnalysis(path);
  if (wait || analysis.isFinished()) {
    const HandAnalysisOutcome outcome = analysis.result();
    if (outcome.record && outcome.record->analysed()) return HandRecordForPage{*outcome.record, false};
  }
  for (BoardHand& b : record->boards) {
    b.table.reset();
    b.par.reset();
  }
  return HandRecordForPage{std::move(*record), true};
}

}  // namespace mervalo
