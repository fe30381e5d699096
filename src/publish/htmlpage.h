#pragma once

#include <QString>
#include <QStringList>

#include "app/grid.h"

namespace mervalo {

// The two fixed colours of the results page and screen (red in the low byte).
constexpr Colour kTitleGreen = rgb(0xC0, 0xFF, 0xC0);
constexpr Colour kRowYellow = rgb(0xFF, 0xFF, 0xC0);

// "RRGGBB" in upper case, as a page attribute wants a colour.
QString htmlColour(Colour colour);

// One cell line of the page, built from the cell's alignment, colours, the column width and
// the grid's font. The cell text goes out unescaped: club names are plain text and a
// deliberate "<b>" in a name is the organiser's own business.
QString htmlCellLine(const Grid& grid, int row, int col);

// Every line of the page (without line ends) for the grid under the title.
QStringList htmlPageLines(const Grid& grid, const QString& title);

// Writes the page with CR LF line ends in the single-byte code page, replacing any old file
// in one step. False when it cannot be written.
bool writeHtmlPage(const QString& path, const Grid& grid, const QString& title);

// The results screen's copy of a full results grid: its rank, names, total and percentage
// columns (texts and alignments) of every row but the column-totals row, fitted to their
// contents with the measure, and every second row from row 2 on light yellow.
Grid resultsScreenGrid(const Grid& results, const TextMeasure& measure);

// The page's file name for a group file name: ".txt" replaced by ".html" (exact case).
QString htmlFileName(const QString& groupFileName);

// "Uitslag (Dinsdag)" from the word for result and the group file name "Dinsdag.txt".
QString resultsCaption(const QString& resultWord, const QString& groupFileName);

// Writes the page of a full results grid as the results screen makes it (its four-column copy,
// fitted with the measure) to "HTML/<group name>.html" in the program folder, creating the
// folder, under the title "Uitslag (<group name>)" of the language. False when the page cannot
// be written.
bool writeResultsPage(const QString& programFolder, const QString& groupFileName, const Grid& results, int language,
                      const TextMeasure& measure, QString* writtenPath = nullptr);

}  // namespace mervalo
