#include "screentest.h"

#include <QDir>
#include <QFile>

#include "app/textfile.h"
#include "publish/screens/mailproviders.h"

namespace mervalo::test {

ScreenTest::ScreenTest() {
  ctx.prompter = &prompter;
  ctx.values.programFolder = QDir::cleanPath(dir_.path());
  ctx.values.settingsFilePath = ctx.values.programFolder + QStringLiteral("/standaard.ini");
  ctx.quit = [this] { quitCalled = true; };
  ctx.loadMailProviders = [](Screen& menu) { loadMailProviders(menu); };
  writeFile(QStringLiteral("/taal.txt"), {QStringLiteral("10")});
}

ScreenTest::~ScreenTest() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    delete w;
  }
}

void ScreenTest::writeFile(const QString& relative, const QStringList& lines) {
  const QString p = path(relative);
  QDir().mkpath(QFileInfo(p).absolutePath());
  ASSERT_TRUE(writeTextLines(p, lines)) << p.toStdString();
}

void ScreenTest::writeRaw(const QString& relative, const QByteArray& bytes) {
  const QString p = path(relative);
  QDir().mkpath(QFileInfo(p).absolutePath());
  QFile f(p);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray ScreenTest::readRaw(const QString& relative) const {
  QFile f(path(relative));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QStringList ScreenTest::readLines(const QString& relative) const {
  return readTextLines(path(relative)).value_or(QStringList{});
}

void ScreenTest::setLanguage(int language) {
  ctx.values.language = language;
  writeFile(QStringLiteral("/taal.txt"), {QString::number(language)});
}

QWidget* topLevel(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

}  // namespace mervalo::test
