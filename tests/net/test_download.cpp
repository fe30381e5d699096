// Downloads against web servers on loopback: HTTP (with a request log), HTTPS and a server that
// never answers.

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <curl/curl.h>
#include <gtest/gtest.h>

#include "net/download.h"
#include "qtprint.h"
#include "testfiles.h"
#include "testservers.h"

using namespace mervalo;
using namespace mervalo::test;

// A file that arrives replaces the earlier one whole; a failure leaves it as it was, and nothing
// is left beside it either way.
TEST(Download, FetchesByteForByteOrLeavesTheEarlierFileAsItWas) {
  QTemporaryDir site, local;
  // Every byte value, and enough of them to need more than one write.
  QByteArray body;
  for (int i = 0; i < 300'000; ++i) body.append(static_cast<char>((i * 7) % 256));
  writeBytes(site.filePath(QStringLiteral("MERVALO/data.bin")), body);
  const QString log = site.filePath(QStringLiteral("http.log"));
  const Certificate& tls = sharedCertificate();
  const Certificate& stranger = sharedCertificate(QStringLiteral("stranger"));
  ASSERT_TRUE(tls.made && stranger.made) << tls.error.toStdString() << stranger.error.toStdString();
  const auto http = LocalServer::files(site.path(), log);
  const auto https = LocalServer::https(site.path(), tls.certificate, tls.key);
  const auto hang = LocalServer::hanging();
  for (const LocalServer* server : {http.get(), https.get(), hang.get()})
    ASSERT_TRUE(server->running()) << server->error().toStdString();

  DownloadOptions trusting, strangers, capped, quick;
  trusting.caBundle = tls.certificate;
  DownloadOptions exact = trusting;
  exact.maxBytes = body.size();
  strangers.caBundle = stranger.certificate;
  capped.maxBytes = 64 * 1024;  // data.bin is larger
  quick.connectTimeoutMs = 500;
  quick.stallTimeoutMs = 1000;
  quick.transferTimeoutMs = 1500;
  const QString file = QStringLiteral("/MERVALO/data.bin");
  const qint32 failed = -1;  // any failure
  const struct {
    const char* what;
    QString url;
    DownloadOptions options;
    qint32 status;
  } cases[] = {
      {"five redirects", http->base() + "/hop/5" + file, {}, kDownloadOk},
      {"exactly the cap, size untold", https->base() + "/stream" + file, exact, kDownloadOk},
      {"an empty 204", http->base() + "/status/204" + file, {}, kDownloadHttpError + 204},
      {"over the cap, size announced", http->base() + file, capped, kDownloadTooLarge},
      {"over the cap, size untold", http->base() + "/stream" + file, capped, kDownloadTooLarge},
      {"cut off mid-body", http->base() + "/drop" + file, {}, failed},
      {"six redirects", http->base() + "/hop/6" + file, {}, CURLE_TOO_MANY_REDIRECTS},
      {"certificate of nobody we trust", https->base() + file, strangers, failed},
      {"https redirected down to http", https->base() + "/to/" + QString::number(http->port()) + file, trusting,
       failed},
      {"server that never answers", hang->base() + file, quick, failed},
      {"nobody listening", QStringLiteral("http://127.0.0.1:1/x"), quick, CURLE_COULDNT_CONNECT},
      {"not a web address", QStringLiteral("file:///etc/hostname"), {}, kDownloadBadAddress},
  };
  const QString target = local.filePath(QStringLiteral("out.bin"));
  const QByteArray earlier(400'000, 'e');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeBytes(target, earlier);
    QElapsedTimer clock;
    clock.start();
    const qint32 status = downloadFile(c.url, target, c.options);
    if (c.status != failed)
      EXPECT_EQ(status, c.status);
    else
      EXPECT_NE(status, kDownloadOk);
    EXPECT_LT(clock.elapsed(), 10'000);
    EXPECT_EQ(readBytes(target), c.status == kDownloadOk ? body : earlier);
    EXPECT_EQ(QDir(local.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.bin")});
  }
  // A destination that cannot be written fails before the server is asked.
  const int asked = requestedPaths(log).size();
  EXPECT_EQ(downloadFile(http->base() + file, local.filePath(QStringLiteral("no/such/out.bin"))),
            kDownloadLocalFileError);
  EXPECT_EQ(requestedPaths(log).size(), asked);
}
