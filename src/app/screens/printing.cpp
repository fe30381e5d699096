#include "printing.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPointer>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "app/screens/screen.h"

namespace mervalo {

namespace {

PrinterDialog& dialogOverride() {
  static PrinterDialog dialog;
  return dialog;
}

bool platformDialog(QWidget* owner, QPrinter& printer) {
  QPrintDialog dialog(&printer, owner);
  // There is never a selection to print. A PDF file stands in for paper where a club has no
  // printer, or wants the result to mail or to pin up.
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  // The print routine needs the choice before it can go on, so this one dialog is modal.
  return dialog.exec() == QDialog::Accepted;
}

// The painter works in twips, so a font's pixel size is its size in twips (20 to a point).
QFont printFont(const QString& family, double points) {
  QFont font(family);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 20))));
  return font;
}

PaperSize paperSize(const QPrinter& printer, QPageLayout::Orientation orientation) {
  QPageLayout layout = printer.pageLayout();
  layout.setOrientation(orientation);
  const QRectF area = layout.paintRect(QPageLayout::Point);
  return PaperSize{static_cast<int>(area.width() * 20), static_cast<int>(area.height() * 20)};
}

PrintMeasure measureFor(QPrinter& printer, const QString& family) {
  // Every cell asks; the font changes only with the closing line, so keep the last metrics.
  struct Cache {
    double points = -1;
    std::optional<QFontMetricsF> metrics;
  };
  auto cache = std::make_shared<Cache>();
  auto metricsAt = [cache, family, device = &printer](double points) -> const QFontMetricsF& {
    if (!cache->metrics || cache->points != points) {
      cache->metrics.emplace(printFont(family, points), device);
      cache->points = points;
    }
    return *cache->metrics;
  };
  PrintMeasure measure;
  measure.width = [metricsAt](const QString& text, double points) {
    return static_cast<int>(std::lround(metricsAt(points).horizontalAdvance(text)));
  };
  measure.lineHeight = [metricsAt](double points) { return static_cast<int>(std::lround(metricsAt(points).height())); };
  return measure;
}

QColor toQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// Owned by the application object so that it goes before the platform's print support does.
class PrinterHolder : public QObject {
 public:
  explicit PrinterHolder(QObject* parent) : QObject(parent), printer(QPrinter::HighResolution) {}
  QPrinter printer;
};

}  // namespace

QPrinter& currentPrinter() {
  static QPointer<PrinterHolder> holder;
  if (!holder) holder = new PrinterHolder(QCoreApplication::instance());
  return holder->printer;
}

bool choosePrinter(Screen& caller, QPrinter& printer) {
  const PrinterDialog& replacement = dialogOverride();
  const bool accepted = replacement ? replacement(&caller, printer) : platformDialog(&caller, printer);
  return accepted;
}

PrintLayout layoutForPrinter(QPrinter& printer, const Grid& grid, const QString& title, bool repeatTitle,
                             const QString& closingLine) {
  PrintRequest request;
  request.title = title;
  request.repeatTitle = repeatTitle;
  request.closingLine = closingLine;
  request.portrait = paperSize(printer, QPageLayout::Portrait);
  request.landscape = paperSize(printer, QPageLayout::Landscape);
  return layoutGrid(grid, request, measureFor(printer, grid.fontName()));
}

void drawPrintedPage(QPainter& painter, const PrintedPage& page, const QString& fontName) {
  QPen rule(Qt::black);
  rule.setWidthF(8);  // about a sixth of a millimetre
  painter.setPen(rule);
  painter.setBrush(Qt::NoBrush);
  for (const PlacedRect& r : page.rects) painter.drawRect(QRectF(r.x, r.y, r.width, r.height));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const PlacedRect& r : page.filled) painter.drawRect(QRectF(r.x, r.y, r.width, r.height));
  painter.setBrush(Qt::NoBrush);
  double fontPoints = -1;
  for (const PlacedText& t : page.texts) {
    if (t.points != fontPoints) {
      painter.setFont(printFont(fontName, t.points));
      fontPoints = t.points;
    }
    painter.setPen(toQColor(t.colour));
    painter.drawText(QPointF(t.x, t.y + painter.fontMetrics().ascent()), t.text);
  }
}

bool printPages(QPrinter& printer, const PrintLayout& layout, const QString& fontName) {
  WaitCursor wait;
  printer.setPageOrientation(layout.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);

  // The dialog offers a page range; the printer leaves honouring it to the program.
  int first = 1;
  int last = static_cast<int>(layout.pages.size());
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    first = printer.fromPage();
    if (printer.toPage() > 0) last = std::min(last, printer.toPage());
  }

  QPainter painter;
  bool printed = first <= last && painter.begin(&printer);
  if (printed) {
    const double toDevice = printer.resolution() / 1440.0;
    painter.scale(toDevice, toDevice);
    for (int p = first; p <= last; ++p) {
      if (p > first) printer.newPage();
      drawPrintedPage(painter, layout.pages[static_cast<size_t>(p - 1)], fontName);
    }
    printed = painter.end();
  }
  printer.setPageOrientation(QPageLayout::Portrait);
  return printed;
}

bool printGrid(QPrinter& printer, const Grid& grid, const QString& title, bool repeatTitle,
               const QString& closingLine) {
  const PrintLayout layout = layoutForPrinter(printer, grid, title, repeatTitle, closingLine);
  return printPages(printer, layout, grid.fontName());
}

PaperSize printerPaper(const QPrinter& printer) { return paperSize(printer, QPageLayout::Portrait); }

PrintMeasure printerMeasure(QPrinter& printer, const QString& fontName) { return measureFor(printer, fontName); }

bool printPages(Screen& caller, const PrintLayout& layout, const QString& fontName, QPrinter& printer) {
  if (printPages(printer, layout, fontName)) return true;
  caller.inform(caller.message(189), PromptIcon::Exclamation);
  return false;
}

QString closingLine(const Screen& caller) {
  return caller.text(1) + QLatin1Char(' ') + QString::number(caller.ctx().today().year());
}

bool printGrid(Screen& caller, const Grid& grid, const QString& title, bool repeatTitle, QPrinter& printer) {
  if (printGrid(printer, grid, title, repeatTitle, closingLine(caller))) return true;
  // A printer that cannot be started (none installed, switched off, gone from the network)
  // would otherwise leave the organiser waiting at an empty tray.
  caller.inform(caller.message(189), PromptIcon::Exclamation);
  return false;
}

void setPrinterDialog(PrinterDialog dialog) { dialogOverride() = std::move(dialog); }

PrinterDialog pdfPrinterDialog(const QString& pdfFilePath) {
  return [pdfFilePath](QWidget*, QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFilePath);
    return true;
  };
}

PrinterDialog cancelledPrinterDialog() {
  return [](QWidget*, QPrinter&) { return false; };
}

}  // namespace mervalo
