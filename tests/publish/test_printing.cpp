#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

#include "app/screens/screen.h"
#include "publish/screens/printing.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class PrintingTest : public ScreenTest {
 protected:
  PrintingTest() {
    // A test that reaches the real dialog would wait for a click that never comes.
    setPrinterDialog([](QWidget*, QPrinter&) {
      ADD_FAILURE() << "the platform's print dialog was asked for";
      return false;
    });
    screen = new Screen(ctx, nullptr);
    screen->setWindowTitle(QStringLiteral("Uitslag (05-12-2026 Groep A)"));
  }
  ~PrintingTest() override { setPrinterDialog({}); }

  QString pdf() const { return path(QStringLiteral("/uit.pdf")); }

  QByteArray pdfBytes() const {
    QFile f(pdf());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  static int pageCount(const QByteArray& bytes) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(bytes).count(page));
  }

  // Width and height of the first page box in the file.
  static QSizeF firstMediaBox(const QByteArray& bytes) {
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*[-\\d.]+\\s+[-\\d.]+\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]"));
    const auto m = box.match(QString::fromLatin1(bytes));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
  }

  static Grid resultGrid(int pairs, int columns = 4) {
    Grid g(pairs + 1, columns);
    g.setFontSize(10);
    for (int c = 0; c < columns; ++c) g.setText(0, c, QStringLiteral("Kolom %1").arg(c));
    for (int r = 1; r <= pairs; ++r)
      for (int c = 0; c < columns; ++c) {
        g.setText(r, c, c == 0 ? QString::number(r) : QStringLiteral("Jansen - de Vries %1").arg(r));
        g.setAlignment(r, c, c == 0 ? kAlignCenterCenter : kAlignLeftCenter);
      }
    for (int c = 0; c < columns; ++c) g.setColumnWidth(c, c == 0 ? 600 : 2400);
    return g;
  }

  Screen* screen = nullptr;
};

}  // namespace

// --- The printer dialog -----------------------------------------------------------------------

TEST_F(PrintingTest, CancelledDialogSetsTheCallersTagToOne) {
  setPrinterDialog(cancelledPrinterDialog());
  QPrinter printer;
  EXPECT_FALSE(choosePrinter(*screen, printer));
  EXPECT_EQ(screen->property("Tag").toString(), QStringLiteral("1"));
}

TEST_F(PrintingTest, AcceptedDialogLeavesTheTagAloneAndIsOwnedByTheCaller) {
  QWidget* owner = nullptr;
  setPrinterDialog([&owner](QWidget* w, QPrinter&) {
    owner = w;
    return true;
  });
  screen->setProperty("Tag", QStringLiteral("0"));
  QPrinter printer;
  EXPECT_TRUE(choosePrinter(*screen, printer));
  EXPECT_EQ(owner, screen);
  EXPECT_EQ(screen->property("Tag").toString(), QStringLiteral("0"));
}

TEST_F(PrintingTest, TheChosenPrinterStaysTheCurrentOneForTheNextPrintout) {
  setPrinterDialog(pdfPrinterDialog(pdf()));
  ASSERT_TRUE(choosePrinter(*screen));
  EXPECT_EQ(&currentPrinter(), &currentPrinter());
  EXPECT_EQ(currentPrinter().outputFileName(), pdf());
  // The dialog starts from the last choice.
  QString seen;
  setPrinterDialog([&seen](QWidget*, QPrinter& p) {
    seen = p.outputFileName();
    return false;
  });
  EXPECT_FALSE(choosePrinter(*screen));
  EXPECT_EQ(seen, pdf());
}

// --- Real printouts ---------------------------------------------------------------------------

TEST_F(PrintingTest, LongGridPrintsAsManyPdfPagesAsTheLayoutHas) {
  setPrinterDialog(pdfPrinterDialog(pdf()));
  QPrinter printer(QPrinter::HighResolution);
  ASSERT_TRUE(choosePrinter(*screen, printer));
  const Grid grid = resultGrid(150);
  const PrintLayout layout = layoutForPrinter(printer, grid, screen->windowTitle(), false, closingLine(*screen));
  ASSERT_GE(layout.pages.size(), 3u);
  EXPECT_FALSE(layout.landscape);

  ASSERT_TRUE(printGrid(*screen, grid, screen->windowTitle(), false, printer));
  const QByteArray bytes = pdfBytes();
  ASSERT_FALSE(bytes.isEmpty());
  EXPECT_EQ(pageCount(bytes), static_cast<int>(layout.pages.size()));
  const QSizeF box = firstMediaBox(bytes);
  EXPECT_LT(box.width(), box.height());
  // Every page begins with the heading row again.
  for (size_t p = 1; p < layout.pages.size(); ++p) {
    bool heading = false;
    for (const PlacedText& t : layout.pages[p].texts)
      if (t.text == QStringLiteral("Kolom 1") && t.y < 1000) heading = true;
    EXPECT_TRUE(heading) << "page " << p + 1;
  }
}

TEST_F(PrintingTest, ShortGridPrintsOnePage) {
  setPrinterDialog(pdfPrinterDialog(pdf()));
  ASSERT_TRUE(choosePrinter(*screen, currentPrinter()));
  ASSERT_TRUE(printGrid(*screen, resultGrid(8), QString(), false));
  EXPECT_EQ(pageCount(pdfBytes()), 1);
}

TEST_F(PrintingTest, WideGridPrintsLandscapeAndThePrinterIsPortraitAgainAfterwards) {
  setPrinterDialog(pdfPrinterDialog(pdf()));
  QPrinter printer(QPrinter::HighResolution);
  ASSERT_TRUE(choosePrinter(*screen, printer));
  const Grid grid = resultGrid(10, 6);  // 600 + 5 x 2400 twips, 13860 on paper
  ASSERT_TRUE(layoutForPrinter(printer, grid, QString(), false, QStringLiteral("x")).landscape);

  ASSERT_TRUE(printGrid(*screen, grid, QString(), false, printer));
  const QSizeF box = firstMediaBox(pdfBytes());
  ASSERT_TRUE(box.isValid());
  EXPECT_GT(box.width(), box.height());
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(PrintingTest, PrintingLeavesTheCallersGridUntouched) {
  setPrinterDialog(pdfPrinterDialog(pdf()));
  QPrinter printer(QPrinter::HighResolution);
  ASSERT_TRUE(choosePrinter(*screen, printer));
  const Grid grid = resultGrid(4, 12);  // far too wide: the printout shrinks, the grid does not
  ASSERT_TRUE(printGrid(*screen, grid, QString(), false, printer));
  EXPECT_EQ(grid.fontSize(), 10.0);
  EXPECT_EQ(grid.columnWidth(3), 2400);
  EXPECT_TRUE(grid.visible());
  EXPECT_EQ(pageCount(pdfBytes()), 1);
}

TEST_F(PrintingTest, ClosingLineIsTheMakerAndTheYearOfTheProgramsClock) {
  ctx.today = [] { return QDate(2031, 3, 1); };
  const QString line = closingLine(*screen);
  EXPECT_FALSE(ctx.values.text(1).isEmpty());
  EXPECT_EQ(line, ctx.values.text(1) + QStringLiteral(" 2031"));
}
