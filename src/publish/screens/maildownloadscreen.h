#pragma once

#include <QTemporaryDir>
#include <memory>

#include "app/screens/screen.h"
#include "publish/screens/mailaddressbox.h"

namespace mervalo {

class BackgroundDownload;
class MailRun;

// Fetches a fresh provider list from the download server, loads it, and sends a test mail
// with either provider.
class MailDownloadScreen : public Screen {
  Q_OBJECT
 public:
  MailDownloadScreen(AppContext& ctx, Screen* opener);

  void formActivate() override;
  bool busy() const { return download_ || run_; }

  QLabel* lblInfo = nullptr;
  QPushButton* cmdDownLoad = nullptr;
  QGroupBox* fraMailadres = nullptr;
  MailAddressBox* mail = nullptr;  // lblAdres, txtEMailAdres, lblProvider, optProvider_0 and _1
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdTerug = nullptr;
  QFrame* picVerStuurDeMail = nullptr;
  QFrame* picVoorVerstuurDeMail = nullptr;

 protected:
  bool formQueryUnload() override;

 private:
  void formLoad();
  void optProvider_Click(int index);
  void txtEMailAdres_Change();
  void cmdDownLoad_Click();
  void downloadFinished(qint32 status);
  void cmdOK_Click();
  void testMailFinished(int failed, qint32 number);

  bool downloaded_ = false;
  int loadedProvider_ = 0;
  BackgroundDownload* download_ = nullptr;
  std::unique_ptr<QTemporaryDir> staging_;  // where a list waits until it has been read
  MailRun* run_ = nullptr;
};

}  // namespace mervalo
