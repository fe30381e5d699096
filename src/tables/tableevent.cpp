#include "tableevent.h"

#include <QDir>
#include <QFileInfo>

#include "app/paths.h"
#include "app/textfile.h"
#include "app/texts.h"
#include "event/movement.h"
#include "scoring/boardscore.h"
#include "scoring/entryrows.h"
#include "scoring/eventresult.h"
#include "scoring/eventsources.h"
#include "scoring/roundslips.h"
#include "scoring/scoretable.h"

namespace mervalo {

namespace {

quint64 resultKey(int board, int ns, int ew) {
  return (static_cast<quint64>(board) << 32) | (static_cast<quint64>(ns) << 16) | static_cast<quint64>(ew);
}

}  // namespace

int refusalTextNumber(Refusal refusal) {
  switch (refusal) {
    case Refusal::None: return 0;
    case Refusal::NotThisTable: return 258;
    case Refusal::WrongVulnerability: return 91;
    case Refusal::Impossible: return 92;
    case Refusal::ScoreMismatch: return 259;
    case Refusal::Malformed: return 260;
    case Refusal::NotSaved: return 261;
  }
  return 0;
}

QString TableEvent::text(int number) const { return TextTable::builtin().lookup(number, language_); }

std::unique_ptr<TableEvent> TableEvent::open(const QString& programFolder, const QString& eventName, int language,
                                             QString* error, EventModel* shared) {
  QString name = eventName;
  if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) name.chop(4);
  std::unique_ptr<TableEvent> e(new TableEvent);
  e->programFolder_ = programFolder;
  e->language_ = language;
  e->eventPath_ = filePath(programFolder, DataFolder::Events, name + QStringLiteral(".txt"));
  auto fail = [&](const QString& why) {
    if (error) *error = why;
    return nullptr;
  };

  ResultError readError;
  const auto sources = readEventSources(programFolder, name, language, &readError);
  if (!sources) return fail(readError.describe());

  // QLockFile notices a lock whose process has died and takes it over.
  e->lock_ = std::make_unique<QLockFile>(e->eventPath_ + QStringLiteral(".lock"));
  e->lock_->setStaleLockTime(0);
  if (!e->lock_->tryLock(0))
    return fail(e->text(262).replace(QLatin1Char('~'), QFileInfo(e->eventPath_).fileName()));

  if (shared) {
    e->model_ = shared;
  } else {
    EventFileError loadError;
    auto model = EventModel::load(e->eventPath_, language, &loadError);
    if (!model) return fail(loadError.describe());
    e->ownModel_ = std::make_unique<EventModel>(std::move(*model));
    e->model_ = e->ownModel_.get();
  }
  e->roundLines_ = sources->schemaLines;
  e->names_ = sources->group.pairNames();
  e->plan_ = TablePlan(e->roundLines_, e->model_->header());
  if (e->plan_.tables() == 0) return fail(QStringLiteral("%1: the movement seats no tables").arg(e->model_->header().schemaName));

  bool codesWritten = false;
  e->codes_ = ensureTableCodes(tableCodesPath(e->eventPath_), e->plan_.tables(), &codesWritten);
  if (!codesWritten) return fail(QStringLiteral("%1: cannot be written").arg(tableCodesPath(e->eventPath_)));

  if (const auto lines = readTextLines(contractsPath(e->eventPath_))) {
    e->contractLines_ = *lines;
    for (const QString& raw : *lines) {
      const auto line = ContractLine::parse(raw);
      if (!line) continue;
      if (!line->requestId.isEmpty()) e->byRequest_.insert(line->requestId, *line);
      e->last_.insert(resultKey(line->board, line->ns, line->ew), *line);
    }
    // A result the event file lacks (written just before a crash) is put back; what the event
    // holds wins, as the organiser may have corrected it on the screen.
    for (const ContractLine& line : std::as_const(e->last_)) e->apply(line, true);
  }
  return e;
}

TableEvent::~TableEvent() = default;

bool TableEvent::codeFits(int table, const QString& code) const {
  return codes_.contains(table) && codes_.value(table) == code;
}

QString TableEvent::modelScore(int board, int ns, int ew) const {
  const EventHeader& h = model_->header();
  if (h.entryMode == kEntryPerRound) {
    for (const SlipEntry& e : model_->boardLine(board).entries) {
      const auto pairs = slipPairs(e.pairText, h.pairs);
      if (!pairs || !e.stored || e.nsScore.isEmpty()) continue;
      if (pairs->first == ns && pairs->second == ew) return e.nsScore;
      if (pairs->first == ew && pairs->second == ns) return mirrorScore(e.nsScore);
    }
    return {};
  }
  if (const ScoreRecord* r = model_->record(board)) {
    for (const TableResult& t : r->tables) {
      if (t.ns == ns && t.ew == ew) return t.nsScore;
      if (t.ns == ew && t.ew == ns) return t.ewScore;
    }
  }
  return {};
}

QString TableEvent::tableScore(int board, int ns, int ew) const {
  const QString stored = modelScore(board, ns, ew);
  if (!stored.isEmpty() || model_->header().entryMode == kEntryPerRound || model_->record(board)) return stored;
  // Per board, a board goes into the event file only when every table has played it; until then
  // the tables' scores so far are the contracts they sent.
  const auto it = last_.constFind(resultKey(board, ns, ew));
  if (it == last_.cend()) return {};
  const auto score = nsContractScore(it->contract, it->declarer, it->tricks, board);
  return score ? QString::number(*score) : QString();
}

void TableEvent::apply(const ContractLine& line, bool onlyWhereEmpty) {
  if (onlyWhereEmpty && !modelScore(line.board, line.ns, line.ew).isEmpty()) return;
  const EventHeader& h = model_->header();
  const auto score = nsContractScore(line.contract, line.declarer, line.tricks, line.board);
  if (!score || line.board > h.boards()) return;
  const QString ns = QString::number(*score);
  if (h.entryMode == kEntryPerRound) {
    RoundSlips slips = RoundSlips::build(roundLines_, *model_);
    for (int r = 1; r <= slips.rounds(); ++r) {
      const QVector<Slip>& list = slips.slips(r);
      for (int i = 0; i < list.size(); ++i) {
        const Slip& s = list[i];
        if (line.board < s.firstBoard || line.board > s.lastBoard) continue;
        const bool straight = s.ns == line.ns && s.ew == line.ew;
        if (!straight && !(s.ns == line.ew && s.ew == line.ns)) continue;
        QVector<std::pair<QString, QString>> scores;
        for (int b = s.firstBoard; b <= s.lastBoard; ++b) {
          if (b == line.board) {
            const QString own = straight ? ns : mirrorScore(ns);
            scores.append({own, mirrorScore(own)});
          } else {
            const SlipEntry* e = slips.entry(s, b);
            scores.append(e && e->stored ? std::pair{e->nsScore, e->ewScore} : std::pair{QString(), QString()});
          }
        }
        slips.store(r, i, scores);
        slips.writeTo(*model_);
        return;
      }
    }
    return;
  }
  const QVector<Pairing> pairings = pairingsOfBoard(roundLines_, h.rounds, h.boardsPerRound, line.board);
  QVector<EntryRow> rows = entryRows(pairings, model_->record(line.board), h.sitOut);
  for (EntryRow& row : rows) {
    QString score;
    if (row.schemaNs == line.ns && row.schemaEw == line.ew) {
      score = ns;
    } else if (row.nsScore.isEmpty()) {
      // The other tables' scores so far, which the event file holds only for a whole board.
      const auto it = last_.constFind(resultKey(line.board, row.schemaNs, row.schemaEw));
      if (it == last_.cend()) continue;
      score = QString::number(nsContractScore(it->contract, it->declarer, it->tricks, line.board).value_or(0));
    } else {
      continue;
    }
    const QString own = row.ns == row.schemaNs ? score : mirrorScore(score);  // the screen may have swapped the row
    row.nsScore = own;
    row.ewScore = mirrorScore(own);
  }
  // A board goes into the event file once every table has played it, as on the screen.
  if (entryRowsComplete(rows)) model_->storeRecord(completeBoard(line.board, rows, eventTop(h.pairs, h.sitOut), h.sitOut).record);
}

ScoreAnswer TableEvent::check(const ScoreRequest& request, const TableRound** seat) const {
  ScoreAnswer answer;
  auto refuse = [&](Refusal why, const QString& message) {
    answer.refusal = why;
    answer.message = message;
    return answer;
  };
  if (request.played.tricks < 0 || request.played.tricks > 13 || request.played.contract.level < 0 || request.played.contract.level > 7)
    return refuse(Refusal::Malformed, text(260));
  const TableRound* found = nullptr;
  for (int r = 1; r <= plan_.rounds() && !found; ++r) {
    const TableRound* s = plan_.at(request.table, r);
    if (s && s->plays(request.played.board)) found = s;
  }
  if (!found) return refuse(Refusal::NotThisTable, text(258).replace(QLatin1Char('~'), QString::number(request.played.board)));
  if (seat) *seat = found;
  const auto score = nsContractScore(request.played.contract, request.played.declarer, request.played.tricks, request.played.board);
  if (!score) return refuse(Refusal::Malformed, text(260));
  answer.nsScore = *score;
  // The players confirm what the phone showed; the screens' check speaks for that score.
  const QString shown = request.confirmedScore.isEmpty() ? QString::number(*score) : request.confirmedScore;
  const ScoreVerdict verdict = checkScore(request.played.board, shown);
  if (verdict != ScoreVerdict::Accepted || !isScoreText(shown) || shown.contains(QLatin1Char('%')) || isNotPlayedText(shown)) {
    const bool wrongVulnerability = verdict == ScoreVerdict::WrongVulnerability;
    return refuse(wrongVulnerability ? Refusal::WrongVulnerability : Refusal::Impossible,
                  verdictMessage(text(wrongVulnerability ? 91 : 92), shown));
  }
  if (shown != QString::number(*score))
    return refuse(Refusal::ScoreMismatch, text(259).replace(QLatin1Char('~'), QString::number(*score)));
  return answer;
}

ScoreAnswer TableEvent::preview(const ScoreRequest& request) const { return check(request, nullptr); }

ScoreAnswer TableEvent::store(const ScoreRequest& request) {
  if (!request.played.requestId.isEmpty()) {
    const auto seen = byRequest_.constFind(request.played.requestId);
    if (seen != byRequest_.cend()) {
      ScoreAnswer answer;
      answer.repeated = true;
      answer.nsScore = nsContractScore(seen->contract, seen->declarer, seen->tricks, seen->board).value_or(0);
      return answer;
    }
  }
  if (!isRequestId(request.played.requestId)) {
    ScoreAnswer answer;
    answer.refusal = Refusal::Malformed;
    answer.message = text(260);
    return answer;
  }
  const TableRound* seat = nullptr;
  ScoreAnswer answer = check(request, &seat);
  if (answer.refusal != Refusal::None) return answer;
  ContractLine line = request.played;
  line.ns = seat->ns;
  line.ew = seat->ew;
  contractLines_.append(line.text());
  byRequest_.insert(line.requestId, line);
  last_.insert(resultKey(line.board, line.ns, line.ew), line);
  apply(line, false);
  unsaved_ = true;
  return answer;
}

bool TableEvent::save() {
  if (!unsaved_) return true;
  // The contracts first: after a crash between the two writes, opening again puts the score back.
  if (!writeTextLines(contractsPath(eventPath_), contractLines_)) return false;
  if (!model_->save(eventPath_)) return false;
  unsaved_ = false;
  return true;
}

RoundAtTable TableEvent::round(int table, int round) const {
  RoundAtTable view;
  view.table = table;
  view.round = round;
  view.rounds = plan_.rounds();
  const TableRound* seat = plan_.at(table, round);
  if (!seat) return view;
  view.seated = true;
  view.sitOut = seat->sitOut;
  view.ns = seat->ns;
  view.ew = seat->ew;
  view.nsNames = names_.value(seat->ns - 1);
  view.ewNames = names_.value(seat->ew - 1);
  if (seat->sitOut) return view;
  for (int b : seat->boards) {
    BoardAtTable board;
    board.board = b;
    board.vulnerability = vulnerabilityOf(b);
    const auto it = last_.constFind(resultKey(b, seat->ns, seat->ew));
    if (it != last_.cend()) board.entered = *it;
    board.nsScore = tableScore(b, seat->ns, seat->ew);
    view.boards.append(board);
  }
  return view;
}

int TableEvent::currentRound(int table) const {
  for (int r = 1; r <= plan_.rounds(); ++r) {
    const RoundAtTable view = round(table, r);
    for (const BoardAtTable& b : view.boards)
      if (b.nsScore.isEmpty()) return r;
  }
  return std::max(plan_.rounds(), 1);
}

QVector<TravellerRow> TableEvent::traveller(int board) const {
  QVector<TravellerRow> rows;
  const EventHeader& h = model_->header();
  // Matchpoints once the board is whole, scored as the result scores it.
  const BoardResult scored = scoreBoardOfEvent(*model_, board);
  for (const Pairing& p : pairingsOfBoard(roundLines_, h.rounds, h.boardsPerRound, board)) {
    const QString score = tableScore(board, p.ns, p.ew);
    if (score.isEmpty()) continue;
    TravellerRow row;
    row.ns = p.ns;
    row.ew = p.ew;
    row.nsScore = score;
    const auto it = last_.constFind(resultKey(board, p.ns, p.ew));
    if (it != last_.cend() && QString::number(nsContractScore(it->contract, it->declarer, it->tricks, board).value_or(0)) == score) {
      row.contract = contractText(it->contract);
      row.declarer = declarerLetter(it->declarer);
      row.tricks = it->tricks;
    }
    for (const ScoredTable& t : scored.tables) {
      const QString ns = pointsText(t.nsPoints, t.form);
      const QString ew = pointsText(t.ewPoints, t.form);
      if (t.ns == p.ns && t.ew == p.ew) {
        row.nsPoints = ns;
        row.ewPoints = ew;
      } else if (t.ns == p.ew && t.ew == p.ns) {
        row.nsPoints = ew;
        row.ewPoints = ns;
      }
    }
    rows.append(row);
  }
  return rows;
}

}  // namespace mervalo
