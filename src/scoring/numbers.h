#pragma once

#include <QString>
#include <QStringView>

namespace mervalo {

// Number texts of the score sheets. Every text here uses "." as its decimal point whatever the
// system locale says, because the event files and pages are shared between machines.

// The shortest decimal text of a value with at most 15 significant digits: trailing zeros and a
// bare "." dropped, never an exponent, no "-0" (0.6 × 6 → "3.6", 4.0 → "4", 0.4 → "0.4").
QString shortestDecimal(double value);

// A matchpoint value after the Neuberg correction: 0.005 added, cut after two decimals, trailing
// zeros dropped (5.6666 → "5.67", 3.0 → "3", 0.3333 → "0.33", 3.5 → "3.5").
QString twoDecimalPoints(double value);

// A percentage as the results show it: 0.005 added, cut (not rounded) to exactly two decimals,
// then "%" (55.555… → "55.56%", 50 → "50.00%", 65.625 → "65.63%").
QString percentageText(double percentage);

}  // namespace mervalo
