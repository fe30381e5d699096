#pragma once

#include <QString>
#include <functional>

#include "app/grid.h"
#include "app/printlayout.h"

class QPainter;
class QPrinter;
class QWidget;

namespace mervalo {

class Screen;

// Printing a grid from a screen. A screen's print button does:
//
//   if (!choosePrinter(*this)) { /* cancelled: Tag is "1"; re-enable, park the focus */ }
//   else printGrid(*this, grid, title, false);
//
// Both work on the printer of the program run (currentPrinter()) unless given another one.

// The printer of the program run: the system's default printer until the user chooses another
// one in the printer dialog; the next dialog starts from the last choice.
QPrinter& currentPrinter();

// Lets the user choose the printer and its settings, owned by the caller. Returns true on OK,
// false on Cancel or when no dialog could be shown.
bool choosePrinter(Screen& caller, QPrinter& printer = currentPrinter());

// Prints the grid as a ruled table with the title on the first page, page breaks with the
// first row (repeatTitle false) or the title (repeatTitle true) at the top of every new page,
// and the closing line "<text 1> <year>" in 8-point type, the year from the caller's clock.
// The grid itself is left unchanged. Ends the print job and sets the printer back to
// portrait. A page range chosen in the dialog is honoured. Returns false when nothing was
// printed: the printer could not be started or the range holds none of the pages; the user
// is then told so (text 189).
bool printGrid(Screen& caller, const Grid& grid, const QString& title, bool repeatTitle,
               QPrinter& printer = currentPrinter());

// "<text 1> <year>", the last line of every printout from this screen.
QString closingLine(const Screen& caller);

// The same without a screen: the closing line is given whole.
bool printGrid(QPrinter& printer, const Grid& grid, const QString& title, bool repeatTitle,
               const QString& closingLine);

// The pages as the printer would get them, without printing (fonts measured for this printer).
PrintLayout layoutForPrinter(QPrinter& printer, const Grid& grid, const QString& title, bool repeatTitle,
                             const QString& closingLine);

// The printable area of a page of the printer and text measures in a font on it, for pages laid
// out elsewhere than from a grid.
PaperSize printerPaper(const QPrinter& printer);
PrintMeasure printerMeasure(QPrinter& printer, const QString& fontName);

// Prints laid-out pages in the given font as one job, honouring a page range chosen in the
// dialog, and sets the printer back to portrait. False when nothing was printed.
bool printPages(QPrinter& printer, const PrintLayout& layout, const QString& fontName);
// The same from a screen: when nothing was printed the user is told so (text 189).
bool printPages(Screen& caller, const PrintLayout& layout, const QString& fontName,
                QPrinter& printer = currentPrinter());

// Draws one laid-out page; the painter must already work in twips.
void drawPrintedPage(QPainter& painter, const PrintedPage& page, const QString& fontName);

// The printer dialog: returns true when the user accepted, having set up the printer.
using PrinterDialog = std::function<bool(QWidget* owner, QPrinter& printer)>;

// Replaces the platform's print dialog (tests answer it without a modal loop); an empty
// function brings the platform's dialog back.
void setPrinterDialog(PrinterDialog dialog);

// Stand-ins for tests: a dialog that is accepted and sends the printout to a PDF file, and one
// that is cancelled.
PrinterDialog pdfPrinterDialog(const QString& pdfFilePath);
PrinterDialog cancelledPrinterDialog();

}  // namespace mervalo
