#include "publish/addresses.h"

#include "app/addressrule.h"
#include "app/paths.h"
#include "players/groupfile.h"

namespace mervalo {

QStringList playersForMail(const QStringList& groupMailLines) {
  QStringList players;
  for (const QString& line : groupMailLines) {
    if (line.trimmed().isEmpty()) continue;
    const QStringList fields = line.split(QLatin1Char('|'));
    if (fields.size() < 2) continue;  // the sit-out, or no name-list line at all
    const QString address = fields.last().trimmed();
    if (!address.contains(QLatin1Char('@')) && line.contains(QLatin1Char('+'))) {
      // A companion made by copying the group file: its lines are pairs, not players.
      players << parseGroupLine(line).descriptions();
      continue;
    }
    if (!address.isEmpty()) {
      players << QLatin1Char('|') + address;
      continue;
    }
    QStringList names = fields.mid(1, fields.size() - 2);
    bool anyName = false;
    for (const QString& n : names) anyName = anyName || !n.trimmed().isEmpty();
    if (anyName) players << QLatin1Char('|') + names.join(QLatin1Char('|')) + QLatin1Char('|');
  }
  return players;
}

QString playerDisplayName(const QString& key, const QStringList& mailingList) {
  if (!key.startsWith(QLatin1Char('|'))) return key.trimmed();  // already a description
  for (const QString& entry : mailingList) {
    if (entry.contains(key)) {
      const QString names = entry.section(QLatin1Char('|'), 0, 0).trimmed();
      if (!names.isEmpty()) return names;
      break;
    }
  }
  QStringList words = key.split(QLatin1Char('|'), Qt::SkipEmptyParts);
  for (QString& w : words) w = w.trimmed();
  words.removeAll(QString());
  return words.join(QLatin1Char(' '));
}

QStringList mailingListEntries(const QStringList& companionLines) {
  QStringList entries;
  for (const QString& line : companionLines) {
    if (line.trimmed().isEmpty()) continue;
    const QStringList fields = line.split(QLatin1Char('|'));
    QString names;
    for (int i = 1; i < fields.size() - 1; ++i) names += fields[i] + QLatin1Char(' ');
    if (names.trimmed().isEmpty()) continue;
    entries << names + QLatin1Char('|') + fields.last();
  }
  return entries;
}

QStringList addressLines(const QStringList& nameListMailLines) {
  QStringList lines;
  for (const QString& line : nameListMailLines)
    if (!line.trimmed().isEmpty() && line.contains(QLatin1Char('@'))) lines << line;
  return lines;
}

QString collectAddresses(const QStringList& players, QStringList& addressLines) {
  QString collected;
  for (const QString& player : players) {
    if (player.isEmpty()) continue;  // an empty key would match every line
    for (int i = 0; i < addressLines.size(); ++i) {
      if (!addressLines[i].contains(player)) continue;
      const QString address = addressLines[i].split(QLatin1Char('|')).last();
      if (address.contains(QLatin1Char('@')) && isSafeMailAddress(address.trimmed())) collected += address + QStringLiteral("; ");
      addressLines.removeAt(i);
      break;
    }
  }
  return collected;
}

QStringList eventPlayersForMail(const QString& programFolder, const QString& groupFileName) {
  const QString path = filePath(programFolder, DataFolder::Groups, groupFileName);
  if (const auto mail = readMailCompanion(path)) return playersForMail(*mail);
  const auto group = readGroup(path);
  return group ? group->playerDescriptions() : QStringList{};
}

}  // namespace mervalo
