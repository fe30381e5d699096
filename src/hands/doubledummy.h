#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "hands/handrecord.h"

namespace mervalo {

// Double-dummy analysis by the standard solver (DDS). Every call may come from any thread:
// the solver is started once and used by one caller at a time, the others wait.

struct DealAnalysis {
  DoubleDummyTable table;
  ParResult par;
};

// The table and par of every deal, each with its vulnerability code; blocks until all are
// solved. nullopt, with the solver's message, when it refuses.
std::optional<std::vector<DealAnalysis>> solveDeals(const std::vector<Deal>& deals, const std::vector<int>& vulnerabilities,
                                                    QString* error = nullptr);

// The par of a table already known (the first line of the solver's answer, North-South's view).
std::optional<ParResult> parOfTable(const DoubleDummyTable& table, int vulnerability, QString* error = nullptr);

// Gives every board without a table its table and par, and a board with a table but no par its
// par; a table already there is kept as it stands. False, with the solver's message, on failure
// (the record is then unchanged).
bool analyseHandRecord(HandRecord& record, QString* error = nullptr);

// The solver's table (strains S, H, D, C, NT × hands N, E, S, W) in our order.
DoubleDummyTable tableFromSolver(const std::array<std::array<int, 4>, 5>& solver);
// The solver's strain number of ours.
int solverStrain(Strain strain);
// The solver's vulnerability number (0 none, 1 both, 2 NS, 3 EW) of a Vulnerability code.
int solverVulnerability(int code);

}  // namespace mervalo
