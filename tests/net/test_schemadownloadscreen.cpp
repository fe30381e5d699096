#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "../players/playertest.h"  // clicks on list entries and reading them back
#include "app/screens/mainmenu.h"
#include "app/settings.h"
#include "app/textfile.h"
#include "net/download.h"
#include "net/screens/schemadownloadscreen.h"
#include "screentest.h"
#include "testfiles.h"
#include "testservers.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

constexpr int kWaitMs = 20'000;
const QString kList = QStringLiteral("/Lijst met speelschemas.txt");

// The screen against a site of the test's own on loopback (HTTP) whose schema folder holds the
// movements it puts there.
class SchemaDownloadTest : public ScreenTest {
 protected:
  static QString shipped(const QString& name) {
    return QStringLiteral(MERVALO_BIN_DIR "/schema/10/") + name + QStringLiteral(".txt");
  }
  QString onSite(const QString& name) const { return site.filePath(QStringLiteral("MERVALO/Schema/") + name + ".txt"); }
  QString stored(const QString& name) const { return path(QStringLiteral("/schema/10/") + name + ".txt"); }
  void serveList(const QStringList& lines) { ASSERT_TRUE(writeTextLines(site.filePath("MERVALO" + kList), lines)); }
  void serve(const QString& dir, const QString& dropping = {}) {
    QDir().mkpath(site.filePath(QStringLiteral("MERVALO/Schema")));
    server = LocalServer::files(dir, log(), dropping);
    ASSERT_TRUE(server->running()) << server->error().toStdString();
    pointAt(server->base());
  }
  void pointAt(const QString& base) {
    writeSetting(QStringLiteral("Standaard"), QStringLiteral("server http"), base, ctx.values.settingsFilePath);
  }
  QString log() const { return logs.filePath(QStringLiteral("requests.log")); }

  // Opens the screen and waits for the list.
  void open() {
    screen = new SchemaDownloadScreen(ctx, nullptr);
    screen->showAndActivate();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !screen->busy(); }, kWaitMs));
  }
  void step(int steps) {
    for (int i = 0; i < qAbs(steps); ++i)
      screen->vscrSchema->triggerAction(steps < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
  }
  void downloadAndWait() {
    ASSERT_TRUE(screen->cmdDownLoad->isEnabled());
    screen->cmdDownLoad->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !screen->busy(); }, kWaitMs));
  }
  QStringList selected() const {
    QStringList out;
    for (QListWidgetItem* item : screen->lstOpInternet->selectedItems()) out << item->text();
    out.sort();
    return out;
  }

  QTemporaryDir site, logs;
  std::unique_ptr<LocalServer> server;
  SchemaDownloadScreen* screen = nullptr;
};

}  // namespace

TEST_F(SchemaDownloadTest, AMissingListIsReportedThenGroupsAreSteppedLargestFirstWrappingAtBothEnds) {
  serve(site.path());
  writeFile(kList, {"====== 8 ======", "08 Paren 04 Ronden Howell"});
  open();
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.startsWith(
      QStringLiteral("Kan de update van Mervalo nu niet downloaden.\nProbeer het straks nog eens een keer.\n\n")));
  EXPECT_EQ(prompter.last().icon, PromptIcon::Information);
  EXPECT_EQ(screen->lstOpInternet->count(), 0);
  EXPECT_FALSE(screen->vscrSchema->isEnabled());
  EXPECT_FALSE(screen->cmdDownLoad->isEnabled());
  EXPECT_TRUE(screen->cmdTerug->isEnabled());
  EXPECT_EQ(readLines(kList), QStringList({"====== 8 ======", "08 Paren 04 Ronden Howell"}));
  delete screen;

  const QStringList list{"====== 4 ======",           "04 Paren 03 Ronden Howell gedeelde spellen",
                         "====== 8 ======",           "08 Paren 04 Ronden Howell",
                         "====== 6 ======",           "06 Paren 03 Ronden Howell",
                         "06 Paren 04 Ronden Howell", "====== 8 ======",
                         "08 Paren 06 Ronden Howell", "08 Paren ../../taal"};
  serveList(list);
  open();
  EXPECT_EQ(prompter.count(), 1);
  EXPECT_EQ(readLines(kList), list);
  EXPECT_EQ(screen->windowTitle(), QStringLiteral("Download speelschema's"));
  EXPECT_EQ(screen->lblInfo[0]->text(), QStringLiteral("Download speelschema's van: "));
  EXPECT_EQ(screen->vscrSchema->minimum(), -1);
  EXPECT_EQ(screen->vscrSchema->maximum(), 3);
  const struct {
    int steps;  // down is +1
    const char* key;
    int names;
  } walk[] = {{0, "04", 1}, {1, "08", 3}, {-1, "04", 1}, {-1, "06", 2}, {-1, "08", 3}, {-1, "04", 1}};
  for (const auto& p : walk) {
    step(p.steps);
    EXPECT_EQ(screen->txtSchema->text(), QString::fromLatin1(p.key)) << p.steps;
    EXPECT_EQ(screen->lstOpInternet->count(), p.names) << p.key;
    EXPECT_EQ(screen->fraSchema->title(), QStringLiteral("Speelschema's (%1)").arg(p.names));
  }
  step(1);
  // Both groups of 8 pairs together, in file order.
  EXPECT_EQ(listEntries(screen->lstOpInternet),
            QStringList({"08 Paren 04 Ronden Howell", "08 Paren 06 Ronden Howell", "08 Paren ../../taal"}));
}

// From the tree that mervalo-cli makes of the shipped movements.
TEST_F(SchemaDownloadTest, SelectAllDownloadsEveryMovementByteForByteAndLeavesNothingSelected) {
  const CliRun cli = runCli({QStringLiteral("mirror"), site.path()});
  ASSERT_EQ(cli.exitCode, 0) << cli.err.toStdString();
  serve(site.path());
  open();
  const QStringList keys = screen->schemaList().keys;
  ASSERT_GE(keys.size(), 5);
  int files = 0;
  for (int k = 0; k < keys.size(); ++k) {
    step(1);
    SCOPED_TRACE(screen->txtSchema->text().toStdString());
    EXPECT_EQ(screen->chkSelecteer->text(), QStringLiteral("Selecteer alles"));
    screen->chkSelecteer->click();
    EXPECT_EQ(screen->chkSelecteer->text(), QStringLiteral("De-selecteer alles"));
    EXPECT_EQ(selected().size(), screen->lstOpInternet->count());
    downloadAndWait();
    for (const QString& name : listEntries(screen->lstOpInternet)) {
      EXPECT_EQ(readBytes(stored(name)), readBytes(shipped(name))) << name.toStdString();
      ++files;
    }
    EXPECT_TRUE(selected().isEmpty());
    EXPECT_FALSE(screen->cmdDownLoad->isEnabled());
    EXPECT_EQ(screen->prgDownload->value(), screen->lstOpInternet->count());
    EXPECT_FALSE(screen->prgDownload->isVisible());
    // The toggle keeps its caption: the next click deselects (nothing) and shows select-all.
    screen->chkSelecteer->click();
  }
  EXPECT_EQ(files, QDir(QStringLiteral(MERVALO_BIN_DIR "/schema/10")).entryList({"*.txt"}, QDir::Files).size());
  EXPECT_EQ(prompter.count(), 0);
}

TEST_F(SchemaDownloadTest, FailedMovementsAreReportedStaySelectedAndWriteNothing) {
  const QString good = QStringLiteral("08 Paren 04 Ronden Howell");
  const QString cut = QStringLiteral("08 Paren 06 Ronden Howell");
  const QString missing = QStringLiteral("08 Paren 05 Ronden Howell gedeelde spellen");
  const QString unreadable = QStringLiteral("08 Paren 03 Ronden Howell gedeelde spellen");
  const QString huge = QStringLiteral("08 Paren 07 Ronden Mitchell");
  serve(site.path(), cut);
  serveList({"====== 8 ======", good, cut, missing, unreadable, "08 Paren ..", "", "08 Paren 07 Ronden Howell", huge});
  for (const QString& m : {good, cut}) QFile::copy(shipped(m), onSite(m));
  ASSERT_TRUE(writeTextLines(onSite(unreadable), {"dit is geen speelschema"}));
  writeBytes(onSite(huge), QByteArray(65 * 1024, 'x'));  // over the cap of 64 KiB
  writeRaw(QStringLiteral("/schema/10/") + cut + QStringLiteral(".txt"), "earlier copy");
  open();
  // The unsafe and the empty name are shown but cannot be chosen.
  EXPECT_EQ(screen->lstOpInternet->count(), 8);
  screen->chkSelecteer->click();
  EXPECT_EQ(selected().size(), 6);
  clickEntry(screen->lstOpInternet, QStringLiteral("08 Paren 07 Ronden Howell"));  // deselect it again
  EXPECT_EQ(selected().size(), 5);
  downloadAndWait();

  QStringList reported;
  for (const Prompt& p : prompter.shown()) {
    EXPECT_EQ(p.title, QStringLiteral("Download speelschema's"));
    EXPECT_EQ(p.icon, PromptIcon::Information);
    reported << p.text;
  }
  const auto report = [](const QString& name) {
    return QStringLiteral("Heb het speelschema %1 niet kunnen downloaden.\nProbeer het strakjes nog een keer.").arg(name);
  };
  // Fetching a movement that breaks a rule again would bring the same file: it says so, and which rule.
  const QString broken = QStringLiteral("Het speelschema %1 is gedownload, maar het breekt een regel en is niet bewaard:\n"
                                        "0 round lines, but the movement has 3 rounds").arg(unreadable);
  EXPECT_EQ(reported, QStringList({report(cut), report(missing), broken, report(huge)}));
  EXPECT_EQ(selected(), QStringList({unreadable, missing, cut, huge}));
  EXPECT_EQ(readBytes(stored(good)), readBytes(shipped(good)));
  EXPECT_EQ(readBytes(stored(cut)), QByteArray("earlier copy"));
  EXPECT_EQ(QDir(path(QStringLiteral("/schema/10"))).entryList(QDir::Files | QDir::Hidden).size(), 2);
  EXPECT_FALSE(screen->cmdDownLoad->isEnabled());
  for (const QString& request : requestedPaths(log())) {
    EXPECT_FALSE(request.contains(QStringLiteral(".."))) << request.toStdString();
    EXPECT_FALSE(request.contains(QStringLiteral("%2E%2E"))) << request.toStdString();
  }

  // A later selection enables the download again, and the retry asks the server once more.
  prompter.clear();
  clickEntry(screen->lstOpInternet, missing);  // deselects it
  EXPECT_TRUE(screen->cmdDownLoad->isEnabled());
  downloadAndWait();
  EXPECT_EQ(prompter.count(), 3);
}

TEST_F(SchemaDownloadTest, TheMainMenuOpensItAndItStaysResponsiveWhileTheServerNeverAnswers) {
  auto hang = LocalServer::hanging();
  ASSERT_TRUE(hang->running());
  pointAt(hang->base());
  registerAllScreens(ctx);
  ctx.connectionTest = [] { return false; };
  writeRaw(QStringLiteral("/MAIL.TXT"), {});
  auto* menu = new MainMenu(ctx);
  menu->showAndActivate();
  prompter.clear();
  auto* cmdSchema = child<QPushButton>(menu, QStringLiteral("cmdSchema"));
  ASSERT_TRUE(cmdSchema->isEnabled());
  cmdSchema->click();
  QPointer<QWidget> opened = topLevel(QStringLiteral("frmMervalo12"));
  ASSERT_TRUE(opened);
  EXPECT_FALSE(menu->isEnabled());
  auto* s = static_cast<SchemaDownloadScreen*>(opened.data());
  ASSERT_TRUE(QTest::qWaitFor([&] { return hang->acceptedConnections() > 0; }, kWaitMs));
  // Still waiting for the list, and the screen answers keys meanwhile.
  EXPECT_TRUE(s->busy());
  EXPECT_TRUE(s->cmdTerug->isEnabled());
  QTest::keyClick(s, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return opened.isNull(); }, 1000));
  EXPECT_TRUE(menu->isEnabled());
  EXPECT_TRUE(BackgroundDownload::waitForWorkers(kWaitMs));
  QCoreApplication::processEvents();
  EXPECT_EQ(prompter.count(), 0);
  delete menu;
}
