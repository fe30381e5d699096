#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

namespace mervalo {

// Limits of one download. The defaults suit the maker's server; tests shorten them.
struct DownloadOptions {
  QString caBundle;                 // certificate file trusted for HTTPS; empty: the system's
  int connectTimeoutMs = 10'000;
  int transferTimeoutMs = 300'000;  // the whole transfer, connecting included
  int stallTimeoutMs = 30'000;      // no byte received for this long ends the transfer
  qint64 maxBytes = 0;              // a body larger than this fails while it arrives; 0: no cap
};

// Statuses besides 0. A libcurl failure is its own error number (1 to 999); an HTTP answer
// other than 200 is 1000 + the HTTP status.
enum DownloadStatus : qint32 {
  kDownloadOk = 0,
  kDownloadLocalFileError = -1,  // the destination cannot be written or replaced
  kDownloadCancelled = -2,
  kDownloadBadAddress = -3,      // not an http or https address
  kDownloadTooLarge = -4,        // the body passed DownloadOptions::maxBytes
  kDownloadHttpError = 1000,
};

// Fetches url into localPath: 0 when the server answered 200 and the whole file was received
// and is now at localPath, anything else for failure. Only http and https are followed (at most 5 redirects, never from
// https down to http); certificates are always verified. The file arrives in a temporary file
// beside the destination and replaces it only when complete, so a failure leaves the earlier
// file as it was. Blocks; cancel, when given, is polled and ends the transfer soon after it is set.
qint32 downloadFile(const QString& url, const QString& localPath, const DownloadOptions& options = {},
                    const std::atomic<bool>* cancel = nullptr);

// A download on a worker thread, so that the screen that starts it keeps handling events.
// finished() arrives on the thread that created the object (queued), once, unless the object
// was deleted or cancelled first. Deleting the object cancels the transfer without waiting for
// it: the worker ends by itself soon after and its result is dropped.
class BackgroundDownload : public QObject {
  Q_OBJECT
 public:
  BackgroundDownload(const QString& url, const QString& localPath, const DownloadOptions& options,
                     QObject* parent = nullptr);
  ~BackgroundDownload() override;

  // Starts the transfer; call once.
  void start();
  void cancel();
  bool running() const { return running_; }
  QString url() const { return url_; }
  QString localPath() const { return localPath_; }

  // Workers still busy in this process (cancelled ones included), for orderly shutdown.
  static int activeWorkers();
  // Waits up to timeoutMs for every worker to end; true when none is left.
  static bool waitForWorkers(int timeoutMs);

 signals:
  void finished(qint32 status);

 private:
  QString url_;
  QString localPath_;
  DownloadOptions options_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  bool running_ = false;
};

}  // namespace mervalo
