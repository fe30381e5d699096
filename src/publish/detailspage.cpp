#include "publish/detailspage.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/numeric.h"
#include "app/texts.h"
#include "scoring/numbers.h"

namespace mervalo {

QString detailsFileName(const QString& groupFileName) {
  return groupFileName.section(QLatin1Char('.'), 0, 0) + QStringLiteral(" Details.html");
}

QVector<const ScoredTable*> travellerOrder(const BoardResult& board) {
  QVector<const ScoredTable*> order;
  order.reserve(board.tables.size());
  for (const ScoredTable& t : board.tables) order.append(&t);
  auto rank = [](const ScoredTable* t) { return t->kind == ScoreKind::Played ? 0 : t->kind == ScoreKind::Adjusted ? 1 : 2; };
  std::stable_sort(order.begin(), order.end(), [&](const ScoredTable* a, const ScoredTable* b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return rank(a) == 0 && a->nsValue > b->nsValue;
  });
  return order;
}

int percentOfTop(double points, int top) { return top > 0 ? static_cast<int>(std::lround(points / top * 100)) : 0; }

namespace {

// Phone first: one column of full-width tables whose cells wrap rather than widen the page;
// wider screens get a centred column and the names beside the numbers.
constexpr const char* kStyle =
    "*{box-sizing:border-box}"
    "body{margin:0;padding:8px;font-family:system-ui,-apple-system,\"Segoe UI\",Roboto,sans-serif;font-size:15px;"
    "line-height:1.35;color:#000;background:#fff;overflow-wrap:anywhere}"
    "h1{font-size:1.3em;margin:.3em 0}"
    "h2{font-size:1.15em;margin:1.2em 0 .4em;padding:.2em .3em;background:#C0FFC0}"
    "h3{font-size:1.05em;margin:.9em 0 .3em}"
    "nav a,.up{display:inline-block;min-height:44px;line-height:44px;padding:0 .5em}"
    "a{color:#0645ad}"
    "table{width:100%;border-collapse:collapse;table-layout:fixed;margin:0 0 .4em}"
    "th,td{padding:3px 2px;border-bottom:1px solid #ccc;text-align:right;vertical-align:top;overflow-wrap:anywhere}"
    "th{font-size:.8em;font-weight:600}"
    "thead th{background:#C0FFC0}"
    "tbody tr:nth-child(even){background:#FFFFC0}"
    ".l{text-align:left}"
    ".nm,.k{display:block;font-size:.8em}"
    ".tr{font-size:.85em}"
    ".r{color:#c00}"
    ".info{display:flex;flex-wrap:wrap;gap:.5em 1.5em;align-items:flex-start;margin:.3em 0}"
    ".deal{display:grid;grid-template-columns:repeat(3,minmax(0,7.5em));gap:.2em;font-size:.95em}"
    ".deal div{white-space:nowrap}"
    ".hn{grid-column:2}.hw{grid-column:1}.hc{grid-column:2;font-size:.8em;border:1px solid #999;padding:.2em}"
    ".he{grid-column:3}.hs{grid-column:2}"
    ".dd{width:auto;table-layout:auto}"
    ".dd th,.dd td{padding:2px 6px;text-align:center}"
    "@media (min-width:700px){body{max-width:64em;margin:0 auto;padding:16px}.nm{display:inline;font-size:1em}"
    ".nm::before{content:\" \"}}"
    "@media print{nav,.up{display:none}body{font-size:10pt;max-width:none;padding:0}a{color:inherit;text-decoration:none}"
    ".board,.card{break-inside:avoid;page-break-inside:avoid}h2{break-after:avoid;page-break-after:avoid}"
    "tbody tr:nth-child(even){background:none}}";

// Text for XML and HTML alike: the names are the club's, so nothing in them may become markup.
void escapeInto(QString& out, const QString& text) {
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '&': out += QLatin1String("&amp;"); break;
      case '<': out += QLatin1String("&lt;"); break;
      case '>': out += QLatin1String("&gt;"); break;
      case '"': out += QLatin1String("&quot;"); break;
      default:
        // A control character is not allowed in XML at all.
        if (c.unicode() < 0x20 && c != QLatin1Char('\t')) out += QLatin1Char(' ');
        else out += c;
    }
  }
}

QString escaped(const QString& text) {
  QString s;
  escapeInto(s, text);
  return s;
}

const QString kSpade = QStringLiteral("\u2660");
const QString kHeart = QStringLiteral("<span class=\"r\">\u2665</span>");
const QString kDiamond = QStringLiteral("<span class=\"r\">\u2666</span>");
const QString kClub = QStringLiteral("\u2663");

QString suitSymbol(int suit) {
  switch (suit) {
    case 0: return kSpade;
    case 1: return kHeart;
    case 2: return kDiamond;
    default: return kClub;
  }
}

class Writer {
 public:
  Writer(const EventResult& result, const EventExtras& extras, const DetailsOptions& options)
      : r_(result), x_(extras), o_(options) {
    const TextTable& t = TextTable::builtin();
    auto text = [&](int n) { return t.lookup(n, o_.language); };
    // The texts of the page that stand alone, by number.
    const std::pair<QString Writer::*, int> single[] = {
        {&Writer::ranking_, 230},  {&Writer::travellers_, 231}, {&Writer::cards_, 232},   {&Writer::board_, 233},
        {&Writer::dealer_, 234},   {&Writer::vulnerable_, 235}, {&Writer::rank_, 237},    {&Writer::declarer_, 240},
        {&Writer::tricks_, 241},   {&Writer::score_, 242},      {&Writer::notPlayed_, 243}, {&Writer::adjusted_, 244},
        {&Writer::par_, 246},      {&Writer::direction_, 247},  {&Writer::opponents_, 248}, {&Writer::running_, 249}};
    for (const auto& [member, number] : single) this->*member = text(number);
    vulnerability_ = text(236).split(QLatin1Char('|'));
    seats_ = text(238).split(QLatin1Char('|'));
    const QStringList contract = text(239).split(QLatin1Char('|'));
    contract_ = contract.value(0);
    pass_ = contract.value(1);
    const QStringList doubleDummy = text(245).split(QLatin1Char('|'));
    doubleDummy_ = doubleDummy.value(0);
    pending_ = doubleDummy.value(1);
    pairs_ = t.lookup(32, o_.language);
    mp_ = t.lookup(80, o_.language);
    ns_ = vulnerability_.value(1);
    ew_ = vulnerability_.value(2);
  }

  QByteArray page() {
    s_.reserve(64 * 1024 + r_.header.boards() * r_.pairs.size() * 700);
    s_ += QLatin1String("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"");
    s_ += o_.language == kEnglish ? QLatin1String("en") : QLatin1String("nl");
    s_ += QLatin1String("\">\n<head>\n<meta charset=\"utf-8\"/>\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>");
    escapeInto(s_, o_.title);
    s_ += QLatin1String("</title>\n<style>");
    s_ += QLatin1String(kStyle);
    s_ += QLatin1String("</style>\n</head>\n<body>\n<h1 id=\"top\">");
    escapeInto(s_, o_.title);
    s_ += QLatin1String("</h1>\n<nav><a href=\"#ranking\">");
    escapeInto(s_, ranking_);
    s_ += QLatin1String("</a><a href=\"#travellers\">");
    escapeInto(s_, travellers_);
    s_ += QLatin1String("</a><a href=\"#cards\">");
    escapeInto(s_, cards_);
    s_ += QLatin1String("</a></nav>\n");
    writeRanking();
    writeTravellers();
    writeCards();
    s_ += QLatin1String("</body>\n</html>\n");
    return s_.toUtf8();
  }

 private:
  void cell(const QString& text, bool left = false) {
    s_ += left ? QLatin1String("<td class=\"l\">") : QLatin1String("<td>");
    escapeInto(s_, text);
    s_ += QLatin1String("</td>");
  }
  void head(const QString& text, bool left = false) {
    s_ += left ? QLatin1String("<th scope=\"col\" class=\"l\">") : QLatin1String("<th scope=\"col\">");
    escapeInto(s_, text);
    s_ += QLatin1String("</th>");
  }
  void colgroup(std::initializer_list<int> widths) {
    s_ += QLatin1String("<colgroup>");
    for (int w : widths) s_ += QStringLiteral("<col style=\"width:%1%\"/>").arg(w);
    s_ += QLatin1String("</colgroup>");
  }
  // The pair's number and names, linked to its score card.
  void pairLink(int pair) {
    const QString n = QString::number(pair);
    s_ += QLatin1String("<a href=\"#p") + n + QLatin1String("\">") + n;
    const PairResult* p = pair >= 1 && pair <= r_.pairs.size() ? &r_.pair(pair) : nullptr;
    if (p && !p->names.isEmpty()) {
      s_ += QLatin1String("<span class=\"nm\">");
      escapeInto(s_, p->names);
      s_ += QLatin1String("</span>");
    }
    s_ += QLatin1String("</a>");
  }
  void boardLink(int board) {
    const QString n = QString::number(board);
    s_ += QLatin1String("<a href=\"#b") + n + QLatin1String("\">") + n + QLatin1String("</a>");
  }
  void openSection(const char* id, const QString& heading) {
    s_ += QLatin1String("<section id=\"") + QLatin1String(id) + QLatin1String("\">\n<h2>");
    escapeInto(s_, heading);
    s_ += QLatin1String("</h2>\n");
  }
  QString rankText(const PairResult& p) const {
    return p.tied ? QStringLiteral("(%1)").arg(p.rank) : QString::number(p.rank);
  }

  void writeRanking() {
    openSection("ranking", ranking_);
    s_ += QLatin1String("<table>");
    colgroup({14, 56, 12, 18});
    s_ += QLatin1String("<thead><tr>");
    head(rank_);
    head(pairs_, true);
    head(mp_);
    head(QStringLiteral("%"));
    s_ += QLatin1String("</tr></thead>\n<tbody>\n");
    for (int pair : r_.ranking) {
      const PairResult& p = r_.pair(pair);
      s_ += QLatin1String("<tr>");
      cell(rankText(p));
      s_ += QLatin1String("<td class=\"l\">");
      pairLink(pair);
      s_ += QLatin1String("</td>");
      cell(QString::number(p.total));
      cell(percentageText(p.percentage));
      s_ += QLatin1String("</tr>\n");
    }
    s_ += QLatin1String("</tbody></table>\n</section>\n");
  }

  void writeTravellers() {
    openSection("travellers", travellers_);
    for (const BoardResult& b : r_.boards) {
      if (!b.scored) continue;
      const QString n = QString::number(b.board);
      s_ += QLatin1String("<section class=\"board\" id=\"b") + n + QLatin1String("\">\n<h3>");
      escapeInto(s_, board_ + QLatin1Char(' ') + n);
      s_ += QLatin1String("</h3>\n");
      if (o_.withHands) {
        const auto hands = x_.hands.find(b.board);
        if (hands != x_.hands.end()) writeHands(hands->second);
      }
      writeTraveller(b);
      s_ += QLatin1String("<a class=\"up\" href=\"#ranking\">\u2191 ");
      escapeInto(s_, ranking_);
      s_ += QLatin1String("</a>\n</section>\n");
    }
    s_ += QLatin1String("</section>\n");
  }

  void writeHand(const BoardHands& h, int seat, const char* place) {
    s_ += QLatin1String("<div class=\"") + QLatin1String(place) + QLatin1String("\"><b>");
    escapeInto(s_, seats_.value(seat));
    s_ += QLatin1String("</b>");
    for (int suit = 0; suit < 4; ++suit) {
      s_ += QLatin1String("<div>") + suitSymbol(suit) + QLatin1Char(' ');
      const QString& ranks = h.cards[seat][suit];
      if (ranks.isEmpty()) s_ += QStringLiteral("\u2014");
      for (qsizetype i = 0; i < ranks.size(); ++i) {
        if (ranks[i] == QLatin1Char('T')) s_ += QLatin1String("10");
        else escapeInto(s_, QString(ranks[i]));
      }
      s_ += QLatin1String("</div>");
    }
    s_ += QLatin1String("</div>\n");
  }

  void writeHands(const BoardHands& h) {
    s_ += QLatin1String("<div class=\"info\">\n<div class=\"deal\">\n");
    writeHand(h, 0, "hn");
    writeHand(h, 3, "hw");
    s_ += QLatin1String("<div class=\"hc\">");
    escapeInto(s_, dealer_ + QStringLiteral(": ") + seats_.value(h.dealer));
    s_ += QLatin1String("<br/>");
    escapeInto(s_, vulnerable_ + QStringLiteral(": ") + vulnerability_.value(h.vulnerability));
    s_ += QLatin1String("</div>\n");
    writeHand(h, 1, "he");
    writeHand(h, 2, "hs");
    s_ += QLatin1String("</div>\n");
    if (h.tricks) {
      s_ += QLatin1String("<div><table class=\"dd\"><caption>");
      escapeInto(s_, doubleDummy_);
      s_ += QLatin1String("</caption><thead><tr><th scope=\"col\"></th><th scope=\"col\">");
      escapeInto(s_, seats_.value(4));
      s_ += QLatin1String("</th>");
      for (int suit = 0; suit < 4; ++suit) s_ += QLatin1String("<th scope=\"col\">") + suitSymbol(suit) + QLatin1String("</th>");
      s_ += QLatin1String("</tr></thead><tbody>");
      for (int seat = 0; seat < 4; ++seat) {
        s_ += QLatin1String("<tr><th scope=\"row\">");
        escapeInto(s_, seats_.value(seat));
        s_ += QLatin1String("</th>");
        for (int strain = 0; strain < 5; ++strain) s_ += QStringLiteral("<td>%1</td>").arg((*h.tricks)[seat][strain]);
        s_ += QLatin1String("</tr>");
      }
      s_ += QLatin1String("</tbody></table>");
      if (h.parScore) {
        s_ += QLatin1String("<p>");
        escapeInto(s_, par_ + QStringLiteral(": ") + QString::number(*h.parScore));
        if (!h.parContracts.isEmpty()) {
          s_ += QLatin1Char(' ');
          s_ += contractSymbols(h.parContracts);
        }
        s_ += QLatin1String("</p>");
      }
      s_ += QLatin1String("</div>\n");
    } else if (o_.analysisPending) {
      s_ += QLatin1String("<p>");
      escapeInto(s_, pending_);
      s_ += QLatin1String("</p>\n");
    }
    s_ += QLatin1String("</div>\n");
  }

  // "4S" as "4♠", "3NTX" as "3SAX" in Dutch; "pass" in the page's language. Escaped.
  QString contractSymbols(const QString& contract) const {
    if (contract.compare(QLatin1String("pass"), Qt::CaseInsensitive) == 0) return escaped(pass_);
    QString out;
    for (qsizetype i = 0; i < contract.size(); ++i) {
      const QChar c = contract[i];
      if (c == QLatin1Char('N') && i + 1 < contract.size() && contract[i + 1] == QLatin1Char('T')) {
        escapeInto(out, seats_.value(4));
        ++i;
      } else if (c == QLatin1Char('S') && i > 0 && contract[i - 1].isDigit()) {
        out += suitSymbol(0);
      } else if (c == QLatin1Char('H') && i > 0 && contract[i - 1].isDigit()) {
        out += suitSymbol(1);
      } else if (c == QLatin1Char('D') && i > 0 && contract[i - 1].isDigit()) {
        out += suitSymbol(2);
      } else if (c == QLatin1Char('C') && i > 0 && contract[i - 1].isDigit()) {
        out += suitSymbol(3);
      } else {
        escapeInto(out, QString(c));
      }
    }
    return out;
  }

  QString seatName(QChar letter) const {
    static const QString order = QStringLiteral("NESW");
    const qsizetype at = order.indexOf(letter.toUpper());
    return at >= 0 ? seats_.value(at) : QString(letter);
  }

  void writeTraveller(const BoardResult& b) {
    bool contracts = false;
    if (const auto it = x_.contracts.find(b.board); it != x_.contracts.end()) contracts = !it->second.isEmpty();
    s_ += QLatin1String("<table class=\"tr\">");
    if (contracts) colgroup({15, 15, 9, 7, 7, 10, 10, 9, 9, 9});
    else colgroup({21, 21, 12, 12, 11, 11, 12});
    s_ += QLatin1String("<thead><tr>");
    head(ns_, true);
    head(ew_, true);
    if (contracts) {
      head(contract_, true);
      head(declarer_, true);
      head(tricks_);
    }
    head(score_ + QLatin1Char(' ') + ns_);
    head(score_ + QLatin1Char(' ') + ew_);
    head(mp_ + QLatin1Char(' ') + ns_);
    head(mp_ + QLatin1Char(' ') + ew_);
    head(QStringLiteral("% ") + ns_);
    s_ += QLatin1String("</tr></thead>\n<tbody>\n");
    for (const ScoredTable* t : travellerOrder(b)) {
      s_ += QLatin1String("<tr><td class=\"l\">");
      pairLink(t->ns);
      s_ += QLatin1String("</td><td class=\"l\">");
      pairLink(t->ew);
      s_ += QLatin1String("</td>");
      if (contracts) {
        const ContractLine* c = x_.contract(b.board, t->ns, t->ew);
        if (c && t->kind == ScoreKind::Played) {
          const bool passed = c->contract.passedOut();
          s_ += QLatin1String("<td class=\"l\">") + contractSymbols(contractText(c->contract)) + QLatin1String("</td>");
          cell(passed ? QString() : seatName(declarerLetter(c->declarer)), true);
          cell(passed ? QString() : QString::number(c->tricks));
        } else {
          s_ += QLatin1String("<td></td><td></td><td></td>");
        }
      }
      switch (t->kind) {
        case ScoreKind::Played: {
          const double s = t->nsValue;
          cell(s >= 0 ? shortestDecimal(s) : QString());
          cell(s < 0 ? shortestDecimal(-s) : QString());
          break;
        }
        case ScoreKind::Adjusted:
          s_ += QLatin1String("<td colspan=\"2\">");
          escapeInto(s_, t->nsScore + QStringLiteral(" / ") + t->ewScore);
          s_ += QLatin1String("<span class=\"k\">");
          escapeInto(s_, adjusted_);
          s_ += QLatin1String("</span></td>");
          break;
        case ScoreKind::NotPlayed:
          s_ += QLatin1String("<td colspan=\"2\">");
          escapeInto(s_, notPlayed_);
          s_ += QLatin1String("</td>");
          break;
      }
      cell(pointsText(t->nsPoints, t->form));
      cell(pointsText(t->ewPoints, t->form));
      cell(t->played() ? QString::number(percentOfTop(t->nsPoints, b.top)) : QString());
      s_ += QLatin1String("</tr>\n");
    }
    s_ += QLatin1String("</tbody></table>\n");
  }

  void writeCards() {
    openSection("cards", cards_);
    for (int pair : r_.ranking) writeCard(r_.pair(pair));
    s_ += QLatin1String("</section>\n");
  }

  void writeCard(const PairResult& p) {
    const QString n = QString::number(p.pair);
    s_ += QLatin1String("<section class=\"card\" id=\"p") + n + QLatin1String("\">\n<h3>") + n;
    if (!p.names.isEmpty()) {
      s_ += QLatin1Char(' ');
      escapeInto(s_, p.names);
    }
    s_ += QLatin1String("</h3>\n<p>");
    escapeInto(s_, QStringLiteral("%1 %2 \u00b7 %3 %4 \u00b7 %5")
                       .arg(rank_, rankText(p), QString::number(p.total), mp_, percentageText(p.percentage)));
    s_ += QLatin1String("</p>\n<table>");
    colgroup({11, 12, 31, 14, 10, 8, 14});
    s_ += QLatin1String("<thead><tr>");
    head(board_);
    head(direction_, true);
    head(opponents_, true);
    head(score_);
    head(mp_);
    head(QStringLiteral("%"));
    head(running_);
    s_ += QLatin1String("</tr></thead>\n<tbody>\n");
    int total = 0;
    int played = 0;
    for (const BoardResult& b : r_.boards) {
      const PairSeat seat = r_.seat(p.pair, b.board);
      if (!seat.table) continue;
      const ScoredTable& t = *seat.table;
      s_ += QLatin1String("<tr><td>");
      boardLink(b.board);
      s_ += QLatin1String("</td>");
      cell(seat.northSouth ? ns_ : ew_, true);
      s_ += QLatin1String("<td class=\"l\">");
      pairLink(seat.northSouth ? t.ew : t.ns);
      s_ += QLatin1String("</td>");
      switch (t.kind) {
        case ScoreKind::Played: cell(seat.northSouth ? t.nsScore : t.ewScore); break;
        case ScoreKind::Adjusted:
          s_ += QLatin1String("<td>");
          escapeInto(s_, seat.northSouth ? t.nsScore : t.ewScore);
          s_ += QLatin1String("<span class=\"k\">");
          escapeInto(s_, adjusted_);
          s_ += QLatin1String("</span></td>");
          break;
        case ScoreKind::NotPlayed: cell(notPlayed_); break;
      }
      cell(seat.pointsText());
      if (t.played()) {
        // Counted as the result counts: whole matchpoints after every board.
        total = roundHalfEven(total + seat.points());
        ++played;
        cell(QString::number(percentOfTop(seat.points(), b.top)));
        cell(r_.top > 0 ? percentageText(static_cast<double>(total) / (static_cast<double>(played) * r_.top) * 100)
                        : QString());
      } else {
        s_ += QLatin1String("<td></td><td></td>");
      }
      s_ += QLatin1String("</tr>\n");
    }
    s_ += QLatin1String("</tbody></table>\n<a class=\"up\" href=\"#ranking\">\u2191 ");
    escapeInto(s_, ranking_);
    s_ += QLatin1String("</a>\n</section>\n");
  }

  const EventResult& r_;
  const EventExtras& x_;
  const DetailsOptions& o_;
  QString s_;
  QString ranking_, travellers_, cards_, board_, dealer_, vulnerable_, rank_, contract_, pass_, declarer_, tricks_,
      score_, notPlayed_, adjusted_, doubleDummy_, pending_, par_, direction_, opponents_, running_, pairs_, mp_, ns_, ew_;
  QStringList vulnerability_, seats_;
};

}  // namespace

QByteArray detailsPage(const EventResult& result, const EventExtras& extras, const DetailsOptions& options) {
  return Writer(result, extras, options).page();
}

}  // namespace mervalo
