#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "players/groupfile.h"

namespace mervalo {

// The group being composed from one name list: which players are still free, the two picks,
// and the entries with their group and mail lines in the order they will be written. A
// player's number is his position in the list (1 based), as the names grid numbers its rows.
class GroupComposition {
 public:
  struct Pick {
    QString number;       // empty while the slot is free
    QString description;  // " Dhr. Jan Smit"
    QString line;         // his whole name-list line, fields joined by "|"
    bool filled() const { return !number.isEmpty(); }
  };

  // Starts again from a list: every player free, no picks, no entries. Each player's first
  // field is replaced by his number.
  void load(const QList<QStringList>& players);
  // Empties the group and gives every player back.
  void clear();

  int playerCount() const { return static_cast<int>(players_.size()); }
  // The fields of player n as the names grid shows them: a taken player keeps only his number.
  QStringList shownFields(int number) const;
  bool isFree(int number) const;

  // Puts a free player into the first empty slot; false when he cannot be picked or both
  // slots are full.
  bool pick(int number);
  // Gives the player of a slot back; false when the slot was empty.
  bool unpick(int slot);
  const Pick& picked(int slot) const { return picks_[slot]; }
  bool bothPicked() const { return picks_[0].filled() && picks_[1].filled(); }

  // Adds the two picked players as a pair and frees the slots.
  bool addPair();
  // Adds the sit-out line; a group holds at most one.
  bool addSitOut(const QString& sitOutLine);
  // Removes entry i (0 based); a pair's players become free again.
  bool removeEntry(int index);
  // Takes the entries of a saved group: each player found in the list is taken and his
  // name-list line becomes his mail line; one who is not found keeps his group line only.
  void open(const Group& group);

  const QStringList& groupLines() const { return groupLines_; }
  const QStringList& mailLines() const { return mailLines_; }
  const QStringList& displays() const { return displays_; }
  int entryCount() const { return static_cast<int>(groupLines_.size()); }
  bool hasSitOut() const;
  // An odd number of entries together with a sit-out cannot be played.
  bool consistent() const { return groupConsistent(entryCount(), hasSitOut()); }

 private:
  void giveBack(const QString& player, const QString& description);

  QList<QStringList> players_;
  QList<bool> taken_;
  QStringList keys_;  // "3*Dhr. Jan Smit ..." per player, for finding a group file's players
  Pick picks_[2];
  QStringList groupLines_;
  QStringList mailLines_;
  QStringList displays_;
};

}  // namespace mervalo
