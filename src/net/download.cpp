#include "download.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSaveFile>
#include <condition_variable>
#include <curl/curl.h>
#include <mutex>
#include <thread>

#include "app/textfile.h"

namespace mervalo {

namespace {

struct Transfer {
  QSaveFile* file = nullptr;
  const std::atomic<bool>* cancel = nullptr;
  qint64 maxBytes = 0;
  qint64 received = 0;
  bool writeFailed = false;
  bool tooLarge = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const qint64 n = static_cast<qint64>(size * count);
  t->received += n;
  // Counted as it arrives: a server that says nothing of the size, or lies about it, is still
  // stopped at the cap.
  if (t->maxBytes > 0 && t->received > t->maxBytes) {
    t->tooLarge = true;
    return 0;
  }
  if (t->file->write(data, n) != n) {
    t->writeFailed = true;
    return 0;  // tells libcurl to stop
  }
  return size * count;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* t = static_cast<Transfer*>(user);
  return t->cancel && t->cancel->load() ? 1 : 0;
}

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool startsWith(const QString& url, const char* scheme) { return url.startsWith(QLatin1String(scheme), Qt::CaseInsensitive); }

std::mutex workersMutex;
std::condition_variable workersDone;
int workers = 0;

}  // namespace

qint32 downloadFile(const QString& url, const QString& localPath, const DownloadOptions& options,
                    const std::atomic<bool>* cancel) {
  const bool https = startsWith(url, "https://");
  if (!https && !startsWith(url, "http://")) return kDownloadBadAddress;
  if (cancel && cancel->load()) return kDownloadCancelled;

  // Opened before anything goes over the wire: a destination that cannot be written is known
  // at once, and nothing the server sends can reach the real file before it is complete.
  QSaveFile file(localPath);
  if (!file.open(QIODevice::WriteOnly)) return kDownloadLocalFileError;

  initialiseCurlOnce();
  CURL* curl = curl_easy_init();
  if (!curl) return CURLE_FAILED_INIT;
  Transfer transfer{&file, cancel, options.maxBytes, 0, false, false};
  const QByteArray address = url.toUtf8();
  const QByteArray caBundle = options.caBundle.toLocal8Bit();
  curl_easy_setopt(curl, CURLOPT_URL, address.constData());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  // A redirect may never take an https address down to plain http.
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, https ? "https" : "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(options.transferTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, static_cast<long>((options.stallTimeoutMs + 999) / 1000));
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!caBundle.isEmpty()) curl_easy_setopt(curl, CURLOPT_CAINFO, caBundle.constData());
  // Signals cannot be used for timeouts on a worker thread.
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mervalo");
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &writeBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &progress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  // A size announced beyond the cap ends the transfer before the body.
  if (options.maxBytes > 0) curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBytes));

  const CURLcode rc = curl_easy_perform(curl);
  long httpStatus = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &httpStatus);
  curl_easy_cleanup(curl);

  qint32 status = kDownloadOk;
  if (rc == CURLE_ABORTED_BY_CALLBACK)
    status = kDownloadCancelled;
  else if (transfer.tooLarge || rc == CURLE_FILESIZE_EXCEEDED)
    status = kDownloadTooLarge;
  else if (transfer.writeFailed)
    status = kDownloadLocalFileError;
  else if (rc != CURLE_OK)
    status = static_cast<qint32>(rc);
  else if (httpStatus != 200)
    // An error page, an empty 204 or a redirect without a target is never taken for the file.
    status = kDownloadHttpError + static_cast<qint32>(httpStatus);
  if (status != kDownloadOk) {
    file.cancelWriting();
    return status;
  }
  return commitSaveFile(file) ? kDownloadOk : kDownloadLocalFileError;
}

BackgroundDownload::BackgroundDownload(const QString& url, const QString& localPath, const DownloadOptions& options,
                                       QObject* parent)
    : QObject(parent), url_(url), localPath_(localPath), options_(options), cancel_(std::make_shared<std::atomic<bool>>(false)) {}

BackgroundDownload::~BackgroundDownload() { cancel(); }

void BackgroundDownload::cancel() {
  cancel_->store(true);
  running_ = false;
}

void BackgroundDownload::start() {
  running_ = true;
  {
    const std::lock_guard<std::mutex> lock(workersMutex);
    ++workers;
  }
  QPointer<BackgroundDownload> self(this);
  std::thread([self, cancel = cancel_, url = url_, path = localPath_, options = options_] {
    const qint32 status = downloadFile(url, path, options, cancel.get());
    // The result is handed to the main thread, which alone may look at the object: it may
    // have been deleted while the transfer ran.
    if (QCoreApplication* app = QCoreApplication::instance())
      QMetaObject::invokeMethod(
          app,
          [self, cancel, status] {
            if (!self || cancel->load()) return;
            self->running_ = false;
            emit self->finished(status);
          },
          Qt::QueuedConnection);
    const std::lock_guard<std::mutex> lock(workersMutex);
    --workers;
    workersDone.notify_all();
  }).detach();
}

int BackgroundDownload::activeWorkers() {
  const std::lock_guard<std::mutex> lock(workersMutex);
  return workers;
}

bool BackgroundDownload::waitForWorkers(int timeoutMs) {
  std::unique_lock<std::mutex> lock(workersMutex);
  return workersDone.wait_for(lock, std::chrono::milliseconds(timeoutMs), [] { return workers == 0; });
}

}  // namespace mervalo
