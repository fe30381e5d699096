#include "hands/pbn.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <set>

#include "scoring/scoretable.h"

namespace mervalo {

namespace {

struct Tag {
  QString name;
  QString value;
  QStringList data;  // the tokens after the tag up to the next one (a table's lines)
  int line = 0;
};

struct Game {
  std::vector<Tag> tags;
  const Tag* find(const QString& name) const {
    for (const Tag& t : tags)
      if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
  }
};

bool isSpace(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r'); }

// Splits the text into games: a blank line ends one, and so does a tag the game already has
// (files written without blank lines). Comments ("; …", "{ … }") and escape lines ("% …")
// are passed over; a tag that cannot be read is passed over to its line's end.
std::vector<Game> splitGames(const QString& text) {
  std::vector<Game> games;
  Game game;
  auto close = [&] {
    if (!game.tags.empty()) games.push_back(std::move(game));
    game = Game();
  };
  const qsizetype n = text.size();
  qsizetype i = 0;
  int line = 1;
  bool blank = true;  // nothing but blanks so far on this line
  auto skipToLineEnd = [&] {
    while (i < n && text[i] != QLatin1Char('\n')) ++i;
  };
  while (i < n) {
    const QChar c = text[i];
    if (c == QLatin1Char('\n')) {
      if (blank) close();
      blank = true;
      ++line;
      ++i;
      continue;
    }
    if (isSpace(c)) {
      ++i;
      continue;
    }
    const bool lineStart = blank;
    blank = false;
    if (c == QLatin1Char(';') || (c == QLatin1Char('%') && lineStart)) {
      skipToLineEnd();
    } else if (c == QLatin1Char('{')) {
      for (++i; i < n && text[i] != QLatin1Char('}'); ++i)
        if (text[i] == QLatin1Char('\n')) ++line;
      ++i;
    } else if (c == QLatin1Char('[')) {
      Tag tag;
      tag.line = line;
      ++i;
      while (i < n && isSpace(text[i])) ++i;
      while (i < n && (text[i].isLetterOrNumber() || text[i] == QLatin1Char('_'))) tag.name += text[i++];
      while (i < n && isSpace(text[i])) ++i;
      bool ok = !tag.name.isEmpty() && i < n && text[i] == QLatin1Char('"');
      if (ok) {
        ok = false;
        for (++i; i < n && text[i] != QLatin1Char('\n'); ++i) {
          if (text[i] == QLatin1Char('\\') && i + 1 < n &&
              (text[i + 1] == QLatin1Char('"') || text[i + 1] == QLatin1Char('\\'))) {
            tag.value += text[++i];
          } else if (text[i] == QLatin1Char('"')) {
            ok = true;
            ++i;
            break;
          } else {
            tag.value += text[i];
          }
        }
        while (ok && i < n && isSpace(text[i])) ++i;
        ok = ok && i < n && text[i] == QLatin1Char(']');
      }
      if (!ok) {
        skipToLineEnd();
        continue;
      }
      ++i;
      if (game.find(tag.name)) close();
      game.tags.push_back(std::move(tag));
    } else {
      QString token;
      while (i < n && !isSpace(text[i]) && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('[') &&
             text[i] != QLatin1Char(';') && text[i] != QLatin1Char('{'))
        token += text[i++];
      if (!game.tags.empty()) game.tags.back().data << token;
    }
  }
  close();
  return games;
}

std::optional<Seat> seatOf(const QString& text) {
  const QString t = text.trimmed().toUpper();
  const int k = t.size() == 1 ? int(QStringLiteral("NESW").indexOf(t[0])) : -1;
  if (k < 0) return std::nullopt;
  return kSeats[k];
}

std::optional<int> vulnerabilityOfTag(const QString& text) {
  const QString t = text.trimmed().toLower();
  if (t == QLatin1String("none") || t == QLatin1String("love") || t == QLatin1String("-")) return kNobody;
  if (t == QLatin1String("ns")) return kNorthSouth;
  if (t == QLatin1String("ew")) return kEastWest;
  if (t == QLatin1String("all") || t == QLatin1String("both")) return kBoth;
  return std::nullopt;
}

std::optional<Strain> strainOf(const QString& text) {
  for (Strain s : kStrains)
    if (text.compare(strainText(s), Qt::CaseInsensitive) == 0) return s;
  return std::nullopt;
}

// A table is kept only whole: the usual three columns and every seat and strain once.
std::optional<DoubleDummyTable> readTable(const Tag& tag) {
  QStringList columns = tag.value.split(QLatin1Char(';'));
  for (QString& c : columns) c = c.section(QLatin1Char('\\'), 0, 0).trimmed().toLower();
  if (columns != QStringList{QStringLiteral("declarer"), QStringLiteral("denomination"), QStringLiteral("result")})
    return std::nullopt;
  if (tag.data.size() != 60) return std::nullopt;
  DoubleDummyTable table;
  std::set<int> seen;
  for (int row = 0; row < 20; ++row) {
    const auto seat = seatOf(tag.data[row * 3]);
    const auto strain = strainOf(tag.data[row * 3 + 1]);
    bool ok = false;
    const int tricks = tag.data[row * 3 + 2].toInt(&ok);
    if (!seat || !strain || !ok || tricks < 0 || tricks > 13) return std::nullopt;
    if (!seen.insert(int(*seat) * 5 + int(*strain)).second) return std::nullopt;
    table.tricks[int(*seat)][int(*strain)] = tricks;
  }
  return table;
}

// "NS 620", "EW 100" (EW's side: NS -100).
std::optional<int> parScoreOf(const QString& text) {
  const QStringList parts = text.simplified().split(QLatin1Char(' '));
  if (parts.size() != 2) return std::nullopt;
  bool ok = false;
  const int score = parts[1].toInt(&ok);
  if (!ok) return std::nullopt;
  if (parts[0].compare(QLatin1String("NS"), Qt::CaseInsensitive) == 0) return score;
  if (parts[0].compare(QLatin1String("EW"), Qt::CaseInsensitive) == 0) return -score;
  return std::nullopt;
}

QString quoted(const QString& value) {
  QString v = value;
  v.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
  return QLatin1Char('"') + v + QLatin1Char('"');
}

// Records the fault; the reader's answer is then no record.
std::nullopt_t fail(PbnError* error, PbnFault fault, int board, int line) {
  if (error) *error = PbnError{fault, board, line};
  return std::nullopt;
}

}  // namespace

QString PbnError::describe() const {
  static const char* const texts[] = {
      "the file holds no deal",
      "a deal without a board number",
      "the board is in the file twice",
      "the board has no deal",
      "the deal cannot be read",
      "a hand does not hold 13 cards",
      "a card is dealt twice",
      "the dealer is not N, E, S or W",
      "the vulnerability is not None, NS, EW or All",
      "the board is missing",
      "the dealer is not the board number's",
      "the vulnerability is not the board number's",
  };
  QString where;
  if (board > 0) where = QStringLiteral("board %1").arg(board);
  if (line > 0) where += (where.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("line %1").arg(line);
  const QString what = QLatin1String(texts[int(fault)]);
  return where.isEmpty() ? what : where + QStringLiteral(": ") + what;
}

int pbnFaultTextNumber(PbnFault fault) {
  switch (fault) {
    case PbnFault::NoBoards: return 226;
    case PbnFault::BoardNumber: return 227;
    case PbnFault::DuplicateBoard: return 225;
    case PbnFault::NoDeal:
    case PbnFault::DealUnreadable: return 220;
    case PbnFault::DealCardCount: return 221;
    case PbnFault::DealDuplicateCard: return 222;
    case PbnFault::DealerTag:
    case PbnFault::WrongDealer: return 223;
    case PbnFault::VulnerableTag:
    case PbnFault::WrongVulnerability: return 224;
    case PbnFault::BoardMissing: return 219;
  }
  return 220;
}

std::optional<Deal> parseDeal(const QString& text, PbnFault* fault) {
  auto refuse = [fault](PbnFault f) {
    if (fault) *fault = f;
    return std::nullopt;
  };
  const QString t = text.trimmed();
  const auto first = t.size() >= 2 && t[1] == QLatin1Char(':') ? seatOf(t.left(1)) : std::nullopt;
  if (!first) return refuse(PbnFault::DealUnreadable);
  const QStringList hands = t.mid(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (hands.size() != 4) return refuse(PbnFault::DealUnreadable);
  Deal deal;
  std::array<Holding, 4> dealt{};
  bool shortHand = false;
  for (int k = 0; k < 4; ++k) {
    const int seat = (int(*first) + k) % 4;
    if (hands[k] == QLatin1String("-")) {
      shortHand = true;
      continue;
    }
    const QStringList suits = hands[k].split(QLatin1Char('.'));
    if (suits.size() != 4) return refuse(PbnFault::DealUnreadable);
    int count = 0;
    for (int s = 0; s < 4; ++s) {
      for (QChar c : suits[s]) {
        const int r = int(QStringLiteral("23456789TJQKA").indexOf(c.toUpper()));
        if (r < 0) return refuse(PbnFault::DealUnreadable);
        const Holding bit = Holding(1u << (r + 2));
        if (dealt[s] & bit) return refuse(PbnFault::DealDuplicateCard);
        dealt[s] |= bit;
        deal.cards[seat][s] |= bit;
        ++count;
      }
    }
    if (count != 13) shortHand = true;
  }
  if (shortHand) return refuse(PbnFault::DealCardCount);
  return deal;
}

std::optional<HandRecord> readPbn(const QByteArray& bytes, PbnError* error) {
  HandRecord record;
  QHash<QString, QString> previous;  // for "#": the last value of every tag, by lower-case name
  std::set<int> numbers;
  for (const Game& game : splitGames(QString::fromLatin1(bytes))) {
    auto value = [&](const Tag* tag) {
      if (!tag) return QString();
      return tag->value == QLatin1String("#") ? previous.value(tag->name.toLower()) : tag->value;
    };
    const Tag* boardTag = game.find(QStringLiteral("Board"));
    const Tag* dealTag = game.find(QStringLiteral("Deal"));
    const int line = game.tags.front().line;
    for (const Tag& t : game.tags) previous[t.name.toLower()] = value(&t);
    if (!boardTag && !dealTag) continue;  // a game of other tags (the event's name, a heading)

    BoardHand b;
    b.line = line;
    bool ok = false;
    const QString number = value(boardTag).trimmed();
    b.board = number.toInt(&ok);
    if (!ok || b.board < 1 || b.board > 9999 || !std::all_of(number.cbegin(), number.cend(), [](QChar c) { return c.isDigit(); })) {
      return fail(error, PbnFault::BoardNumber, 0, line);
    }
    if (!numbers.insert(b.board).second) return fail(error, PbnFault::DuplicateBoard, b.board, line);
    if (!dealTag) return fail(error, PbnFault::NoDeal, b.board, line);
    PbnFault fault{};
    const auto deal = parseDeal(value(dealTag), &fault);
    if (!deal) return fail(error, fault, b.board, dealTag->line);
    b.deal = *deal;

    b.dealer = dealerOfBoard(b.board);
    if (const QString d = value(game.find(QStringLiteral("Dealer"))); !d.trimmed().isEmpty()) {
      const auto seat = seatOf(d);
      if (!seat) return fail(error, PbnFault::DealerTag, b.board, line);
      b.dealer = *seat;
    }
    b.vulnerability = vulnerabilityOfBoard(b.board);
    if (const QString v = value(game.find(QStringLiteral("Vulnerable"))); !v.trimmed().isEmpty()) {
      const auto code = vulnerabilityOfTag(v);
      if (!code) return fail(error, PbnFault::VulnerableTag, b.board, line);
      b.vulnerability = *code;
    }

    if (const Tag* t = game.find(QStringLiteral("OptimumResultTable"))) b.table = readTable(*t);
    if (const auto score = parScoreOf(value(game.find(QStringLiteral("OptimumScore"))))) {
      b.par = ParResult{*score, value(game.find(QStringLiteral("ParContract"))).trimmed()};
    }
    record.boards.push_back(std::move(b));
  }
  if (record.boards.empty()) return fail(error, PbnFault::NoBoards, 0, 0);
  return record;
}

QByteArray writePbn(const HandRecord& record) {
  QStringList lines{QStringLiteral("% PBN 2.1")};
  for (const BoardHand& b : record.boards) {
    lines << QString();
    auto tag = [&lines](const char* name, const QString& value) {
      lines << QLatin1Char('[') + QLatin1String(name) + QLatin1Char(' ') + quoted(value) + QLatin1Char(']');
    };
    tag("Board", QString::number(b.board));
    tag("Dealer", QString(seatLetter(b.dealer)));
    tag("Vulnerable", vulnerabilityTag(b.vulnerability));
    tag("Deal", b.deal.pbn());
    if (b.par) {
      tag("OptimumScore", QStringLiteral("NS %1").arg(b.par->score));
      tag("ParContract", b.par->contracts);
    }
    if (b.table) {
      lines << QStringLiteral("[OptimumResultTable \"Declarer;Denomination\\2R;Result\\2R\"]");
      for (Seat seat : kSeats)
        for (Strain strain : kStrains)
          lines << QStringLiteral("%1 %2 %3")
                       .arg(seatLetter(seat))
                       .arg(strainText(strain), 2)
                       .arg(b.table->at(seat, strain), 2);
    }
  }
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

std::optional<HandRecord> handRecordForEvent(const HandRecord& read, int boards, int* leftOut, PbnError* error) {
  HandRecord kept;
  for (int n = 1; n <= boards; ++n) {
    const BoardHand* b = read.board(n);
    if (!b) return fail(error, PbnFault::BoardMissing, n, 0);
    if (b->dealer != dealerOfBoard(n)) return fail(error, PbnFault::WrongDealer, n, b->line);
    if (b->vulnerability != vulnerabilityOfBoard(n))
      return fail(error, PbnFault::WrongVulnerability, n, b->line);
    kept.boards.push_back(*b);
  }
  if (leftOut)
    *leftOut = int(std::count_if(read.boards.cbegin(), read.boards.cend(), [boards](const BoardHand& b) { return b.board > boards; }));
  return kept;
}

}  // namespace mervalo
