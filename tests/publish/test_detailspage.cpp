// The details page of the largest event with everything it can show, and names a page must
// neither break on nor widen for: read by a strict XML parser, then shown in a real headless
// browser at phone and desktop width, where it may neither scroll sideways nor fetch anything.
// (The page without the hands is the mailing test's.)

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "detailsparse.h"
#include "largest_event.h"
#include "publish/detailspage.h"
#include "scoring/eventsources.h"
#include "testfiles.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

TEST(DetailsPage, WellFormedWithEveryBoardAndCardAndShownInChromiumWithoutSidewaysScrolling) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  largest::makeFolder(dir.path());
  EventResult result =
      *computeEventResult(*readEventSources(dir.path(), QStringLiteral("06-12-2026 Groep A Uitslag"), 10));
  const EventExtras extras = largest::extras(result);
  result.pairs[0].names = QStringLiteral("Mevr. <b>Wilhelmina</b> \"Mien\" van Oldenbarnevelt-Hoogstraten & Zn.");
  result.pairs[1].names = QString(60, QLatin1Char('W'));
  DetailsOptions options;
  options.title = QStringLiteral("Uitslag (06-12-2026 Groep A)");
  const QByteArray page = detailsPage(result, extras, options);
  const ParsedPage parsed = parseDetailsPage(page);
  ASSERT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
  EXPECT_EQ(parsed.rows.value(QStringLiteral("ranking")), 98);
  EXPECT_EQ(parsed.rows.value(QStringLiteral("b108")), 49);
  EXPECT_EQ(parsed.rows.value(QStringLiteral("p1")), 108);
  for (const QString& link : parsed.links) ASSERT_TRUE(parsed.ids.contains(link)) << link.toStdString();
  EXPECT_EQ(page.count("class=\"deal\""), 108);
  EXPECT_TRUE(page.contains("Mevr. &lt;b&gt;Wilhelmina&lt;/b&gt; &quot;Mien&quot;")) << "names stay text";
  // Board 1, second table: "3NTX" by East, in Dutch.
  EXPECT_TRUE(page.contains("<td class=\"l\">3SAX</td><td class=\"l\">O</td>"));

  if (!QFile::exists(QStringLiteral(MERVALO_CHROMEDRIVER))) GTEST_SKIP() << "no chromedriver";
  const QString path = writeBytes(dir.filePath(QStringLiteral("HTML/details.html")), page);
  QProcess browser;
  browser.setProcessChannelMode(QProcess::MergedChannels);
  browser.start(QStringLiteral(MERVALO_SYSTEM_PYTHON),
                {QStringLiteral(MERVALO_PAGEWIDTH_SCRIPT), QStringLiteral(MERVALO_CHROMEDRIVER), path});
  ASSERT_TRUE(browser.waitForFinished(120'000));
  const QByteArray said = browser.readAll();
  if (browser.exitCode() == 77) GTEST_SKIP() << "no Selenium";
  EXPECT_EQ(browser.exitCode(), 0) << said.toStdString();
  EXPECT_TRUE(said.contains("at 390 px") && said.contains("at 1280 px")) << said.toStdString();
}

}  // namespace
