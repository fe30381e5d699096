#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include "app/screens/mainmenu.h"
#include "publish/providerlist.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

// Two providers whose nine fields are "a0".."a8" and "b0".."b8".
QByteArray providerFile() {
  std::array<QStringList, kProviderSlots> fields;
  for (int i = 0; i < 9; ++i) fields[0] << QStringLiteral("a%1").arg(i), fields[1] << QStringLiteral("b%1").arg(i);
  return makeProviderList(fields, {31, 250});
}

class MainMenuTest : public ScreenTest {
 protected:
  MainMenuTest() {
    ctx.connectionTest = [this] {
      ++connectionTests;
      return connected;
    };
  }

  // The menu as main() starts it; the provider list is present unless a test says otherwise.
  MainMenu* start(bool withProviderList = true) {
    if (withProviderList && !exists("/MAIL.TXT")) writeRaw("/MAIL.TXT", providerFile());
    ctx.updateCheck = [this](Screen&) { ++updateChecks; };
    delete menu;
    menu = new MainMenu(ctx);
    menu->showAndActivate();
    return menu;
  }
  template <class T = QPushButton>
  T* find(const char* name) {
    return child<T>(menu, name);
  }

  MainMenu* menu = nullptr;
  bool connected = false;
  int connectionTests = 0;
  int updateChecks = 0;
};

}  // namespace

TEST_F(MainMenuTest, FirstStartOfflineInAnEmptyFolderMakesFoldersShowsDutchAndReportsTheMissingList) {
  QFile::remove(path("/taal.txt"));
  int downloads = 0;
  ctx.updateDownload = [&downloads](Screen&) { ++downloads; };
  start(false);
  for (const char* f : {"/namen", "/groepen", "/schema/10", "/schema/11", "/invoer"})
    EXPECT_TRUE(QFileInfo(path(f)).isDir()) << f;

  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(ctx.values.mailUnavailable);

  // Without a connection the update check never runs, not even on a later activation; the
  // download button stays for the organiser to try.
  menu->formActivate();
  EXPECT_EQ(updateChecks, 0);
  ASSERT_TRUE(find("cmdDownload")->isEnabled());
  find("cmdDownload")->click();
  EXPECT_EQ(downloads, 1);
}

TEST_F(MainMenuTest, UnwritableProgramFolderStillStarts) {
  QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  EXPECT_TRUE(start(false)->isVisible());
  EXPECT_EQ(prompter.count(), 1);
  QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(MainMenuTest, LanguageFileChoosesTheCaptions) {
  const struct {
    QByteArray content;
    int language;
  } cases[] = {{"11\r\n", kEnglish},   {"", kDutch},          {"10.51\r\n", kEnglish},
               {"11.0001", kDutch}, {"\r\n11\r\n", kDutch}, {QByteArray("\0\xff", 2), kDutch}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content.toStdString());
    const bool english = c.language == kEnglish;
    writeRaw("/taal.txt", c.content);
    start();
    EXPECT_EQ(ctx.values.language, c.language);
    // Qt's own dialogs and buttons follow.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), english ? "Cancel" : "Annuleren");
  }
  EXPECT_EQ(prompter.count(), 0);
}

TEST_F(MainMenuTest, EscTheCloseButtonAndClosingEndTheProgram) {
  start();
  for (const char* name : {"cmdSetFocus", "cmdAfsluiten", "cmdNamenInvoeren", "cmdDownload", ""}) {
    quitCalled = false;
    QWidget* control = *name ? find<QWidget>(name) : menu;
    control->setEnabled(true);
    QTest::keyClick(control, Qt::Key_Escape);
    EXPECT_TRUE(quitCalled) << name;
  }
  quitCalled = false;
  menu->close();
  EXPECT_TRUE(quitCalled);
}

TEST_F(MainMenuTest, OpeningAScreenDisablesTheMenuAndReturningRunsTheActivationAgain) {
  registerAllScreens(ctx);
  // A plain screen stands in for the download, which would go out to the network.
  ctx.screens[ScreenId::MailDownload] = [](AppContext& c, Screen* opener) -> Screen* { return new Screen(c, opener); };
  connected = true;
  start();
  EXPECT_EQ(updateChecks, 1);

  const char* const mainButtons[] = {"cmdAfsluiten", "cmdNamenInvoeren", "cmdGroepenMaken", "cmdInVoerScores"};
  const struct {
    const char* button;
    const char* screen;
    const char* back;  // the button that closes the screen; none: Esc
  } rows[] = {{"cmdNamenInvoeren", "frmMervalo02", nullptr}, {"cmdGroepenMaken", "frmMervalo03", "cmdTerug"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.screen);
    find(row.button)->click();
    QWidget* screen = topLevel(row.screen);
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(menu->isEnabled());
    // Something hid the main buttons while the other screen was open.
    for (const char* b : mainButtons) find(b)->setVisible(false);
    if (row.back)
      child<QPushButton>(screen, row.back)->click();
    else
      QTest::keyClick(screen, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return topLevel(row.screen) == nullptr; }));
    EXPECT_TRUE(menu->isEnabled());
    for (const char* b : mainButtons) EXPECT_TRUE(find(b)->isVisible()) << b;
  }
  EXPECT_EQ(updateChecks, 3);
  EXPECT_EQ(connectionTests, 1);  // asked once per run, not per activation

  find("cmdMAILTXT")->click();
  EXPECT_FALSE(menu->isEnabled());
  // Esc while another screen is open is that screen's business, not the menu's.
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_FALSE(quitCalled);
}

TEST_F(MainMenuTest, ProviderListFillsTheSlotsOrReportsDamageOnce) {
  start();
  EXPECT_EQ(prompter.count(), 0);
  EXPECT_FALSE(ctx.values.mailUnavailable);
  EXPECT_EQ(ctx.values.providers[0].value(8), "a7");

  QByteArray wrongCheck = providerFile();
  wrongCheck[wrongCheck.indexOf("\r\n") - 1] ^= 1;
  // Which files are damaged is the provider list's test; here the one report and what it stops.
  for (const QByteArray& bytes : {wrongCheck, QByteArray("\xff\x00\x01", 3)}) {
    prompter.clear();
    writeRaw("/MAIL.TXT", bytes);
    start();
    ASSERT_EQ(prompter.count(), 1) << bytes.toStdString();
    EXPECT_TRUE(ctx.values.mailUnavailable);
  }
}
