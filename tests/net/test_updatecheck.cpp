#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/screens/mainmenu.h"
#include "app/settings.h"
#include "app/textfile.h"
#include "net/download.h"
#include "net/screens/updatecheck.h"
#include "screentest.h"
#include "testfiles.h"
#include "testservers.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

constexpr int kWaitMs = 20'000;

// Runs mervalo-cli with these arguments; its error output when it fails.
QString cli(const QStringList& args) {
  const CliRun r = runCli(args);
  return r.exitCode == 0 ? QString() : QString::fromLocal8Bit(r.err) + QStringLiteral(" failed");
}

const QString kQuestion =
    QStringLiteral("Er is een nieuwe versie van Mervalo.\nWilt u de nieuwe versie downloaden en installeren?");

// The main menu of a connected computer whose download server is an HTTPS server on loopback
// with a certificate made for the suite; the updater it serves is tests/net/updater.sh.
class UpdateCheckTest : public ScreenTest {
 protected:
  static void SetUpTestSuite() {
    shared = new Shared;
    QString error;
    ASSERT_TRUE(makeCertificate(shared->certs.path(), QStringLiteral("server"), &shared->cert, &shared->key, &error))
        << error.toStdString();
    QDir().mkpath(shared->site.filePath(QStringLiteral("MERVALO")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MERVALO_TEST_UPDATER), shared->site.filePath(QStringLiteral("MERVALO/mervaloupdate.exe"))));
    // The suite's own maker, whose public key the settings trust, and a stranger.
    for (const char* who : {"maker", "stranger"}) {
      ASSERT_EQ(cli({QStringLiteral("keygen"), shared->certs.filePath(QString::fromLatin1(who))}), QString());
    }
    ASSERT_EQ(cli({QStringLiteral("sign"), shared->keyOf("stranger"), shared->site.filePath(QStringLiteral("MERVALO/mervaloupdate.exe"))}),
              QString());
    shared->strangers = readBytes(shared->signature());
    ASSERT_EQ(cli({QStringLiteral("sign"), shared->keyOf("maker"), shared->site.filePath(QStringLiteral("MERVALO/mervaloupdate.exe"))}),
              QString());
    shared->makers = readBytes(shared->signature());
    shared->https = LocalServer::https(shared->site.path(), shared->cert, shared->key, shared->log());
    shared->hang = LocalServer::hanging();
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }

  UpdateCheckTest() {
    registerAllScreens(ctx);
    ctx.loadMailProviders = nullptr;
    ctx.connectionTest = [] { return true; };
    ctx.today = [] { return QDate(2024, 3, 20); };
    pointAt(shared->https->base());
    writeSetting(QStringLiteral("Standaard"), QStringLiteral("ca-bundle"), shared->cert, ctx.values.settingsFilePath);
    writeSetting(QStringLiteral("Standaard"), QStringLiteral("update key"),
                 shared->certs.filePath(QStringLiteral("maker/mervalo-update-public.pem")), ctx.values.settingsFilePath);
    QDir().mkpath(path(QStringLiteral("/Update")));
  }
  ~UpdateCheckTest() override { serveSignature(shared->makers); }
  void SetUp() override {
    ASSERT_TRUE(shared->https->running()) << shared->https->error().toStdString();
    ASSERT_TRUE(shared->hang->running());
  }

  void pointAt(const QString& base) {
    writeSetting(QStringLiteral("Standaard"), QStringLiteral("server https"), base, ctx.values.settingsFilePath);
  }
  static void serveSignature(const QByteArray& signature) {
    QFile::remove(shared->signature());
    if (!signature.isNull()) writeBytes(shared->signature(), signature);
  }
  static void setNotice(const QString& date) {
    ASSERT_TRUE(writeTextLines(shared->site.filePath(QStringLiteral("MERVALO/mervalo.txt")), {date}));
  }
  void setLastUpdate(const QString& date) { writeFile(QStringLiteral("/laatsteupdate.txt"), {date}); }

  // Starts the menu and waits for the notice fetch of its first activation.
  void start() {
    menu = new MainMenu(ctx);
    menu->showAndActivate();
    waitForChecks(1);
  }
  void waitForChecks(int n) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return UpdateService::of(*menu).checksDone() >= n; }, kWaitMs));
  }
  int questions() const { return prompter.countText(kQuestion); }
  QString started() const { return path(QStringLiteral("/Update/started.txt")); }

  struct Shared {
    QTemporaryDir site, certs;
    QString cert, key;
    std::unique_ptr<LocalServer> https, hang;
    QString log() const { return certs.filePath(QStringLiteral("requests.log")); }
    QString keyOf(const char* who) const { return certs.filePath(QString::fromLatin1(who) + QStringLiteral("/mervalo-update-private.pem")); }
    QString signature() const { return site.filePath(QStringLiteral("MERVALO/mervaloupdate.exe.sig")); }
    QByteArray makers, strangers;
  };
  static Shared* shared;
  MainMenu* menu = nullptr;
};

UpdateCheckTest::Shared* UpdateCheckTest::shared = nullptr;

}  // namespace

TEST_F(UpdateCheckTest, ANewerNoticeIsAskedAboutOncePerRun) {
  setLastUpdate(QStringLiteral("01-03-2024"));
  setNotice(QStringLiteral("15-03-2024"));
  prompter.answerNo();
  start();
  ASSERT_EQ(questions(), 1);
  EXPECT_EQ(prompter.last().icon, PromptIcon::Question);
  EXPECT_EQ(prompter.last().title, menu->windowTitle());
  EXPECT_TRUE(ctx.values.updateAsked);
  EXPECT_EQ(menu->focusWidget(), child<QWidget>(menu, QStringLiteral("cmdSetFocus")));
  // Every activation fetches the notice again, but the question is not repeated.
  menu->formActivate();
  waitForChecks(2);
  EXPECT_EQ(questions(), 1);
  EXPECT_FALSE(quitCalled);
  EXPECT_EQ(readLines(QStringLiteral("/Update/mervalo.txt")), QStringList{"15-03-2024"});
}

TEST_F(UpdateCheckTest, NoQuestionWithoutNews) {
  const struct {
    const char* what;
    const char* notice;
    const char* last;  // nullptr: no laatsteupdate.txt
    bool updateFolder;
  } cases[] = {{"same day", "15-03-2024", "15-03-2024", true},  // older and undated notices: UpdateDates
               {"never updated", "15-03-2024", nullptr, true},
               {"no update folder", "15-03-2024", "01-03-2024", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    setNotice(QString::fromLatin1(c.notice));
    if (c.last)
      setLastUpdate(QString::fromLatin1(c.last));
    else
      QFile::remove(path(QStringLiteral("/laatsteupdate.txt")));
    if (!c.updateFolder) QDir(path(QStringLiteral("/Update"))).removeRecursively();
    const int requests = requestedPaths(shared->log()).size();
    start();
    EXPECT_EQ(prompter.count(), 0);
    // Without the folder the notice has nowhere to go, and the server is not even asked.
    EXPECT_EQ(requestedPaths(shared->log()).size(), requests + (c.updateFolder ? 1 : 0));
    delete menu;
  }
  EXPECT_FALSE(ctx.values.updateAsked);
}

TEST_F(UpdateCheckTest, TheQuestionWaitsUntilTheMenuIsTheActiveScreenAgain) {
  setLastUpdate(QStringLiteral("2024-03-01"));
  setNotice(QStringLiteral("15-03-2024"));
  menu = new MainMenu(ctx);
  menu->showAndActivate();
  // Another screen is opened before the notice arrives.
  menu->setEnabled(false);
  waitForChecks(1);
  EXPECT_EQ(questions(), 0);
  EXPECT_FALSE(ctx.values.updateAsked);
  prompter.answerNo();
  menu->returnFromChild();
  waitForChecks(2);
  EXPECT_EQ(questions(), 1);
}

TEST_F(UpdateCheckTest, YesFetchesAndStartsTheUpdaterAndEndsTheProgram) {
  setLastUpdate(QStringLiteral("01-03-2024"));
  setNotice(QStringLiteral("15-03-2024"));
  prompter.answerYes();
  start();
  ASSERT_TRUE(QTest::qWaitFor([this] { return quitCalled; }, kWaitMs));
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_EQ(prompter.last().text,
            QStringLiteral("Mervalo wordt nu afgesloten en de installatie van de nieuwe versie zal zo starten."));
  EXPECT_EQ(readLines(QStringLiteral("/laatsteupdate.txt")), QStringList{"20-03-2024"});
  EXPECT_EQ(readRaw(QStringLiteral("/Update/mervaloupdate.exe")), readBytes(QStringLiteral(MERVALO_TEST_UPDATER)));
  EXPECT_TRUE(QFileInfo(path(QStringLiteral("/Update/mervaloupdate.exe"))).isExecutable());
  ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(started()); }, kWaitMs));
  EXPECT_EQ(readTextLines(started()).value(), QStringList({QStringLiteral("/p=") + folder(), QStringLiteral("/")}));
  EXPECT_TRUE(requestedPaths(shared->log()).contains(QStringLiteral("/MERVALO/mervaloupdate.exe")));
  EXPECT_TRUE(requestedPaths(shared->log()).contains(QStringLiteral("/MERVALO/mervaloupdate.exe.sig")));
}

TEST_F(UpdateCheckTest, AnUpdaterThatFailsOrNoTrustedKeySignedIsNeverStarted) {
  setLastUpdate(QStringLiteral("01-03-2024"));
  setNotice(QStringLiteral("01-03-2024"));
  QByteArray otherFile = shared->makers;
  otherFile[0] = static_cast<char>(otherFile[0] ^ 1);
  // 65 MiB, over the updater's cap; sent without its size, so only counting while it arrives can stop it.
  QTemporaryDir bigSite;
  QDir().mkpath(bigSite.filePath(QStringLiteral("MERVALO")));
  QFile huge(bigSite.filePath(QStringLiteral("MERVALO/mervaloupdate.exe")));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(65 * 1024 * 1024));
  huge.close();
  const auto big = LocalServer::https(bigSite.path(), shared->cert, shared->key);
  ASSERT_TRUE(big->running()) << big->error().toStdString();
  const QString failed = QStringLiteral("Kan de update van Mervalo nu niet downloaden.\n");
  const struct {
    const char* what;
    QByteArray signature;  // null: none on the server
    QString base;          // empty: the suite's server
    QString shown;         // how the message starts
  } cases[] = {{"unsigned", QByteArray(), {}, ctx.values.message(208)},
               {"signed by a stranger", shared->strangers, {}, ctx.values.message(208)},
               {"a damaged signature", otherFile, {}, ctx.values.message(208)},
               {"not on the server (404)", shared->makers, shared->https->base() + QStringLiteral("/elders"), failed},
               {"over its cap", shared->makers, big->base() + QStringLiteral("/stream"), failed},
               {"a key the settings do not name", shared->makers, {}, ctx.values.message(208)}};
  start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    serveSignature(c.signature);
    pointAt(c.base.isEmpty() ? shared->https->base() : c.base);
    if (&c == &cases[std::size(cases) - 1])
      writeSetting(QStringLiteral("Standaard"), QStringLiteral("update key"), QString(), ctx.values.settingsFilePath);
    prompter.clear();
    child<QPushButton>(menu, QStringLiteral("cmdDownload"))->click();
    ASSERT_TRUE(QTest::qWaitFor([this] { return prompter.count() > 0; }, 60'000));
    EXPECT_TRUE(prompter.last().text.startsWith(c.shown)) << prompter.last().text.toStdString();
    EXPECT_EQ(prompter.last().icon, PromptIcon::Information);
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("/Update/mervaloupdate.exe"))));
  }
  EXPECT_FALSE(quitCalled);
  EXPECT_FALSE(QFile::exists(started()));
  EXPECT_EQ(readLines(QStringLiteral("/laatsteupdate.txt")), QStringList{"01-03-2024"});
}

TEST_F(UpdateCheckTest, TheDownloadButtonInEnglishWritesTheEnglishDate) {
  setLanguage(kEnglish);
  setNotice(QStringLiteral("versie 2"));
  start();
  child<QPushButton>(menu, QStringLiteral("cmdDownload"))->click();
  EXPECT_FALSE(menu->isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([this] { return quitCalled; }, kWaitMs));
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Mervalo will now be closed")));
  EXPECT_EQ(readLines(QStringLiteral("/laatsteupdate.txt")), QStringList{"2024-03-20"});
  ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(started()); }, kWaitMs));
}

// The updater of the last update is executable; a new file written over it would inherit that
// before its signature is known.
TEST_F(UpdateCheckTest, TheEarlierUpdaterIsGoneBeforeTheNewOneIsFetched) {
  start();
  writeRaw(QStringLiteral("/Update/mervaloupdate.exe"), "#!/bin/sh\n");
  ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("/Update/mervaloupdate.exe")), QFileDevice::ReadOwner |
                                                                                          QFileDevice::WriteOwner |
                                                                                          QFileDevice::ExeOwner));
  pointAt(QStringLiteral("https://127.0.0.1:%1").arg(shared->hang->port()));
  const int accepted = shared->hang->acceptedConnections();
  child<QPushButton>(menu, QStringLiteral("cmdDownload"))->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return shared->hang->acceptedConnections() > accepted; }, kWaitMs));
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("/Update/mervaloupdate.exe"))));
  delete menu;
  EXPECT_TRUE(BackgroundDownload::waitForWorkers(kWaitMs));
}

TEST_F(UpdateCheckTest, AServerThatNeverAnswersDoesNotHoldUpTheMenu) {
  setLastUpdate(QStringLiteral("01-03-2024"));
  // It accepts the connection and then never says a word, not even its half of TLS.
  pointAt(QStringLiteral("https://127.0.0.1:%1").arg(shared->hang->port()));
  const int accepted = shared->hang->acceptedConnections();
  menu = new MainMenu(ctx);
  menu->showAndActivate();
  // A fetch that blocked the menu would be over (failed) by now; this one is still waiting.
  ASSERT_TRUE(QTest::qWaitFor([&] { return shared->hang->acceptedConnections() > accepted; }, kWaitMs));
  EXPECT_TRUE(UpdateService::of(*menu).checking());
  // A second activation does not pile up a second fetch.
  menu->formActivate();
  EXPECT_TRUE(menu->isEnabled());
  delete menu;
  EXPECT_TRUE(BackgroundDownload::waitForWorkers(kWaitMs));
  EXPECT_EQ(prompter.count(), 0);
}
