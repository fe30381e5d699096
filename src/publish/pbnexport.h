#pragma once

#include <QByteArray>
#include <QString>

#include "publish/detailspage.h"

namespace mervalo {

// The event's result as PBN 2.1 in export form, for other bridge programs and result
// websites: per scored board its tags, the deal when there is a hand record and a ScoreTable
// of every table; at the end one TotalScoreTable of the ranking. ISO 8859-1 with CR LF, as the
// standard asks; "." is the decimal point.
//
// groupName "05-12-2026 Groep A" gives the Event tag and, from its leading date, the Date tag.
QByteArray pbnResults(const EventResult& result, const EventExtras& extras, const QString& groupName);

}  // namespace mervalo
