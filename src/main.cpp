#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <cstdio>

#include "app/programfolder.h"
#include "app/screens/appcontext.h"
#include "app/screens/mainmenu.h"
#include "net/download.h"
#include "version.h"

namespace {

// The folder the program works in, from the command line or by where it is installed.
mervalo::ProgramFolder programFolder(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Mervalo runs a duplicate pairs event of a bridge club."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(QCommandLineOption(QStringLiteral("folder"),
                                      QStringLiteral("Keep the name lists, events, pages and settings in <folder>."),
                                      QStringLiteral("folder")));
  parser.process(app);
  return mervalo::chooseProgramFolder({QCoreApplication::applicationDirPath(),
                                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                                       parser.value(QStringLiteral("folder"))});
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Mervalo"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(mervalo::kVersionText));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Mervalo"));
  QIcon icon;
  for (const char* size : {"48", "256"}) icon.addFile(QStringLiteral(":/icons/mervalo-%1.png").arg(QLatin1String(size)));
  QApplication::setWindowIcon(icon);

  const mervalo::ProgramFolder folder = programFolder(app);
  for (const QString& file : folder.failed)
    std::fprintf(stderr, "mervalo: could not copy %s into %s\n", qPrintable(file), qPrintable(folder.folder));

  // Said on the terminal for whoever starts the program from one and looks for its files.
  std::fprintf(stderr, "mervalo: program folder %s\n", qPrintable(QDir::toNativeSeparators(folder.folder)));

  mervalo::AppContext ctx;
  mervalo::MessageBoxPrompter prompter(&ctx.values);
  ctx.prompter = &prompter;
  ctx.values.programFolder = folder.folder;
  ctx.quit = [] { QCoreApplication::exit(0); };
  mervalo::registerAllScreens(ctx);
  if (!mervalo::runsInPlace(QCoreApplication::applicationDirPath())) {
    // An installed program is updated by the system's package manager; an updater started
    // from here could not write where the program lies.
    ctx.updateCheck = {};
    ctx.updateDownload = {};
  }
  auto* menu = new mervalo::MainMenu(ctx);
  menu->centreOnScreen();
  menu->showAndActivate();
  const int rc = QApplication::exec();
  delete menu;
  // A download cancelled by a closing screen ends within moments; let it, so that no worker
  // is cut off while it writes its temporary file.
  mervalo::BackgroundDownload::waitForWorkers(3000);
  return rc;
}
