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
const QString kUpdater = QStringLiteral("/Update/mervaloupdate.exe");

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
    setting("server https", shared->https->base());
    setting("ca-bundle", tls().certificate);
    setting("update key", shared->key("public"));
    QDir().mkpath(path(QStringLiteral("/Update")));
    setLastUpdate(QStringLiteral("01-03-2024"));
    setNotice(QStringLiteral("15-03-2024"));
  }
  ~UpdateCheckTest() override { serveSignature(shared->signature); }
  void SetUp() override {
    ASSERT_TRUE(tls().made) << tls().error.toStdString();
    ASSERT_TRUE(shared->https->running()) << shared->https->error().toStdString();
    ASSERT_TRUE(shared->hang->running());
  }

  void setting(const char* key, const QString& value) {
    writeSetting(QStringLiteral("Standaard"), QLatin1String(key), value, ctx.values.settingsFilePath);
  }
  static void serveSignature(const QByteArray& signature) {
    const QString file = shared->site.filePath(QStringLiteral("MERVALO/mervaloupdate.exe.sig"));
    QFile::remove(file);
    if (!signature.isNull()) writeBytes(file, signature);
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
  void clickDownload() { child<QPushButton>(menu, QStringLiteral("cmdDownload"))->click(); }
  // The updater came, signed, and runs in the root folder with the program folder; the program
  // said so, recorded the date and ended.
  void expectUpdaterStarted(const char* said, const char* date) {
    ASSERT_TRUE(QTest::qWaitFor([this] { return quitCalled; }, kWaitMs));
    EXPECT_TRUE(prompter.last().text.startsWith(QString::fromUtf8(said))) << prompter.last().text.toStdString();
    EXPECT_EQ(readLines(QStringLiteral("/laatsteupdate.txt")), QStringList{QLatin1String(date)});
    EXPECT_EQ(readRaw(kUpdater), readBytes(QStringLiteral(MERVALO_TEST_UPDATER)));
    EXPECT_TRUE(QFileInfo(path(kUpdater)).isExecutable());
    EXPECT_TRUE(requestedPaths(shared->log()).contains(QStringLiteral("/MERVALO/mervaloupdate.exe.sig")));
    const QString started = path(QStringLiteral("/Update/started.txt"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(started); }, kWaitMs));
    EXPECT_EQ(readTextLines(started).value(), QStringList({QStringLiteral("/p=") + folder(), QStringLiteral("/")}));
  }

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
  EXPECT_FALSE(ctx.values.updateAsked);
  prompter.answerNo();
  menu->returnFromChild();
  waitForChecks(2);
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_EQ(prompter.last().text,
            QStringLiteral("Er is een nieuwe versie van Mervalo.\nWilt u de nieuwe versie downloaden en installeren?"));
  EXPECT_EQ(prompter.last().icon, PromptIcon::Question);
  EXPECT_EQ(prompter.last().title, menu->windowTitle());
  EXPECT_TRUE(ctx.values.updateAsked);
  EXPECT_EQ(menu->focusWidget(), child<QWidget>(menu, QStringLiteral("cmdSetFocus")));
  EXPECT_EQ(readLines(QStringLiteral("/Update/mervalo.txt")), QStringList{"15-03-2024"});
  menu->formActivate();
  waitForChecks(3);
  EXPECT_EQ(prompter.count(), 1);
  EXPECT_FALSE(quitCalled);

  clickDownload();
  EXPECT_FALSE(menu->isEnabled());
  expectUpdaterStarted("Mervalo wordt nu afgesloten en de installatie van de nieuwe versie zal zo starten.",
                       "20-03-2024");
}

TEST_F(UpdateCheckTest, YesInEnglishStartsTheUpdaterAndWritesTheEnglishDate) {
  setLanguage(kEnglish);
  prompter.answerYes();
  start();
  expectUpdaterStarted("Mervalo will now be closed", "2024-03-20");
}

// Without the folder the notice has nowhere to go, and the server is not even asked.
TEST_F(UpdateCheckTest, WithoutAnUpdateFolderTheServerIsNotAsked) {
  QDir(path(QStringLiteral("/Update"))).removeRecursively();
  const int requests = requestedPaths(shared->log()).size();
  start();
  EXPECT_EQ(requestedPaths(shared->log()).size(), requests);
  EXPECT_EQ(prompter.count(), 0);
}

// Never updated before, the program asks nothing however new the notice; the button still
// fetches, and every way that fails leaves nothing that could be started.
TEST_F(UpdateCheckTest, NeverUpdatedAsksNothingAndAnUpdaterThatFailsOrNoTrustedKeySignedIsNeverStarted) {
  QFile::remove(path(QStringLiteral("/laatsteupdate.txt")));
  QByteArray otherFile = shared->signature;
  otherFile[0] = static_cast<char>(otherFile[0] ^ 1);
  // 65 MiB, over the updater's cap; sent without its size, so only counting while it arrives can stop it.
  QTemporaryDir bigSite;
  QDir().mkpath(bigSite.filePath(QStringLiteral("MERVALO")));
  QFile huge(bigSite.filePath(QStringLiteral("MERVALO/mervaloupdate.exe")));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(65 * 1024 * 1024));
  huge.close();
  const auto big = LocalServer::https(bigSite.path(), tls().certificate, tls().key);
  ASSERT_TRUE(big->running()) << big->error().toStdString();
  const QString failed = QStringLiteral("Kan de update van Mervalo nu niet downloaden.\n");
  const QString unsigned_ = ctx.values.message(208);
  const QByteArray maker = shared->signature;
  const struct {
    const char* what;
    QByteArray signature;  // null: none on the server
    QString base;          // empty: the suite's server
    QString shown;         // how the message starts
  } cases[] = {{"unsigned", QByteArray(), {}, unsigned_},
               {"a damaged signature", otherFile, {}, unsigned_},
               {"not on the server (404)", maker, shared->https->base() + QStringLiteral("/elders"), failed},
               {"over its cap", maker, big->base() + QStringLiteral("/stream"), failed},
               {"a key the settings do not name", maker, {}, unsigned_}};
  start();
  EXPECT_EQ(readLines(QStringLiteral("/Update/mervalo.txt")), QStringList{"15-03-2024"});
  EXPECT_EQ(prompter.count(), 0);
  EXPECT_FALSE(ctx.values.updateAsked);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    serveSignature(c.signature);
    setting("server https", c.base.isEmpty() ? shared->https->base() : c.base);
    if (&c == &cases[std::size(cases) - 1]) setting("update key", QString());
    prompter.clear();
    clickDownload();
    ASSERT_TRUE(QTest::qWaitFor([this] { return prompter.count() > 0; }, 60'000));
    EXPECT_TRUE(prompter.last().text.startsWith(c.shown)) << prompter.last().text.toStdString();
    EXPECT_EQ(prompter.last().icon, PromptIcon::Information);
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_FALSE(QFile::exists(path(kUpdater)));
  }
  EXPECT_FALSE(quitCalled);
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("/Update/started.txt"))));
  EXPECT_FALSE(exists(QStringLiteral("/laatsteupdate.txt")));
}

// It accepts the connection and then never says a word, not even its half of TLS. The updater of
// the last update is executable, and a new file written over it would inherit that before its
// signature is known: it goes before the new one is asked for.
TEST_F(UpdateCheckTest, AServerThatNeverAnswersHoldsUpNeitherTheMenuNorTheRemovalOfTheEarlierUpdater) {
  writeRaw(kUpdater, "#!/bin/sh\n");
  ASSERT_TRUE(QFile::setPermissions(path(kUpdater), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  setting("server https", QStringLiteral("https://127.0.0.1:%1").arg(shared->hang->port()));
  const int accepted = shared->hang->acceptedConnections();
  menu = new MainMenu(ctx);
  menu->showAndActivate();
  // A fetch that blocked the menu would be over (failed) by now; this one is still waiting.
  ASSERT_TRUE(QTest::qWaitFor([&] { return shared->hang->acceptedConnections() > accepted; }, kWaitMs));
  EXPECT_TRUE(UpdateService::of(*menu).checking());
  // A second activation does not pile up a second fetch.
  menu->formActivate();
  EXPECT_TRUE(menu->isEnabled());
  clickDownload();
  ASSERT_TRUE(QTest::qWaitFor([&] { return shared->hang->acceptedConnections() > accepted + 1; }, kWaitMs));
  EXPECT_FALSE(QFile::exists(path(kUpdater)));
  delete menu;
  EXPECT_TRUE(BackgroundDownload::waitForWorkers(kWaitMs));
  EXPECT_EQ(prompter.count(), 0);
}
