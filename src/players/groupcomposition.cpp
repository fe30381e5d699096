#include "players/groupcomposition.h"

#include "app/fileops.h"
#include "players/namelist.h"

namespace mervalo {

namespace {
constexpr int kFields = 5;

QStringList padded(QStringList fields) {
  while (fields.size() < kFields) fields << QString();
  return fields.mid(0, kFields);
}
}  // namespace

void GroupComposition::load(const QList<QStringList>& players) {
  players_.clear();
  keys_.clear();
  for (int i = 0; i < players.size(); ++i) {
    QStringList fields = padded(players[i]);
    fields[0] = QString::number(i + 1);
    keys_ << pickKey(fields);
    players_ << fields;
  }
  clear();
}

void GroupComposition::clear() {
  taken_ = QList<bool>(players_.size(), false);
  picks_[0] = Pick{};
  picks_[1] = Pick{};
  groupLines_.clear();
  mailLines_.clear();
  displays_.clear();
}

bool GroupComposition::isFree(int number) const {
  if (number < 1 || number > playerCount() || taken_[number - 1]) return false;
  // A row without any name is nobody to pick.
  QString joined;
  for (int c = 1; c < kFields; ++c) joined += players_[number - 1][c];
  return !joined.trimmed().isEmpty();
}

QStringList GroupComposition::shownFields(int number) const {
  if (number < 1 || number > playerCount()) return {};
  if (!taken_[number - 1]) return players_[number - 1];
  QStringList shown(kFields);
  shown[0] = players_[number - 1][0];
  return shown;
}

bool GroupComposition::pick(int number) {
  if (!isFree(number) || bothPicked()) return false;
  Pick& slot = picks_[picks_[0].filled() ? 1 : 0];
  const QStringList& fields = players_[number - 1];
  slot.number = fields[0];
  slot.description = playerDescription(fields[1], fields[2], fields[3]);
  slot.line = fields.join(QLatin1Char('|'));
  taken_[number - 1] = true;
  return true;
}

bool GroupComposition::unpick(int slot) {
  if (slot < 0 || slot > 1 || !picks_[slot].filled()) return false;
  const int number = picks_[slot].number.toInt();
  if (number >= 1 && number <= playerCount()) {
    players_[number - 1] = padded(picks_[slot].line.split(QLatin1Char('|')));
    taken_[number - 1] = false;
  }
  picks_[slot] = Pick{};
  return true;
}

bool GroupComposition::addPair() {
  if (!bothPicked()) return false;
  groupLines_ << pairLine(picks_[0].number, picks_[0].description, picks_[1].number, picks_[1].description);
  displays_ << pairDisplay(picks_[0].description, picks_[1].description);
  mailLines_ << picks_[0].line << picks_[1].line;
  picks_[0] = Pick{};
  picks_[1] = Pick{};
  return true;
}

bool GroupComposition::hasSitOut() const {
  for (const QString& line : groupLines_)
    if (isSitOutLine(line)) return true;
  return false;
}

bool GroupComposition::addSitOut(const QString& sitOutLine) {
  if (hasSitOut()) return false;
  groupLines_ << sitOutLine;
  displays_ << sitOutLine;
  return true;
}

void GroupComposition::giveBack(const QString& player, const QString& description) {
  const QString number = player.section(QLatin1Char('|'), 0, 0).trimmed();
  // His own line first (same number), so two players of the same name are never mixed up.
  int at = -1;
  const QStringList words = description.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (int i = 0; i < mailLines_.size() && at < 0; ++i) {
    if (mailLines_[i].section(QLatin1Char('|'), 0, 0) != number) continue;
    bool all = true;
    for (const QString& w : words) all = all && mailLines_[i].contains(w);
    if (all) at = i;
  }
  if (at < 0 && number.isEmpty()) at = findMailLine(mailLines_, description);
  if (at < 0) return;  // he was not in this list: nobody to give back
  const QStringList fields = padded(mailLines_[at].split(QLatin1Char('|')));
  const int row = fields[0].toInt();
  if (row >= 1 && row <= playerCount()) {
    players_[row - 1] = fields;
    taken_[row - 1] = false;
  }
  mailLines_.removeAt(at);
}

bool GroupComposition::removeEntry(int index) {
  if (index < 0 || index >= entryCount()) return false;
  const GroupEntry parsed = parseGroupLine(groupLines_[index]);
  const QStringList descriptions = displays_[index].split(QLatin1String(" - "));
  groupLines_.removeAt(index);
  displays_.removeAt(index);
  if (parsed.kind == GroupEntry::Kind::Pair)
    for (int p = 0; p < 2; ++p) giveBack(parsed.players[p], descriptions.value(p));
  return true;
}

void GroupComposition::open(const Group& group) {
  clear();
  for (const GroupEntry& e : group.entries) {
    if (e.kind == GroupEntry::Kind::Pair) {
      for (const QString& player : e.players) {
        const int found = listSearch(keys_, groupPlayerKey(player), false);
        if (found < 0 || taken_[found]) continue;
        taken_[found] = true;
        mailLines_ << players_[found].join(QLatin1Char('|'));
      }
    }
    groupLines_ << e.line;
    displays_ << e.display;
  }
}

}  // namespace mervalo
