#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <utility>

#include "app/grid.h"
#include "event/eventmodel.h"

namespace mervalo {

// Entry per round: the slips of every round (one a table: an NS pair, an EW pair and the
// boards they play) and every board's table entries, as the round screen shows and stores
// them. The table entries are the event file's board lines (EventModel::boardLine).
struct Slip {
  int round = 0;       // 1 … R
  QString pairText;    // "3-8" as the movement writes it, "8-3" once swapped
  int ns = 0;          // the pairs as the slip now stands (swapped too)
  int ew = 0;
  int firstBoard = 0;  // the boards of the slip, first … last
  int lastBoard = 0;
  bool sitOut = false;  // the sit-out pair plays here: nothing to type
  bool swapped = false;

  int boards() const { return lastBoard - firstBoard + 1; }
  // "3-8 (1-4)": the option's caption.
  QString caption() const;
};

class RoundSlips {
 public:
  // The slips of the movement's round lines (ranges in four-board sets), with the stored board
  // lines of the model placed in them. An entry whose pair text the movement does not seat at
  // its board is moved to the model's kept parts and named in *unusable ("board 3: 2-9").
  static RoundSlips build(const QStringList& roundLines, EventModel& model, QStringList* unusable = nullptr);

  int rounds() const { return static_cast<int>(rounds_.size()); }
  int boards() const { return static_cast<int>(entries_.size()); }
  const QVector<Slip>& slips(int round) const { return rounds_[round - 1]; }
  const Slip& slip(int round, int index) const { return rounds_[round - 1][index]; }

  // The entry of the slip on board b (one of its boards); nullptr when it has none.
  const SlipEntry* entry(const Slip& slip, int board) const;
  // Stores the slip: per board (in order) the NS and EW score as typed; an empty NS score
  // stores the board without scores.
  void store(int round, int index, const QVector<std::pair<QString, QString>>& scores);
  // Stored with a score on the slip's last board: the option is struck through.
  bool stored(int round, int index) const;
  // Exchanges the slip's pairs everywhere its pair text stands; false (nothing changed) when
  // the slip holds stored scores.
  bool swap(int round, int index);

  // The boards without scores at a slip of a playing table, as "Ronde 2 - Spel 7" with the
  // two words given: in round order, then board order.
  QStringList missing(const QString& roundWord, const QString& boardWord) const;
  // The board's table entries in the order the event file keeps them.
  const QVector<SlipEntry>& boardEntries(int board) const { return entries_[board - 1]; }
  // Writes every board's entries into the model's board lines.
  void writeTo(EventModel& model) const;

 private:
  SlipEntry* findEntry(int board, const QString& pairText);
  void rename(Slip& slip, const QString& newText);

  int sitOut_ = 0;
  QVector<QVector<Slip>> rounds_;
  QVector<QVector<SlipEntry>> entries_;  // index b - 1 holds board b
};

// The overview of every board's table entries: one column per board headed "Spel 5" (with
// the board word given) and rows numbered 1 … the most entries a board has. Row t of a board's
// column holds its t-th entry in the event file's order, centred: the pairs ("3 - 8") and, once
// stored, the two scores ("3 - 8[420]  [-420] ").
Grid slipsOverview(const RoundSlips& slips, const QString& boardWord);

}  // namespace mervalo
