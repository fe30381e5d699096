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

// One site, served over HTTP and HTTPS, and a server that never answers, for the whole suite.
class DownloadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared = new Shared;
    writeBytes(shared->site.filePath(QStringLiteral("MERVALO/data.bin")), binaryBody());
    writeBytes(shared->site.filePath(QStringLiteral("MERVALO/Schema/08 Paren 03 Ronden Howell.txt")), "Ronde 1\r\n");
    QString error;
    ASSERT_TRUE(makeCertificate(shared->certs.path(), QStringLiteral("server"), &shared->cert, &shared->key, &error))
        << error.toStdString();
    ASSERT_TRUE(makeCertificate(shared->certs.path(), QStringLiteral("stranger"), &shared->strangerCert,
                                &shared->strangerKey, &error))
        << error.toStdString();
    shared->http = LocalServer::files(shared->site.path(), shared->certs.filePath(QStringLiteral("http.log")));
    shared->https = LocalServer::https(shared->site.path(), shared->cert, shared->key);
    shared->hang = LocalServer::hanging();
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(shared->http->running()) << shared->http->error().toStdString();
    ASSERT_TRUE(shared->https->running()) << shared->https->error().toStdString();
    ASSERT_TRUE(shared->hang->running()) << shared->hang->error().toStdString();
  }

  QString target(const QString& name = QStringLiteral("out.bin")) const { return local.filePath(name); }
  QString http(const QString& path) const { return shared->http->base() + path; }
  QString https(const QString& path) const { return shared->https->base() + path; }
  DownloadOptions trusting() const {
    DownloadOptions o;
    o.caBundle = shared->cert;
    return o;
  }
  // What the folder holds besides the file that was there: a failure must leave nothing.
  QStringList leftovers() const { return QDir(local.path()).entryList(QDir::Files | QDir::Hidden); }

  struct Shared {
    QTemporaryDir site, certs;
    QString cert, key, strangerCert, strangerKey;
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
  DownloadOptions exact = trusting();
  exact.maxBytes = binaryBody().size();
  EXPECT_EQ(downloadFile(https(QStringLiteral("/stream/MERVALO/data.bin")), target(), exact), kDownloadOk);
  EXPECT_EQ(readBytes(target()), binaryBody());
  EXPECT_EQ(leftovers(), QStringList{QStringLiteral("out.bin")});
}

TEST_F(DownloadTest, FailuresLeaveTheEarlierFileAsItWasAndNothingBeside) {
  DownloadOptions stranger;
  stranger.caBundle = shared->strangerCert;
  DownloadOptions capped;
  capped.maxBytes = 64 * 1024;  // data.bin is larger
  DownloadOptions quick;
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
      {"certificate of nobody we trust", https(QStringLiteral("/MERVALO/data.bin")), stranger, 0},
      {"certificate without a bundle", https(QStringLiteral("/MERVALO/data.bin")), {}, 0},
      {"https redirected down to http",
       https(QStringLiteral("/to/%1/MERVALO/data.bin").arg(shared->http->port())), trusting(), 0},
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
}

TEST_F(DownloadTest, ADestinationThatCannotBeWrittenFailsBeforeAskingTheServer) {
  const int before = requestedPaths(shared->certs.filePath(QStringLiteral("http.log"))).size();
  EXPECT_EQ(downloadFile(http(QStringLiteral("/MERVALO/data.bin")), local.filePath(QStringLiteral("no/such/out.bin"))),
            kDownloadLocalFileError);
  EXPECT_EQ(requestedPaths(shared->certs.filePath(QStringLiteral("http.log"))).size(), before);
}

TEST_F(DownloadTest, BackgroundDownloadReportsOnTheMainThread) {
  BackgroundDownload job(http(QStringLiteral("/MERVALO/data.bin")), target(), {});
  qint32 status = -100;
  QObject::connect(&job, &BackgroundDownload::finished, [&status](qint32 s) {
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    status = s;
  });
  job.start();
  EXPECT_TRUE(job.running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return status != -100; }, 10'000));
  EXPECT_EQ(status, kDownloadOk);
  EXPECT_FALSE(job.running());
  EXPECT_EQ(readBytes(target()), binaryBody());
}

TEST_F(DownloadTest, DeletingABackgroundDownloadCancelsItWithoutWaiting) {
  ASSERT_TRUE(BackgroundDownload::waitForWorkers(10'000));
  bool reported = false;
  const int accepted = shared->hang->acceptedConnections();
  {
    BackgroundDownload job(shared->hang->base() + QStringLiteral("/x"), target(), {});
    QObject::connect(&job, &BackgroundDownload::finished, [&reported](qint32) { reported = true; });
    job.start();
    EXPECT_EQ(BackgroundDownload::activeWorkers(), 1);
    // Deleted while the transfer waits for an answer, not before it began.
    ASSERT_TRUE(QTest::qWaitFor([&] { return shared->hang->acceptedConnections() > accepted; }, 5'000));
  }
  // The worker notices within about a second (libcurl's idle progress interval).
  EXPECT_TRUE(BackgroundDownload::waitForWorkers(5'000));
  QCoreApplication::processEvents();
  EXPECT_FALSE(reported);
  EXPECT_FALSE(QFile::exists(target()));
}
