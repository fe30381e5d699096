#pragma once

#include <QObject>
#include <QPointer>

namespace mervalo {

class BackgroundDownload;
class Screen;

// The main menu's update check and update download. One lives beside the menu (as its child)
// for the whole run. Both fetch in the background, so the menu never waits for the server:
// the check's question comes when the notice has arrived, and only while the menu is the
// active screen; the download ends the program when the updater has been started.
class UpdateService : public QObject {
  Q_OBJECT
 public:
  // The service of this menu, made on first use.
  static UpdateService& of(Screen& menu);

  // Fetches the update notice and, when it is newer than the last update, asks once per run
  // whether to update. A check still waiting for the server is not started again.
  void check();
  // Fetches the updater and its signature over HTTPS and starts the updater when a trusted key
  // signed it; text 115 when the updater cannot be fetched, text 208 when it is not signed.
  void download();

  bool checking() const { return notice_ != nullptr; }
  bool downloading() const { return updater_ != nullptr; }
  // How many notice fetches have ended (tests wait for it).
  int checksDone() const { return checksDone_; }

 private:
  explicit UpdateService(Screen& menu);
  void noticeArrived(qint32 status);
  void updaterArrived(qint32 status);
  void signatureArrived(qint32 status);
  void downloadFailed(int text);

  Screen& menu_;
  QPointer<BackgroundDownload> notice_;
  QPointer<BackgroundDownload> updater_;  // the updater, then its signature
  int checksDone_ = 0;
};

}  // namespace mervalo
