#include "hands/doubledummy.h"

#include <dds/dll.h>

#include <QByteArray>
#include <cstring>
#include <memory>
#include <mutex>

namespace mervalo {

namespace {

// The solver keeps memory and threads of its own for the whole run. It is set up on first use
// and handed back when the program ends; the lock keeps two callers from using it at once.
class Solver {
 public:
  static Solver& instance() {
    static Solver solver;
    return solver;
  }
  ~Solver() {
    std::lock_guard<std::mutex> lock(mutex);
    if (started_) FreeMemory();
  }
  std::mutex mutex;
  void startLocked() {
    if (started_) return;
    SetMaxThreads(0);
    started_ = true;
  }

 private:
  Solver() = default;
  bool started_ = false;
};

// The most deals the solver takes in one call (MAXNOOFTABLES: 40 tables of five strains).
constexpr int kChunk = MAXNOOFTABLES;

QString solverMessage(int code) {
  char line[80] = {};
  ErrorMessage(code, line);
  return QStringLiteral("double-dummy solver: %1 (%2)").arg(QString::fromLatin1(line)).arg(code);
}

// Records why the solver gave no answer.
std::nullopt_t fail(QString* error, const QString& what) {
  if (error) *error = what;
  return std::nullopt;
}

std::optional<ParResult> parLocked(const DoubleDummyTable& table, int vulnerability, QString* error) {
  ddTableResults solverTable{};
  for (Seat seat : kSeats)
    for (Strain strain : kStrains) solverTable.resTable[solverStrain(strain)][int(seat)] = table.at(seat, strain);
  parResults par{};
  const int rc = Par(&solverTable, &par, solverVulnerability(vulnerability));
  if (rc != RETURN_NO_FAULT) return fail(error, solverMessage(rc));
  // The first line is North-South's view: "NS 620" and "NS:NS 4S".
  const QString score = QString::fromLatin1(par.parScore[0], qstrnlen(par.parScore[0], sizeof par.parScore[0]));
  const QString contracts = QString::fromLatin1(par.parContractsString[0],
                                                qstrnlen(par.parContractsString[0], sizeof par.parContractsString[0]));
  bool ok = false;
  const int value = score.section(QLatin1Char(' '), 1).toInt(&ok);
  if (!ok || !score.startsWith(QLatin1String("NS "))) return fail(error, solverMessage(RETURN_UNKNOWN_FAULT));
  // Doubled as the contracts are written everywhere else: "4SX", not the solver's "4Sx".
  return ParResult{value, contracts.section(QLatin1Char(':'), 1).trimmed().replace(QLatin1Char('x'), QLatin1Char('X'))};
}

}  // namespace

int solverStrain(Strain strain) { return strain == Strain::NoTrump ? 4 : int(strain) - 1; }

int solverVulnerability(int code) {
  static const int map[] = {0, 2, 3, 1};
  return code >= 0 && code <= 3 ? map[code] : 0;
}

DoubleDummyTable tableFromSolver(const std::array<std::array<int, 4>, 5>& solver) {
  DoubleDummyTable table;
  for (Seat seat : kSeats)
    for (Strain strain : kStrains) table.tricks[int(seat)][int(strain)] = solver[solverStrain(strain)][int(seat)];
  return table;
}

std::optional<ParResult> parOfTable(const DoubleDummyTable& table, int vulnerability, QString* error) {
  Solver& solver = Solver::instance();
  std::lock_guard<std::mutex> lock(solver.mutex);
  solver.startLocked();
  return parLocked(table, vulnerability, error);
}

std::optional<std::vector<DealAnalysis>> solveDeals(const std::vector<Deal>& deals, const std::vector<int>& vulnerabilities,
                                                    QString* error) {
  if (deals.size() != vulnerabilities.size()) return fail(error, QStringLiteral("deals and vulnerabilities differ"));
  Solver& solver = Solver::instance();
  std::lock_guard<std::mutex> lock(solver.mutex);
  solver.startLocked();
  std::vector<DealAnalysis> out;
  out.reserve(deals.size());
  // The structures are large (the results hold room for 200 tables); keep them off the stack.
  auto in = std::make_unique<ddTableDealsPBN>();
  auto res = std::make_unique<ddTablesRes>();
  auto pars = std::make_unique<allParResults>();
  int filter[DDS_STRAINS] = {0, 0, 0, 0, 0};
  for (size_t start = 0; start < deals.size(); start += kChunk) {
    const size_t count = std::min<size_t>(kChunk, deals.size() - start);
    std::memset(in.get(), 0, sizeof *in);
    in->noOfTables = int(count);
    for (size_t k = 0; k < count; ++k) {
      const QByteArray text = deals[start + k].pbn().toLatin1();
      std::memcpy(in->deals[k].cards, text.constData(), std::min<size_t>(size_t(text.size()), sizeof in->deals[k].cards - 1));
    }
    const int rc = CalcAllTablesPBN(in.get(), -1, filter, res.get(), pars.get());
    if (rc != RETURN_NO_FAULT) return fail(error, solverMessage(rc));
    for (size_t k = 0; k < count; ++k) {
      std::array<std::array<int, 4>, 5> solved{};
      for (int s = 0; s < 5; ++s)
        for (int h = 0; h < 4; ++h) solved[s][h] = res->results[k].resTable[s][h];
      DealAnalysis a{tableFromSolver(solved), {}};
      const auto par = parLocked(a.table, vulnerabilities[start + k], error);
      if (!par) return std::nullopt;
      a.par = *par;
      out.push_back(a);
    }
  }
  return out;
}

bool analyseHandRecord(HandRecord& record, QString* error) {
  std::vector<Deal> deals;
  std::vector<int> vulnerabilities;
  std::vector<size_t> which;
  for (size_t i = 0; i < record.boards.size(); ++i) {
    if (record.boards[i].table) continue;
    deals.push_back(record.boards[i].deal);
    vulnerabilities.push_back(record.boards[i].vulnerability);
    which.push_back(i);
  }
  HandRecord done = record;
  if (!deals.empty()) {
    const auto solved = solveDeals(deals, vulnerabilities, error);
    if (!solved) return false;
    for (size_t k = 0; k < which.size(); ++k) {
      done.boards[which[k]].table = (*solved)[k].table;
      done.boards[which[k]].par = (*solved)[k].par;
    }
  }
  for (BoardHand& b : done.boards) {
    if (b.par) continue;
    const auto par = parOfTable(*b.table, b.vulnerability, error);
    if (!par) return false;
    b.par = *par;
  }
  record = std::move(done);
  return true;
}

}  // namespace mervalo
