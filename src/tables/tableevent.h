#pragma once

#include <QHash>
#include <QLockFile>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>

#include "event/eventmodel.h"
#include "tables/tablefiles.h"
#include "tables/tableplan.h"

namespace mervalo {

// One event as the tables see it: who sits where, the scores the phones sent and the event model
// they are written through, by the same rules as scores typed on an entry screen. Not thread-safe:
// everything runs on the event loop of its owner.

struct BoardAtTable {
  int board = 0;
  int vulnerability = 0;  // 0 nobody … 3 both
  std::optional<ContractLine> entered;  // what the table sent last
  QString nsScore;  // what the event holds for the table now (the organiser may have corrected it)
};

struct RoundAtTable {
  int table = 0;
  int round = 0;
  int rounds = 0;
  bool seated = false;  // the movement seats pairs at the table this round
  bool sitOut = false;
  int ns = 0;
  int ew = 0;
  QString nsNames;
  QString ewNames;
  QVector<BoardAtTable> boards;
};

struct TravellerRow {
  int ns = 0;
  int ew = 0;
  QString contract;  // "4S", empty when the score was typed on the screen
  QString declarer;
  int tricks = -1;
  QString nsScore;
  QString nsPoints;  // once the board is complete
  QString ewPoints;
};

// Why a score was not stored; the text number of the message the table gets.
enum class Refusal {
  None,
  NotThisTable,       // the table does not play the board: text 258
  WrongVulnerability, // text 91
  Impossible,         // text 92
  ScoreMismatch,      // the score the players confirmed is not the contract's: text 259
  Malformed,          // text 260
  NotSaved,           // the files could not be written: text 261
};
int refusalTextNumber(Refusal refusal);

// What a phone sends for one board: the table, the result as the contracts file keeps it (its
// pairs are left 0, the table plan knows who sat there) and the NS score the phone showed
// (empty when it showed none).
struct ScoreRequest {
  int table = 0;
  ContractLine played;
  QString confirmedScore;
};

struct ScoreAnswer {
  Refusal refusal = Refusal::None;
  QString message;  // for a refusal, in the event's language
  int nsScore = 0;
  bool repeated = false;  // the request id was seen before: answered as before, stored once
};

class TableEvent {
 public:
  // Opens "invoer/<eventName>.txt" of the program folder for writing from the tables: takes its
  // lock file (a second writer is refused), reads the movement, the group, the table codes
  // (making the missing ones) and the contracts file. With `shared` the scores go into that
  // model (an entry screen's) instead of one read here. nullptr with the message in *error.
  static std::unique_ptr<TableEvent> open(const QString& programFolder, const QString& eventName, int language,
                                          QString* error, EventModel* shared = nullptr);
  ~TableEvent();

  const EventHeader& header() const { return model_->header(); }
  const QString& eventPath() const { return eventPath_; }
  const TablePlan& plan() const { return plan_; }
  const QMap<int, QString>& codes() const { return codes_; }
  int language() const { return language_; }
  bool codeFits(int table, const QString& code) const;

  RoundAtTable round(int table, int round) const;
  // The first round in which the table has a board without a score (the last round when all do).
  int currentRound(int table) const;
  // The score a contract gives at the table, checked as the screens check it, nothing stored.
  ScoreAnswer preview(const ScoreRequest& request) const;
  // Stores a table's result in memory; save() writes it.
  ScoreAnswer store(const ScoreRequest& request);
  QVector<TravellerRow> traveller(int board) const;

  // Writes the contracts file and the event file, each whole and atomically. False on failure.
  bool save();
  bool unsaved() const { return unsaved_; }

 private:
  TableEvent() = default;
  ScoreAnswer check(const ScoreRequest& request, const TableRound** seat) const;
  void apply(const ContractLine& line, bool onlyWhereEmpty);
  QString modelScore(int board, int ns, int ew) const;
  QString tableScore(int board, int ns, int ew) const;
  QString text(int number) const;

  QString programFolder_;
  QString eventPath_;
  int language_ = 10;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<EventModel> ownModel_;
  EventModel* model_ = nullptr;
  QStringList roundLines_;
  QStringList names_;  // pair p at p - 1
  TablePlan plan_;
  QMap<int, QString> codes_;
  QStringList contractLines_;  // the contracts file as it will be written
  QHash<QString, ContractLine> byRequest_;
  QHash<quint64, ContractLine> last_;  // key: board, NS, EW
  bool unsaved_ = false;
};

}  // namespace mervalo
