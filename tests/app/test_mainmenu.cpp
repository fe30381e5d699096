#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/screens/frmmervalo01.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

using MainMenuTest = ScreenTest;

TEST_F(MainMenuTest, FirstStartCreatesTheDataFolders) {
  auto* menu = new FrmMervalo01(ctx);
  menu->showAndActivate();
  for (const char* f : {"/namen", "/groepen", "/schema/10", "/schema/11", "/invoer"})
    EXPECT_TRUE(QFileInfo(path(QString::fromLatin1(f))).isDir()) << f;
  EXPECT_EQ(menu->windowTitle().left(7), QStringLiteral("Mervalo"));
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_TRUE(quitCalled);
}
