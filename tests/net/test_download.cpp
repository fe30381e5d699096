#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <curl/curl.h>
#include <gtest/gtest.h>

#include "net/download.h"
#include "net/server.h"
#include "qtprint.h"
#include "testfiles.h"
#include "testservers.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

// Every byte value, and enough of them to need more than one write.
QByteArray binaryBody() {
  QByteArray b;
  for (int i = 0; i < 300'000; ++i) b.append(static_cast<char>((i * 7) % 256));
  return b;
}

// One site, served over HTTP (with a request log) and HTTPS, and a server that never answers,
// for the whole suite.
class DownloadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared = new Shared;
    writeBytes(shared->site.filePath(QStringLiteral("MERVALO/data.bin")), binaryBody());
    shared->http = LocalServer::files(shared->site.path(), log());
    shared->https = LocalServer::https(shared->site.path(), tls().certificate, tls().key);
    shared->hang = LocalServer::hanging();
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(tls().made && stranger().made) << tls().error.toStdString() << stranger().error.toStdString();
    for (const auto* server : {shared->http.get(), shared->https.get(), shared->hang.get()})
      ASSERT_TRUE(server->running()) << server->error().toStdString();
  }

  static const Certificate& tls() { return sharedCertificate(); }
  static const Certificate& stranger() { return sharedCertificate(QStringLiteral("stranger")); }
  static QString log() { return shared->logs.filePath(QStringLiteral("http.log")); }
  QString target() const { return local.filePath(QStringLiteral("out.bin")); }
  QString http(const QString& path) const { return shared->http->base() + path; }
  QString https(const QString& path) const { return shared->https->base() + path; }
  // What the folder holds besides the file that was there: a failure must leave nothing.
  QStringList leftovers() const { return QDir(local.path()).entryList(QDir::Files | QDir::Hidden); }

  struct Shared {
    QTemporaryDir site, logs;
    std::unique_ptr<LocalServer> http, https, hang;
  };
  static Shared* shared;
  QTemporaryDir local;
};

DownloadTest::Shared* DownloadTest::shared = nullptr;

}  // namespace

TEST_F(DownloadTest, FetchesTheFileByteForByteOverHttpAndHttps) {
  // Five redirects are still followed.
  EXPECT_EQ(downloadFile(http(QStringLiteral("/hop/5/MERVALO/data.bin")), target()), kDownloadOk);
  EXPECT_EQ(readBytes(target()), binaryBody());
  // An existing file is replaced whole; a file of exactly its cap, its size untold, arrives.
  writeBytes(target(), QByteArray(400'000, 'x'));
  DownloadOptions exact;
  exact.caBundle = tls().certificate;
  exact.maxBytes = binaryBody().size();
  EXPECT_EQ(downloadFile(https(QStringLiteral("/stream/MERVALO/data.bin")), target(), exact), kDownloadOk);
  EXPECT_EQ(readBytes(target()), binaryBody());
  EXPECT_EQ(leftovers(), QStringList{QStringLiteral("out.bin")});
}

TEST_F(DownloadTest, FailuresLeaveTheEarlierFileAsItWasAndNothingBeside) {
  DownloadOptions trusting, strangers, capped, quick;
  trusting.caBundle = tls().certificate;
  strangers.caBundle = stranger().certificate;
  capped.maxBytes = 64 * 1024;  // data.bin is larger
  quick.connectTimeoutMs = 500;
  quick.stallTimeoutMs = 1000;
  quick.transferTimeoutMs = 1500;
  const struct {
    const char* what;
    QString url;
    DownloadOptions options;
    qint32 status;  // 0: any failure
  } cases[] = {
      {"not found", http(QStringLiteral("/MERVALO/missing.txt")), {}, kDownloadHttpError + 404},
      {"an empty 204", http(QStringLiteral("/status/204/MERVALO/data.bin")), {}, kDownloadHttpError + 204},
      {"a 203 with the body", http(QStringLiteral("/status/203/MERVALO/data.bin")), {}, kDownloadHttpError + 203},
      {"over the cap, size announced", http(QStringLiteral("/MERVALO/data.bin")), capped, kDownloadTooLarge},
      {"over the cap, size untold", http(QStringLiteral("/stream/MERVALO/data.bin")), capped, kDownloadTooLarge},
      {"cut off mid-body", http(QStringLiteral("/drop/MERVALO/data.bin")), {}, 0},
      {"six redirects", http(QStringLiteral("/hop/6/MERVALO/data.bin")), {}, CURLE_TOO_MANY_REDIRECTS},
      {"certificate of nobody we trust", https(QStringLiteral("/MERVALO/data.bin")), strangers, 0},
      {"certificate without a bundle", https(QStringLiteral("/MERVALO/data.bin")), {}, 0},
      {"https redirected down to http",
       https(QStringLiteral("/to/%1/MERVALO/data.bin").arg(shared->http->port())), trusting, 0},
      {"server that never answers", shared->hang->base() + QStringLiteral("/MERVALO/data.bin"), quick, 0},
      {"nobody listening", QStringLiteral("http://127.0.0.1:1/x"), quick, CURLE_COULDNT_CONNECT},
      {"not a web address", QStringLiteral("file:///etc/hostname"), {}, kDownloadBadAddress},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeBytes(target(), "earlier file");
    QElapsedTimer clock;
    clock.start();
    const qint32 status = downloadFile(c.url, target(), c.options);
    if (c.status != 0)
      EXPECT_EQ(status, c.status);
    else
      EXPECT_NE(status, kDownloadOk);
    EXPECT_LT(clock.elapsed(), 10'000);
    EXPECT_EQ(readBytes(target()), QByteArray("earlier file"));
    EXPECT_EQ(leftovers(), QStringList{QStringLiteral("out.bin")});
  }
  // A destination that cannot be written fails before the server is asked.
  const int asked = requestedPaths(log()).size();
  EXPECT_EQ(downloadFile(http(QStringLiteral("/MERVALO/data.bin")), local.filePath(QStringLiteral("no/such/out.bin"))),
            kDownloadLocalFileError);
  EXPECT_EQ(requestedPaths(log()).size(), asked);
}

TEST_F(DownloadTest, BackgroundDownloadsReportOnTheMainThreadAndDeletingOneCancelsItWithoutWaiting) {
  std::optional<BackgroundDownload> job(std::in_place, http(QStringLiteral("/MERVALO/data.bin")), target(),
                                        DownloadOptions{});
  qint32 status = -100;
  QObject::connect(&*job, &BackgroundDownload::finished, [&status](qint32 s) {
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    status = s;
  });
  job->start();
  EXPECT_TRUE(job->running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return status != -100; }, 10'000));
  EXPECT_EQ(status, kDownloadOk);
  EXPECT_FALSE(job->running());
  EXPECT_EQ(readBytes(target()), binaryBody());

  ASSERT_TRUE(BackgroundDownload::waitForWorkers(10'000));
  QFile::remove(target());
  status = -100;
  const int accepted = shared->hang->acceptedConnections();
  job.emplace(shared->hang->base() + QStringLiteral("/x"), target(), DownloadOptions{});
  QObject::connect(&*job, &BackgroundDownload::finished, [&status](qint32 s) { status = s; });
  job->start();
  EXPECT_EQ(BackgroundDownload::activeWorkers(), 1);
  // Deleted while the transfer waits for an answer, not before it began.
  ASSERT_TRUE(QTest::qWaitFor([&] { return shared->hang->acceptedConnections() > accepted; }, 5'000));
  job.reset();
  // The worker notices within about a second (libcurl's idle progress interval).
  EXPECT_TRUE(BackgroundDownload::waitForWorkers(5'000));
  QCoreApplication::processEvents();
  EXPECT_EQ(status, -100) << "never reported";
  EXPECT_FALSE(QFile::exists(target()));
}
