#include <QPrinter>
#include <QRegularExpression>

#include "app/screens/printing.h"
#include "app/screens/screen.h"
#include "screentest.h"
#include "testfiles.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class PrintingTest : public ScreenTest {
 protected:
  PrintingTest() {
    // A test that reached the platform's dialog would wait for a click that never comes.
    setPrinterDialog([](QWidget*, QPrinter&) {
      ADD_FAILURE() << "the platform's print dialog was asked for";
      return false;
    });
    screen = new Screen(ctx, nullptr);
  }
  ~PrintingTest() override { setPrinterDialog({}); }

  QString pdf() const { return path("/uit.pdf"); }

  // Pages and the first page's width and height, read from the PDF file.
  struct PdfFacts {
    int pages = 0;
    QSizeF firstPage;
  };
  PdfFacts readPdf() const {
    const QString text = QString::fromLatin1(readBytes(pdf()));
    static const QRegularExpression page("/Type\\s*/Page(?!s)");
    static const QRegularExpression box("/MediaBox\\s*\\[\\s*[-\\d.]+\\s+[-\\d.]+\\s+([\\d.]+)\\s+([\\d.]+)");
    const auto m = box.match(text);
    return {static_cast<int>(text.count(page)), m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF()};
  }

  static Grid resultGrid(int pairs, int columns) {
    Grid g(pairs + 1, columns);
    g.setFontSize(10);
    for (int r = 0; r <= pairs; ++r)
      for (int c = 0; c < columns; ++c) g.setText(r, c, r == 0 ? "Kolom" : "Jansen - de Vries");
    for (int c = 0; c < columns; ++c) g.setColumnWidth(c, 2400);
    return g;
  }

  Screen* screen = nullptr;
};

}  // namespace

TEST_F(PrintingTest, TheChoiceIsKeptForNextTimeAndTheClosingLineHasTheYearOfTheProgramsClock) {
  setPrinterDialog(pdfPrinterDialog(pdf()));
  EXPECT_TRUE(choosePrinter(*screen));
  QString startedFrom;
  setPrinterDialog([&](QWidget*, QPrinter& p) {
    startedFrom = p.outputFileName();
    return true;
  });
  EXPECT_TRUE(choosePrinter(*screen));
  EXPECT_EQ(startedFrom, pdf());
  ctx.today = [] { return QDate(2031, 3, 1); };
  EXPECT_EQ(closingLine(*screen), ctx.values.text(1) + " 2031");
}

TEST_F(PrintingTest, RealPrintoutsHaveTheLayoutsPagesTurnOnlyForAWideGridAndFailuresAreReported) {
  setPrinterDialog(pdfPrinterDialog(pdf()));
  QPrinter printer(QPrinter::HighResolution);
  ASSERT_TRUE(choosePrinter(*screen, printer));
  const Grid grid = resultGrid(150, 3);
  const auto planned =
      static_cast<int>(layoutForPrinter(printer, grid, "Uitslag", false, closingLine(*screen)).pages.size());
  ASSERT_GE(planned, 3);

  ASSERT_TRUE(printGrid(*screen, grid, "Uitslag", false, printer));
  PdfFacts pdfFacts = readPdf();
  EXPECT_EQ(pdfFacts.pages, planned);

  // Too wide even for landscape: one shrunken landscape page, and the printer stays portrait.
  ASSERT_TRUE(printGrid(*screen, resultGrid(10, 12), QString(), false, printer));
  pdfFacts = readPdf();
  EXPECT_EQ(pdfFacts.pages, 1);
  EXPECT_GT(pdfFacts.firstPage.width(), pdfFacts.firstPage.height());
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(2, 99);
  ASSERT_TRUE(printGrid(*screen, grid, "Uitslag", false, printer));
  EXPECT_EQ(readPdf().pages, planned - 1);
  printer.setFromTo(50, 60);
  EXPECT_FALSE(printGrid(*screen, grid, "Uitslag", false, printer));
  ASSERT_EQ(prompter.count(), 1);  // and the organiser is told

  // A printer that cannot start: a folder that is not there.
  printer.setPrintRange(QPrinter::AllPages);
  printer.setOutputFileName(path("/geen/map/uit.pdf"));
  EXPECT_FALSE(printGrid(*screen, resultGrid(8, 3), "Uitslag", false, printer));
  ASSERT_EQ(prompter.count(), 2);
}
