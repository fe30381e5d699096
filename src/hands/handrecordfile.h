#pragma once

#include <QByteArray>
#include <QFuture>
#include <QString>
#include <optional>

#include "hands/handrecord.h"
#include "hands/pbn.h"

namespace mervalo {

// The event's hand record: "invoer/<event file name without .txt>.pbn" in the program folder.
QString handRecordPath(const QString& programFolder, const QString& eventFileName);

// A hand record to take into an event, checked against its boards; the record holds the
// event's boards alone, leftOut counts the ones beyond them.
struct HandRecordImport {
  HandRecord record;
  int leftOut = 0;
};
std::optional<HandRecordImport> prepareImport(const QByteArray& pbn, int boards, PbnError* error = nullptr);

// Writes the record as PBN, atomically. False when it cannot be written.
bool writeHandRecord(const QString& path, const HandRecord& record);

// What analysing a hand record file came to.
struct HandAnalysisOutcome {
  std::optional<HandRecord> record;  // with every table and par, or nullopt
  std::optional<PbnError> readError; // the file could not be read as PBN
  QString failure;                   // the file could not be opened or written, or the solver failed
  bool written = false;              // the analysis was added to the file
};

// Reads the hand record at path, analyses the boards that lack it and writes the analysis back
// into the file (atomically, and only while the file still holds what was read; a file replaced
// meanwhile is analysed afresh). Blocks.
HandAnalysisOutcome analyseHandRecordFile(const QString& path);

// The same on a worker thread, so no screen waits for it. While the analysis of a path runs,
// asking again for that path gives the running one. A caller that cannot wait checks
// isFinished() and goes without the tables; result() waits for the whole of it.
QFuture<HandAnalysisOutcome> startHandRecordAnalysis(const QString& path);

// The event's hand record for a page made now: analysed when the analysis is done (waiting for
// it when wait is true); otherwise the deals alone with analysisPending set, never the tables of
// some boards without the others'. nullopt when there is no hand record or it cannot be read.
struct HandRecordForPage {
  HandRecord record;
  bool analysisPending = false;  // the tables and par are left out: say so on the page
};
std::optional<HandRecordForPage> handRecordForPage(const QString& path, bool wait);

}  // namespace mervalo
