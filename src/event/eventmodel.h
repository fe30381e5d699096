#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>
#include <vector>

#include "event/eventfile.h"

namespace mervalo {

// Entry per round: what the event file holds for one board (line 7 + b).
struct BoardLine {
  QVector<SlipEntry> entries;  // the tables that could be read, in the line's order
  QStringList kept;            // parts that could not be used, written back after them as they stood
  bool present = false;        // the file has a non-blank line for the board
};

// The one owner of an event file: read once, handed out as its header and its scores (a
// record per board, or a positional line per board), changed a board at a time and written
// back whole and atomically. Nothing that was read is lost: a line that cannot be used is
// reported in problems() and written back as it stood (a board stored anew replaces it).
class EventModel {
 public:
  EventModel() = default;
  // A new event: the header alone.
  explicit EventModel(const EventHeader& header);

  // Reads the lines of a file named fileName (used in the reports). nullopt only when the
  // header cannot be read; damage below it goes to problems().
  static std::optional<EventModel> fromLines(const QStringList& lines, const QString& fileName,
                                             EventFileError* error = nullptr);
  // Reads a file, rewriting the dates of its title lines for the language first (as the entry
  // screens show them). The error names the file when it cannot be opened.
  static std::optional<EventModel> load(const QString& path, int language, EventFileError* error = nullptr);

  const EventHeader& header() const { return header_; }
  void setTitle(const QString& title) { header_.title = title; }
  // The lines that could not be used, in file order.
  const QVector<EventFileError>& problems() const { return problems_; }

  // Entry per board. The record of board b, or nullptr.
  const ScoreRecord* record(int board) const;
  // Replaces the board's record in place (or a damaged line meant for the board), or appends it.
  void storeRecord(const ScoreRecord& record);
  // Removes the board's record; false when it had none.
  bool clearBoard(int board);
  // The boards that have a record, in ascending order.
  QVector<int> recordedBoards() const;

  // Entry per round. The line of board b (1 … R·B); an empty line for any other board.
  const BoardLine& boardLine(int board) const;
  // Sets the readable tables of board b; the parts kept from the file stay behind them.
  void setBoardEntries(int board, const QVector<SlipEntry>& entries);
  // Moves an entry the screen cannot place into the board's kept parts.
  void keepPart(int board, const QString& part);

  // Every line of the file, header first.
  QStringList lines() const;
  // Writes the file whole and atomically; false when it could not be written.
  bool save(const QString& path) const;

 private:
  struct RecordLine {
    int board = 0;  // the board of the record, or the board a damaged line names (0: none)
    std::optional<ScoreRecord> record;
    QString raw;    // a line that could not be read, as it stood
    mutable QString text;  // the record as written last, made again only after a change
  };

  void readRecords(const QStringList& lines);
  void readBoardLines(const QStringList& lines);
  void problem(int line, const QString& what);
  void reindex();

  EventHeader header_;
  QString fileName_;
  QVector<EventFileError> problems_;
  QVector<RecordLine> records_;   // mode 0, in file order
  std::vector<int> recordAt_;     // board b → index into records_, or -1
  std::vector<BoardLine> boards_; // mode 1: index b - 1 holds board b
  QStringList extraLines_;        // mode 1: lines beyond the last board, kept as they stood
  bool boardLinesWritten_ = false;
};

}  // namespace mervalo
