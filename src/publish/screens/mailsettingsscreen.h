#pragma once

#include "app/screens/screen.h"
#include "publish/screens/mailaddressbox.h"

namespace mervalo {

// The user's own mail address, the name his mails are signed with and which of the two
// providers sends them.
class MailSettingsScreen : public Screen {
  Q_OBJECT
 public:
  MailSettingsScreen(AppContext& ctx, Screen* opener);

  void formActivate() override;

  MailAddressBox* mail = nullptr;  // lblWaarvoor, txtEMailAdres, lblProvider, optProvider_0 and _1
  QLineEdit* txtNaam = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdTerug = nullptr;
  QPushButton* cmdDownload = nullptr;

 private:
  void formLoad();
  void updateOk();
  void txtEMailAdres_Change();
  void txtNaam_Change();
  void cmdOK_Click();
  void cmdDownload_Click();

  int provider_ = 0;
};

}  // namespace mervalo
