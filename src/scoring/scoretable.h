#pragma once

#include <QString>

namespace mervalo {

// Which side is vulnerable on a board: the usual 16-board cycle, repeated up to board 192.
enum Vulnerability : int { kNobody = 0, kNorthSouth = 1, kEastWest = 2, kBoth = 3 };

// The 192 vulnerability codes, character b - 1 for board b.
const QString& vulnerabilityString();

// The code of board b (1 … 192); -1 for a board outside that range.
int vulnerabilityOf(int board);

// The text number that names a code (86 nobody … 89 both).
int vulnerabilityTextNumber(int code);

// The four tables of legal scores (scores without sign).
enum class ScoreList { UndertricksNotVulnerable, UndertricksVulnerable, MadeVulnerable, MadeNotVulnerable };

// True when the text is a decimal number without sign or leading zero that the list holds. The
// comparison is on the text, so "0420" or "420 " are in no list.
bool inScoreList(ScoreList list, const QString& value);

// Number of values in a list (for the tables' own checks).
int scoreListSize(ScoreList list);

enum class ScoreVerdict {
  Accepted,            // possible on this board
  WrongVulnerability,  // possible only with another vulnerability (text 91); stays as typed
  Impossible,          // no bridge score (text 92); both boxes are emptied
};

// What an NS score box holds after Enter, and what the EW box of the row gets.
struct NormalisedScore {
  QString ns;
  QString ew;
};

// True for the texts that mean "not played at this table".
bool isNotPlayedText(const QString& score);

// What an NS box holds after the keys of a text were typed into an empty one: the accepted keys
// ("0"-"9", "-", "n", "N", "%") are typed, "c"/"C" clears the box, anything else is swallowed.
QString typedNsText(const QString& keys);

// Enter in an NS box: a trailing "-" moves to the front, a score typed without its last zero gets
// it ("42" → "420", "-5" → "-50"; "50" stays), "00" becomes "0", and the EW box gets the mirror.
// A text with "%" is left alone (EW empty: its own percentage is typed there).
NormalisedScore normaliseNsScore(const QString& typed);

// The EW text for an NS text: "0" and "n" stay ("N" gives "n"), "-420" gives "420", "420" "-420".
QString mirrorScore(const QString& ns);

// Checks a normalised NS score against the lists for the board's vulnerability. "0", "n" and "N"
// are always accepted; so is any text with "%" (an adjusted score is not checked).
ScoreVerdict checkScore(int board, const QString& ns);

// Enter in an NS box of board b, normalised and checked in one go.
struct EnteredScore {
  NormalisedScore texts;
  ScoreVerdict verdict = ScoreVerdict::Accepted;
};
EnteredScore enterNsScore(int board, const QString& typed);

// The message for a verdict from its text-table template (text 91 or 92) with "~" replaced by the
// score; empty for an accepted score.
int verdictTextNumber(ScoreVerdict verdict);  // 0, 91 or 92
QString verdictMessage(const QString& textTemplate, const QString& score);

}  // namespace mervalo
