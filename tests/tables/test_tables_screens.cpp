#include <QDir>
#include <QPrinter>
#include <QTest>

#include "app/screens/printing.h"
#include "app/screens/screen.h"
#include "qrdecode.h"
#include "screentest.h"
#include "tables/codesheet.h"
#include "tables/qrcode.h"
#include "tables/screens/codesheets.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class TablesTest : public ScreenTest {
 protected:
  TablesTest() {
    setPrinterDialog([](QWidget*, QPrinter&) {
      ADD_FAILURE() << "the platform's print dialog was asked for";
      return false;
    });
  }
  ~TablesTest() override { setPrinterDialog({}); }
};

TEST_F(TablesTest, CodeSheetsPrintOnePagePerTableWithAReadableCode) {
  const QString address = QStringLiteral("http://192.0.2.7:8080/");
  const QMap<int, QString> codes{{1, "4821"}, {2, "0937"}, {3, "5560"}};
  const QString pdf = path(QStringLiteral("/codes.pdf"));
  setPrinterDialog(pdfPrinterDialog(pdf));
  Screen screen(ctx, nullptr);
  ASSERT_TRUE(printCodeSheets(screen, address, codes));

  const QStringList pages = runTool(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 3);
  for (auto it = codes.cbegin(); it != codes.cend(); ++it) {
    const QString& page = pages[it.key() - 1];
    EXPECT_TRUE(page.contains(QStringLiteral("Tafel %1").arg(it.key()))) << page.toStdString();
    EXPECT_TRUE(page.contains(it.value())) << page.toStdString();
    EXPECT_TRUE(page.contains(address)) << page.toStdString();
  }
  // The printed code opens the page at its table.
  runTool(QStringLiteral("pdftoppm"), {"-r", "150", "-f", "2", "-l", "2", "-png", "-singlefile", pdf, path("/page2")});
  EXPECT_EQ(decodeQr(path("/page2.png")), tableAddress(address, 2, "0937"));
}

}  // namespace
