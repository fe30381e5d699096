#include <QApplication>
#include <QDir>

#include "app/screens/appcontext.h"
#include "app/screens/mainmenu.h"

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
  return rc;
}
