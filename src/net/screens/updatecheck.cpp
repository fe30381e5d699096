#include "updatecheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "app/fileops.h"
#include "app/screens/screen.h"
#include "app/textfile.h"
#include "net/download.h"
#include "net/server.h"
#include "net/signature.h"
#include "net/update.h"

namespace mervalo {

namespace {

QString firstLine(const QString& path) {
  if (fileState(path) != FileState::Filled) return {};
  const auto lines = readTextLines(path);
  return lines && !lines->isEmpty() ? lines->first().trimmed() : QString();
}

// A fixed Dutch question, whatever the language.
const QString kQuestion =
    QStringLiteral("Er is een nieuwe versie van Mervalo.\nWilt u de nieuwe versie downloaden en installeren?");

}  // namespace

UpdateService::UpdateService(Screen& menu) : QObject(&menu), menu_(menu) {
  setObjectName(QStringLiteral("updateService"));
}

UpdateService& UpdateService::of(Screen& menu) {
  if (auto* s = menu.findChild<UpdateService*>(QStringLiteral("updateService"), Qt::FindDirectChildrenOnly)) return *s;
  return *new UpdateService(menu);
}

void UpdateService::check() {
  if (notice_) return;
  ProgramValues& v = menu_.values();
  const QString noticeFile = v.path(QString::fromLatin1(kUpdateNoticeFile));
  // An old notice must never be read as the new one.
  if (fileState(noticeFile) == FileState::Filled) QFile::remove(noticeFile);
  const DownloadServer server = DownloadServer::fromSettings(v.settingsFilePath, v.programFolder);
  notice_ = new BackgroundDownload(server.httpsUrl(QString::fromLatin1(kUpdateNoticePath)), noticeFile,
                                   server.options(kSmallFileCap), this);
  connect(notice_, &BackgroundDownload::finished, this, &UpdateService::noticeArrived);
  notice_->start();
}

void UpdateService::noticeArrived(qint32) {
  notice_->deleteLater();
  notice_ = nullptr;
  ++checksDone_;
  ProgramValues& v = menu_.values();
  const QString notice = firstLine(v.path(QString::fromLatin1(kUpdateNoticeFile)));
  const QString last = firstLine(v.path(QString::fromLatin1(kLastUpdateFile)));
  if (notice.isEmpty() || last.isEmpty() || !noticeIsNewer(notice, last)) return;
  // Asked only over the menu itself: a screen opened from it is not interrupted, and the
  // next return to the menu fetches the notice again.
  if (!v.updateAsked && menu_.isVisible() && menu_.isEnabled() && !updater_) {
    v.updateAsked = true;
    if (menu_.askYesNo(kQuestion)) download();
  }
  menu_.parkFocus();
}

void UpdateService::download() {
  if (updater_) return;
  ProgramValues& v = menu_.values();
  menu_.setCursor(Qt::BusyCursor);
  menu_.setEnabled(false);
  makeFolder(v.path(QString::fromLatin1(kUpdateFolder)));
  // The last update's updater is executable, and a file written over it keeps its permissions:
  // the new one must not be startable before its signature has been checked.
  QFile::remove(v.path(QString::fromLatin1(kUpdaterFile)));
  QFile::remove(v.path(QString::fromLatin1(kUpdaterSignatureFile)));
  const DownloadServer server = DownloadServer::fromSettings(v.settingsFilePath, v.programFolder);
  // A program fetched over plain http and then run would let anyone on the way replace it.
  updater_ = new BackgroundDownload(server.httpsUrl(QString::fromLatin1(kUpdaterPath)), v.path(QString::fromLatin1(kUpdaterFile)),
                                    server.options(kUpdaterCap), this);
  connect(updater_, &BackgroundDownload::finished, this, &UpdateService::updaterArrived);
  updater_->start();
}

void UpdateService::downloadFailed(int text) {
  // Nothing that was not proven to be the maker's stays where it could be started.
  const ProgramValues& v = menu_.values();
  QFile::remove(v.path(QString::fromLatin1(kUpdaterFile)));
  QFile::remove(v.path(QString::fromLatin1(kUpdaterSignatureFile)));
  menu_.unsetCursor();
  menu_.inform(menu_.message(text));
  menu_.setEnabled(true);
  menu_.parkFocus();
}

void UpdateService::updaterArrived(qint32 status) {
  updater_->deleteLater();
  updater_ = nullptr;
  if (status != kDownloadOk) {
    downloadFailed(115);
    return;
  }
  const ProgramValues& v = menu_.values();
  const DownloadServer server = DownloadServer::fromSettings(v.settingsFilePath, v.programFolder);
  updater_ = new BackgroundDownload(server.httpsUrl(QString::fromLatin1(kUpdaterSignaturePath)),
                                    v.path(QString::fromLatin1(kUpdaterSignatureFile)), server.options(kSmallFileCap), this);
  connect(updater_, &BackgroundDownload::finished, this, &UpdateService::signatureArrived);
  updater_->start();
}

void UpdateService::signatureArrived(qint32 status) {
  updater_->deleteLater();
  updater_ = nullptr;
  ProgramValues& v = menu_.values();
  const QString updater = v.path(QString::fromLatin1(kUpdaterFile));
  QFile program(updater);
  QFile signature(v.path(QString::fromLatin1(kUpdaterSignatureFile)));
  // A missing signature counts as a wrong one: either way nobody vouches for the file.
  const bool signedByMaker = status == kDownloadOk && program.open(QIODevice::ReadOnly) &&
                             signature.open(QIODevice::ReadOnly) &&
                             isSignedBy(program.readAll(), signature.readAll(),
                                        trustedUpdateKeys(v.settingsFilePath, v.programFolder));
  program.close();
  signature.close();
  if (!signedByMaker) {
    downloadFailed(208);
    return;
  }
  menu_.setEnabled(true);
  menu_.unsetCursor();
  menu_.inform(menu_.message(117));
  QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner | QFileDevice::ExeUser |
                                     QFileDevice::ExeGroup | QFileDevice::ExeOther);
  if (!QProcess::startDetached(updater, {updaterArgument(v.programFolder)}, QDir::rootPath())) {
    // The last update is recorded only for an updater that really runs.
    downloadFailed(115);
    return;
  }
  writeTextLines(v.path(QString::fromLatin1(kLastUpdateFile)), {formatUpdateDate(menu_.ctx().today(), v.text(63))});
  if (menu_.ctx().quit) menu_.ctx().quit();
}

}  // namespace mervalo
