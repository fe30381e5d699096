#include "publish/htmlpage.h"

#include <cmath>

#include "app/paths.h"
#include "app/fileops.h"
#include "app/textfile.h"
#include "app/texts.h"

namespace mervalo {

namespace {

const QString kQ = QStringLiteral("\"");
const QString kNbsp2 = QStringLiteral("&nbsp;&nbsp;");

// The font size attribute: points rounded, then a third of it (9 pt gives 3, 8.25 pt gives 2).
int pageFontSize(double points) {
  return static_cast<int>(std::lround(points)) / 3;
}

}  // namespace

QString htmlColour(Colour colour) {
  const QString hex = QString::number(colour & 0xFFFFFFu, 16).toUpper().rightJustified(6, QLatin1Char('0'));
  // The value holds blue-green-red from the high digits down; the page wants red first.
  return hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}

QString htmlCellLine(const Grid& grid, int row, int col) {
  const GridCell& cell = grid.cell(row, col);
  QString background;
  if (cell.backColour != 0)
    background = QStringLiteral(" bgColor=") + kQ + QLatin1Char('#') + htmlColour(cell.backColour) + kQ;

  QString align;
  QString text;
  const QString shown = cell.text.toHtmlEscaped();
  switch (cell.alignment) {
    case 4:
    case 7:
      align = QStringLiteral("center");
      text = shown;
      break;
    case 6:
    case 9:
      align = QStringLiteral("right");
      text = shown + kNbsp2;
      break;
    default:
      align = QStringLiteral("left");
      text = kNbsp2 + shown;
      break;
  }

  return QStringLiteral("       <td ") + background + QStringLiteral(" width=") + kQ +
         QString::number(grid.columnWidth(col) / 15) + kQ + QStringLiteral(" align=") + kQ + align + kQ +
         QStringLiteral("><font face=") + kQ + grid.fontName() + kQ + QStringLiteral(" size=") + kQ +
         QString::number(pageFontSize(grid.fontSize())) + kQ + QStringLiteral(" COLOR=") + kQ + QLatin1Char('#') +
         htmlColour(cell.foreColour) + kQ + QLatin1Char('>') + text + QStringLiteral("</font></td>");
}

QStringList htmlPageLines(const Grid& grid, const QString& title) {
  // Names come from hand-editable files, and the page goes to every player: nothing in it is markup.
  const QString shownTitle = title.toHtmlEscaped();
  QStringList lines;
  lines << QStringLiteral("<html>") << QStringLiteral("   <head>")
        << QStringLiteral("   <title>") + shownTitle + QStringLiteral("</title>") << QStringLiteral("   </head>")
        << QStringLiteral("   <body>")
        << QStringLiteral("   <table width=") + kQ + QStringLiteral("100%") + kQ + QStringLiteral(" border=") + kQ +
               QStringLiteral("1") + kQ + QStringLiteral(" cellspacing=") + kQ + QStringLiteral("0") + kQ +
               QLatin1Char('>')
        << QStringLiteral("<tr>")
        << QStringLiteral("     <td ") + QStringLiteral(" bgColor=") + kQ + QLatin1Char('#') + htmlColour(kTitleGreen) +
               kQ + QStringLiteral(" colspan=") + kQ + QString::number(grid.cols()) + kQ + QLatin1Char('>') +
               QStringLiteral("<h3><font face=") + kQ + QStringLiteral("Verdana") + kQ + QStringLiteral(" size=") +
               kQ + QStringLiteral("3") + kQ + QStringLiteral("> ") + kNbsp2 + shownTitle +
               QStringLiteral("</font></h3></td>")
        << QStringLiteral("</tr>");
  for (int r = 0; r < grid.rows(); ++r) {
    lines << QStringLiteral("   <tr>");
    for (int c = 0; c < grid.cols(); ++c) lines << htmlCellLine(grid, r, c);
    lines << QStringLiteral("   </tr>");
  }
  lines << QStringLiteral("</table>") << QStringLiteral("</body>") << QStringLiteral("</html>");
  return lines;
}

bool writeHtmlPage(const QString& path, const Grid& grid, const QString& title) {
  return writeTextLines(path, htmlPageLines(grid, title));
}

Grid resultsScreenGrid(const Grid& results, const TextMeasure& measure) {
  Grid copy;
  copy.setFontName(QStringLiteral("Verdana"));
  copy.setFontSize(9);
  copy.setFixedCols(0);
  const int rows = results.rows() - 1;  // the column totals stay behind
  if (rows < 1 || results.cols() < 4) {
    copy.resize(rows < 1 ? 0 : rows, 4);
    copy.setFixedRows(0);
    return copy;
  }
  copy.resize(rows, 4);
  copy.setFixedRows(1);
  const int from[4] = {0, 1, results.cols() - 2, results.cols() - 1};
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 4; ++c) {
      copy.setText(r, c, results.text(r, from[c]));
      copy.setAlignment(r, c, results.cell(r, from[c]).alignment);
    }
  }
  fitColumns(copy, measure, false);
  for (int r = 2; r < rows; r += 2)
    for (int c = 0; c < 4; ++c) copy.setBackColour(r, c, kRowYellow);
  return copy;
}

QString htmlFileName(const QString& groupFileName) {
  QString name = groupFileName;
  return name.replace(QStringLiteral(".txt"), QStringLiteral(".html"));
}

QString resultsCaption(const QString& resultWord, const QString& groupFileName) {
  return resultWord + QStringLiteral(" (") + groupFileName.section(QLatin1Char('.'), 0, 0) + QLatin1Char(')');
}

bool writeResultsPage(const QString& programFolder, const QString& groupFileName, const Grid& results, int language,
                      const TextMeasure& measure, QString* writtenPath) {
  const QString folder = folderPath(programFolder, DataFolder::Pages);
  makeFolder(folder);
  const QString path =
      folder + QLatin1Char('/') + groupFileName.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".html");
  if (writtenPath) *writtenPath = path;
  const QString title = resultsCaption(TextTable::builtin().lookup(98, language), groupFileName);
  return writeHtmlPage(path, resultsScreenGrid(results, measure), title);
}

}  // namespace mervalo
