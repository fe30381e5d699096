// The screens that fetch from the download server, against servers on loopback: the movement
// download screen and the main menu's update check.

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
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
#include "net/screens/updatecheck.h"
#include "screentest.h"
#include "testfiles.h"
#include "testservers.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

constexpr int kWaitMs = 20'000;
const QString kList = QStringLiteral("/Lijst met speelschemas.txt");
const QString kUpdater = QStringLiteral("/Update/mervaloupdate.exe");

void setting(const AppContext& ctx, const char* key, const QString& value) {
  writeSetting(QStringLiteral("Standaard"), QLatin1String(key), value, ctx.values.settingsFilePath);
}

// The movement download screen against a web site (HTTP) whose schema folder holds the
// movements the test puts there.
class SchemaDownloadTest : public ScreenTest {
 protected:
  static QString shipped(const QString& name) { return QStringLiteral(MERVALO_BIN_DIR "/schema/10/") + name + ".txt"; }
  QString onSite(const QString& name) const { return site.filePath("MERVALO/Schema/" + name + ".txt"); }
  QString stored(const QString& name) const { return path(QStringLiteral("/schema/10/") + name + ".txt"); }
  QString log() const { return logs.filePath(QStringLiteral("requests.log")); }
  // Serves the site; paths that hold `dropping` are cut off mid-body.
  void serve(const QString& dropping = {}) {
    QDir().mkpath(site.filePath(QStringLiteral("MERVALO/Schema")));
    server = LocalServer::files(site.path(), log(), dropping);
    ASSERT_TRUE(server->running()) << server->error().toStdString();
    setting(ctx, "server http", server->base());
  }
  // Opens the screen and waits for the list.
  void open() {
    screen = new SchemaDownloadScreen(ctx, nullptr);
    screen->showAndActivate();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !screen->busy(); }, kWaitMs));
  }
  void step(int steps) {
    for (int i = 0; i < qAbs(steps); ++i)
      screen->vscrSchema->triggerAction(steps < 0 ? QAbstractSlider::SliderSingleStepSub
                                                  : QAbstractSlider::SliderSingleStepAdd);
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
  serve();
  writeFile(kList, {"====== 8 ======", "08 Paren 04 Ronden Howell"});
  open();
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_EQ(prompter.last().text, ctx.values.message(115));
  EXPECT_EQ(readLines(kList), QStringList({"====== 8 ======", "08 Paren 04 Ronden Howell"}));
  delete screen;

  const QStringList list{"====== 4 ======",           "04 Paren 03 Ronden Howell gedeelde spellen",
                         "====== 8 ======",           "08 Paren 04 Ronden Howell",
                         "====== 6 ======",           "06 Paren 03 Ronden Howell",
                         "06 Paren 04 Ronden Howell", "====== 8 ======",
                         "08 Paren 06 Ronden Howell", "08 Paren ../../taal"};
  ASSERT_TRUE(writeTextLines(site.filePath("MERVALO" + kList), list));
  open();
  EXPECT_EQ(prompter.count(), 1);
  EXPECT_EQ(readLines(kList), list);
  const struct {
    int steps;  // down is +1
    const char* key;
    int names;
  } walk[] = {{0, "04", 1}, {1, "08", 3}, {-1, "04", 1}, {-1, "06", 2}, {-1, "08", 3}, {-1, "04", 1}};
  for (const auto& p : walk) {
    step(p.steps);
    EXPECT_EQ(screen->txtSchema->text(), QString::fromLatin1(p.key)) << p.steps;
    EXPECT_EQ(screen->lstOpInternet->count(), p.names) << p.key;
  }
  step(1);
  // Both groups of 8 pairs together, in file order.
  EXPECT_EQ(listEntries(screen->lstOpInternet),
            QStringList({"08 Paren 04 Ronden Howell", "08 Paren 06 Ronden Howell", "08 Paren ../../taal"}));
}

TEST_F(SchemaDownloadTest, FailedMovementsAreReportedStaySelectedAndWriteNothing) {
  const QString good = QStringLiteral("08 Paren 04 Ronden Howell");
  const QString cut = QStringLiteral("08 Paren 06 Ronden Howell");
  const QString missing = QStringLiteral("08 Paren 05 Ronden Howell gedeelde spellen");
  const QString unreadable = QStringLiteral("08 Paren 03 Ronden Howell gedeelde spellen");
  const QString huge = QStringLiteral("08 Paren 07 Ronden Mitchell");
  serve(cut);
  ASSERT_TRUE(writeTextLines(site.filePath("MERVALO" + kList), {"====== 8 ======", good, cut, missing, unreadable,
                                                                "08 Paren ..", "", "08 Paren 07 Ronden Howell", huge}));
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
  screen->cmdDownLoad->click();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !screen->busy(); }, kWaitMs));

  QStringList reported;
  for (const Prompt& p : prompter.shown()) reported << p.text;
  const auto report = [this](const QString& name) { return ctx.values.message(173).replace('#', name); };
  // Fetching a movement that breaks a rule again would bring the same file: it says so, and which rule.
  const QString broken =
      ctx.values.message(209).replace('#', unreadable).replace('~', "0 round lines, but the movement has 3 rounds");
  EXPECT_EQ(reported, QStringList({report(cut), report(missing), broken, report(huge)}));
  EXPECT_EQ(selected(), QStringList({unreadable, missing, cut, huge}));
  EXPECT_EQ(readBytes(stored(good)), readBytes(shipped(good)));
  EXPECT_EQ(readBytes(stored(cut)), QByteArray("earlier copy"));
  EXPECT_EQ(QDir(path(QStringLiteral("/schema/10"))).entryList(QDir::Files | QDir::Hidden).size(), 2);
  for (const QString& request : requestedPaths(log())) {
    EXPECT_FALSE(request.contains(QStringLiteral(".."))) << request.toStdString();
    EXPECT_FALSE(request.contains(QStringLiteral("%2E%2E"))) << request.toStdString();
  }
}

namespace {

// The main menu of a connected computer whose download server is an HTTPS server on loopback.
// It serves tests/net/updater.sh as the updater, signed by a maker whose public key the
// settings trust. Its notice is newer than the last update unless a test says otherwise.
class UpdateCheckTest : public ScreenTest {
 protected:
  static void SetUpTestSuite() {
    shared = new Shared;
    const QString updater = shared->site.filePath(QStringLiteral("MERVALO/mervaloupdate.exe"));
    QDir().mkpath(shared->site.filePath(QStringLiteral("MERVALO")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MERVALO_TEST_UPDATER), updater));
    for (const QStringList& args : {QStringList{QStringLiteral("keygen"), shared->keys.path()},
                                    QStringList{QStringLiteral("sign"), shared->key("private"), updater}}) {
      const CliRun r = runCli(args);
      ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    shared->signature = readBytes(updater + QStringLiteral(".sig"));
    ASSERT_TRUE(writeTextLines(shared->site.filePath(QStringLiteral("MERVALO/mervalo.txt")), {"15-03-2024"}));
    shared->https = LocalServer::https(shared->site.path(), tls().certificate, tls().key, shared->log());
    shared->hang = LocalServer::hanging();
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }
  static const Certificate& tls() { return sharedCertificate(); }

  UpdateCheckTest() {
    registerAllScreens(ctx);
    ctx.loadMailProviders = nullptr;
    ctx.connectionTest = [] { return true; };
    ctx.today = [] { return QDate(2024, 3, 20); };
    setting(ctx, "server https", shared->https->base());
    setting(ctx, "ca-bundle", tls().certificate);
    setting(ctx, "update key", shared->key("public"));
    QDir().mkpath(path(QStringLiteral("/Update")));
    setLastUpdate(QStringLiteral("01-03-2024"));
  }
  ~UpdateCheckTest() override { serveSignature(shared->signature); }
  void SetUp() override { ASSERT_TRUE(shared->https->running()) << shared->https->error().toStdString(); }

  static void serveSignature(const QByteArray& signature) {
    const QString file = shared->site.filePath(QStringLiteral("MERVALO/mervaloupdate.exe.sig"));
    QFile::remove(file);
    if (!signature.isNull()) writeBytes(file, signature);
  }
  void setLastUpdate(const QString& date) { writeFile(QStringLiteral("/laatsteupdate.txt"), {date}); }

  void waitForChecks(int n) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return UpdateService::of(*menu).checksDone() >= n; }, kWaitMs));
  }
  void clickDownload() { child<QPushButton>(menu, QStringLiteral("cmdDownload"))->click(); }

  struct Shared {
    QTemporaryDir site, keys;
    QByteArray signature;
    std::unique_ptr<LocalServer> https, hang;
    QString log() const { return keys.filePath(QStringLiteral("requests.log")); }
    QString key(const char* half) const { return keys.filePath(QStringLiteral("mervalo-update-%1.pem").arg(half)); }
  };
  static Shared* shared;
  MainMenu* menu = nullptr;
};

UpdateCheckTest::Shared* UpdateCheckTest::shared = nullptr;

}  // namespace

// Asked only over the menu itself: not while another screen is open, then on the return to
// it, and once a run however often the menu fetches the notice again.
TEST_F(UpdateCheckTest, TheQuestionWaitsForTheMenuAndComesOnceAndTheButtonStartsTheUpdater) {
  setLastUpdate(QStringLiteral("2024-03-01"));
  menu = new MainMenu(ctx);
  menu->showAndActivate();
  menu->setEnabled(false);  // another screen opened before the notice arrived
  waitForChecks(1);
  EXPECT_EQ(prompter.count(), 0);
  prompter.answerNo();
  menu->returnFromChild();
  waitForChecks(2);
  ASSERT_EQ(prompter.count(), 1);
  menu->formActivate();
  waitForChecks(3);
  EXPECT_EQ(prompter.count(), 1);

  // The updater comes, signed, and runs in the root folder with the program folder; the program
  // says so, records the date and ends.
  clickDownload();
  EXPECT_FALSE(menu->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([this] { return quitCalled; }, kWaitMs));
  EXPECT_EQ(prompter.last().text, ctx.values.message(117));
  EXPECT_EQ(readLines(QStringLiteral("/laatsteupdate.txt")), QStringList{"20-03-2024"});
  EXPECT_EQ(readRaw(kUpdater), readBytes(QStringLiteral(MERVALO_TEST_UPDATER)));
  EXPECT_TRUE(requestedPaths(shared->log()).contains(QStringLiteral("/MERVALO/mervaloupdate.exe.sig")));
  const QString started = path(QStringLiteral("/Update/started.txt"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(started); }, kWaitMs));
  EXPECT_EQ(readTextLines(started).value(), QStringList({QStringLiteral("/p=") + folder(), QStringLiteral("/")}));
}

// Never updated before, the program asks nothing however new the notice; the button still
// fetches, and an updater that no trusted key signed is never started.
TEST_F(UpdateCheckTest, NeverUpdatedAsksNothingAndAnUpdaterNoTrustedKeySignedIsNeverStarted) {
  QFile::remove(path(QStringLiteral("/laatsteupdate.txt")));
  const struct {
    const char* what;
    QByteArray signature;  // null: none on the server
    QString key;           // the "update key" setting
  } cases[] = {{"unsigned", QByteArray(), shared->key("public")},
               {"a key the settings do not name", shared->signature, QString()}};
  menu = new MainMenu(ctx);
  menu->showAndActivate();
  waitForChecks(1);
  EXPECT_EQ(prompter.count(), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    serveSignature(c.signature);
    setting(ctx, "update key", c.key);
    prompter.clear();
    clickDownload();
    ASSERT_TRUE(QTest::qWaitFor([this] { return prompter.count() > 0; }, kWaitMs));
    EXPECT_EQ(prompter.last().text, ctx.values.message(208));
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_FALSE(QFile::exists(path(kUpdater)));
  }
  EXPECT_FALSE(quitCalled);
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("/Update/started.txt"))));
  EXPECT_FALSE(exists(QStringLiteral("/laatsteupdate.txt")));
}

// A server that accepts the connection and never says a word, not even its half of TLS, holds up
// neither the menu nor the movement screen it opens. The updater of the last update is
// executable, and a new file written over it would inherit that before its signature is known:
// it goes before the new one is asked for.
TEST_F(UpdateCheckTest, AServerThatNeverAnswersHoldsUpNoScreenNorTheRemovalOfTheEarlierUpdater) {
  writeRaw(kUpdater, "#!/bin/sh\n");
  ASSERT_TRUE(QFile::setPermissions(path(kUpdater), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  setting(ctx, "server https", QStringLiteral("https://127.0.0.1:%1").arg(shared->hang->port()));
  setting(ctx, "server http", shared->hang->base());
  LocalServer& hang = *shared->hang;
  const int accepted = hang.acceptedConnections();
  menu = new MainMenu(ctx);
  menu->showAndActivate();
  // A fetch that blocked the menu would be over (failed) by now; this one is still waiting.
  ASSERT_TRUE(QTest::qWaitFor([&] { return hang.acceptedConnections() > accepted; }, kWaitMs));
  EXPECT_TRUE(UpdateService::of(*menu).checking());

  // The movement screen waits for its list and answers keys meanwhile.
  child<QPushButton>(menu, QStringLiteral("cmdSchema"))->click();
  QPointer<QWidget> opened = topLevel(QStringLiteral("frmMervalo12"));
  ASSERT_TRUE(opened);
  ASSERT_TRUE(QTest::qWaitFor([&] { return hang.acceptedConnections() > accepted + 1; }, kWaitMs));
  EXPECT_TRUE(static_cast<SchemaDownloadScreen*>(opened.data())->busy());
  QTest::keyClick(opened, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return opened.isNull(); }, 1000));
  EXPECT_TRUE(menu->isEnabled());

  clickDownload();
  ASSERT_TRUE(QTest::qWaitFor([&] { return hang.acceptedConnections() > accepted + 2; }, kWaitMs));
  EXPECT_FALSE(QFile::exists(path(kUpdater)));
  delete menu;
  EXPECT_TRUE(BackgroundDownload::waitForWorkers(kWaitMs));
  QCoreApplication::processEvents();
  EXPECT_EQ(prompter.count(), 0);
}
