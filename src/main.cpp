#include <QApplication>
#include <QDir>

#include "app/screens/appcontext.h"
#include "app/screens/mainmenu.h"
#include "net/download.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  mervalo::AppContext ctx;
  mervalo::MessageBoxPrompter prompter(&ctx.values);
  ctx.prompter = &prompter;
  ctx.values.programFolder = QDir::cleanPath(QCoreApplication::applicationDirPath());
  ctx.quit = [] { QCoreApplication::exit(0); };
  mervalo::registerAllScreens(ctx);
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
