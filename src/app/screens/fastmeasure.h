#pragma once

#include <QFont>

#include "app/grid.h"

namespace mervalo {

// Text widths in twips in the given font, summed from the advances of single characters,
// each measured once. Fitting a column of thousands of names needs no more exactness than the
// one "W" of room the fitting adds.
TextMeasure characterMeasure(const QFont& font);

}  // namespace mervalo
