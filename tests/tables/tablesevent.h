#pragma once

// A program folder with one event for the table tests: P pairs at P/2 tables, three rounds of
// two boards, a Mitchell movement (NS stay, EW move up one table a round, every table plays set
// r in round r) or, with a sit-out pair, the last pair as phantom.

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "app/textfile.h"

// The rounds of that Mitchell movement at this many tables, as the movement file's lines.
inline QStringList mitchellRounds(int tables) {
  QStringList rounds;
  for (int r = 1; r <= 3; ++r) {
    QString line = QStringLiteral("Ronde %1").arg(r);
    for (int t = 1; t <= tables; ++t)
      line += QStringLiteral("\t%1-%2 (%3-%4)").arg(t).arg(tables + (t + r - 2) % tables + 1).arg(4 * r - 3).arg(4 * r);
    rounds.append(line);
  }
  return rounds;
}

struct TablesEvent {
  QTemporaryDir dir;
  QString name = QStringLiteral("05-12-2026 Groep A Uitslag");
  int tables = 0;

  explicit TablesEvent(int tableCount, int mode = 0, bool phantom = false) : tables(tableCount) {
    const QString root = dir.path();
    for (const char* sub : {"groepen", "invoer", "schema/10"}) QDir(root).mkpath(QLatin1String(sub));
    mervalo::writeTextLines(root + QStringLiteral("/taal.txt"), {QStringLiteral("10")});
    QStringList group;
    const int pairs = 2 * tables;
    for (int p = 1; p <= pairs - (phantom ? 1 : 0); ++p)
      group.append(QStringLiteral("%1| Speler %1a+%2| Speler %1b").arg(2 * p - 1).arg(2 * p));
    mervalo::writeTextLines(root + QStringLiteral("/groepen/05-12-2026 Groep A.txt"), group);
    const QString schema = QStringLiteral("%1 Paren 03 Ronden Test").arg(pairs, 2, 10, QLatin1Char('0'));
    mervalo::writeTextLines(root + QStringLiteral("/schema/10/") + schema + QStringLiteral(".txt"),
                            QStringList{QStringLiteral("Mitchell")} + mitchellRounds(tables));
    const QString sitOut = phantom ? QString::number(pairs) : QStringLiteral("Geen");
    mervalo::writeTextLines(eventPath(),
                            {name, QString::number(pairs), sitOut, QStringLiteral("3"), QStringLiteral("2"), schema,
                             QString::number(mode)});
  }
  QString folder() const { return dir.path(); }
  QString eventPath() const { return dir.path() + QStringLiteral("/invoer/") + name + QStringLiteral(".txt"); }
  QString contractsPath() const { return eventPath().chopped(4) + QStringLiteral(" Contracten.txt"); }
  QStringList lines(const QString& path) const { return mervalo::readTextLines(path).value_or(QStringList()); }
};
