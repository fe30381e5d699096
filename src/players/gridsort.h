#pragma once

#include "app/grid.h"

namespace mervalo {

// Ascending sort of rows [first, last] on one column, in the grid's own order (numbers as
// numbers when both cells are numbers, otherwise text without regard to case, equal keys
// keeping their order), with every key worked out once rather than at every comparison:
// a club's list of thousands of players sorts at once.
void sortRowsAscending(Grid& grid, int first, int last, int col);

}  // namespace mervalo
