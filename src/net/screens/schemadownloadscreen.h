#pragma once

#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "app/screens/screen.h"
#include "net/schemalist.h"
#include "net/server.h"

class QProgressBar;

namespace mervalo {

class BackgroundDownload;

// "Download speelschema's": fetches the list of movements on the download server, shows them
// by number of pairs and downloads the chosen ones into schema/10. Every transfer runs in the
// background: the screen keeps answering, shows which movement is on its way, and closing it
// cancels whatever is still in flight.
class SchemaDownloadScreen : public Screen {
  Q_OBJECT
 public:
  SchemaDownloadScreen(AppContext& ctx, Screen* opener);
  ~SchemaDownloadScreen() override;

  void formActivate() override;

  // The list as read from the server (empty until it arrived, and after a failure).
  const SchemaList& schemaList() const { return list_; }
  // True while the list or a movement is being fetched.
  bool busy() const;

  void vscrSchema_Change(int value);
  void lstOpInternet_Click();
  void chkSelecteer_Click();
  void cmdDownLoad_Click();
  void cmdTerug_Click();

  QLabel* lblInfo[2] = {nullptr, nullptr};
  QLineEdit* txtSchema = nullptr;
  QScrollBar* vscrSchema = nullptr;
  QGroupBox* fraSchema = nullptr;
  QListWidget* lstOpInternet = nullptr;
  QPushButton* chkSelecteer = nullptr;
  QPushButton* cmdDownLoad = nullptr;
  QPushButton* cmdTerug = nullptr;
  QPushButton* cmdFocus = nullptr;
  // Which movement is on its way, and how many of the selected ones are done.
  QLabel* lblDownload = nullptr;
  QProgressBar* prgDownload = nullptr;

 protected:

 private:
  void buildControls();
  void formLoad();
  void listArrived(qint32 status);
  void showGroups();
  void nextSchema();
  void schemaArrived(int row, qint32 status);
  void finishDownloads();
  void setListControlsEnabled(bool enabled);

  DownloadServer server_;
  SchemaList list_;
  QStringList keys_;  // lstSchemaOpInternet: the two-digit keys, largest first
  QPointer<BackgroundDownload> job_;
  std::unique_ptr<QTemporaryDir> staging_;
  QList<int> queue_;  // rows still to fetch
  int fetched_ = 0;
  bool downloading_ = false;
  bool settingScrollBar_ = false;
};

}  // namespace mervalo
