#include "hands/screens/handrecordimport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include "app/screens/screen.h"
#include "event/eventmodel.h"
#include "hands/handrecordfile.h"

namespace mervalo {

namespace {

OpenFileDialog& dialogOverride() {
  static OpenFileDialog dialog;
  return dialog;
}

QString chooseFile(QWidget* owner, const QString& title, const QString& filter) {
  if (dialogOverride()) return dialogOverride()(owner, title, filter);
  return QFileDialog::getOpenFileName(owner, title, QString(), filter);
}

}  // namespace

void setOpenFileDialog(OpenFileDialog dialog) { dialogOverride() = std::move(dialog); }

void importHandRecord(Screen& screen, const QString& eventFileName) {
  const ProgramValues& v = screen.values();
  const QString source = chooseFile(&screen, screen.text(215), screen.text(217));
  if (source.isEmpty()) return;
  const QString shown = QDir::toNativeSeparators(source);
  auto refuse = [&](const QString& why) { screen.inform(screen.message(218).replace(QLatin1Char('~'), shown).replace(QLatin1Char('#'), why)); };

  const QString eventPath = v.file(DataFolder::Events, eventFileName);
  EventFileError eventError;
  const auto event = EventModel::load(eventPath, v.language, &eventError);
  if (!event) {
    screen.inform(screen.message(179).replace(QLatin1Char('~'), QDir::toNativeSeparators(eventPath)).replace(QLatin1Char('#'), eventError.what));
    return;
  }
  QFile file(source);
  if (!file.open(QIODevice::ReadOnly)) {
    screen.inform(screen.message(179).replace(QLatin1Char('~'), shown).replace(QLatin1Char('#'), file.errorString()));
    return;
  }
  PbnError error;
  const auto import = prepareImport(file.readAll(), event->header().boards(), &error);
  if (!import) {
    const int number = error.board > 0 ? error.board : error.line;
    refuse(screen.message(pbnFaultTextNumber(error.fault)).replace(QLatin1Char('~'), QString::number(number)));
    return;
  }

  const QString target = handRecordPath(v.programFolder, eventFileName);
  if (QFileInfo::exists(target) && !screen.askYesNo(screen.message(229).replace(QLatin1Char('~'), shown))) return;
  if (!writeHandRecord(target, import->record)) {
    screen.inform(screen.message(182).replace(QLatin1Char('~'), QDir::toNativeSeparators(target)));
    return;
  }
  startHandRecordAnalysis(target);
  QString done = screen.message(216).replace(QLatin1Char('~'), QString::number(import->record.boards.size()));
  if (import->leftOut > 0)
    done += QStringLiteral("\n\n") + screen.message(228).replace(QLatin1Char('~'), QString::number(event->header().boards()));
  screen.inform(done);
}

}  // namespace mervalo
