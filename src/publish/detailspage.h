#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "publish/eventextras.h"
#include "scoring/eventresult.h"

namespace mervalo {

// What the players read after the evening beside the ranking page: every board's traveller,
// every pair's score card and, where the event has a hand record, the hands.

struct DetailsOptions {
  int language = 10;
  QString title;            // the ranking page's title, "Uitslag (12-03-2024 Groep A)"
  bool withHands = true;    // false leaves the hands, the double-dummy table and par out
  bool analysisPending = false;  // the hands are there, their double-dummy analysis not yet
};

// "HTML/<group> Details.html" beside the ranking page "<group>.html".
QString detailsFileName(const QString& groupFileName);

// The details page: one self-contained UTF-8 file (inline style sheet, no scripts, nothing
// fetched) that is also well-formed XML, so any strict parser reads it.
QByteArray detailsPage(const EventResult& result, const EventExtras& extras, const DetailsOptions& options);

// A board's tables in the order the traveller shows them: played scores best for North-South
// first (equal scores in entry order), then adjusted, then not-played tables.
QVector<const ScoredTable*> travellerOrder(const BoardResult& board);

// A table's North-South share of the top as a whole percentage, as the traveller shows it.
int percentOfTop(double points, int top);

}  // namespace mervalo
