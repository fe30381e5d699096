#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <map>

#include "app/programvalues.h"
#include "app/screens/prompter.h"

namespace mervalo {

class Screen;
struct AppContext;

// The screens one screen can open from another. Each keeps its form name as its object name
// (ScreenId::Groups is "frmMervalo03"); the compiler, not a string, says which one is meant.
enum class ScreenId {
  NameLists,       // frmMervalo02
  Groups,          // frmMervalo03
  EventStart,      // frmMervalo04
  DatePicker,      // frmMervalo05
  BoardEntry,      // frmMervalo06
  RoundEntry,      // frmMervalo07
  Results,         // frmMervalo08
  MailSettings,    // frmMervalo09
  MailDownload,    // frmMervalo10
  SchemaDownload,  // frmMervalo12
};

// Builds a screen; the opener is the screen to re-enable when the new one closes.
using ScreenFactory = std::function<Screen*(AppContext& ctx, Screen* opener)>;

// What the shell owns and hands to every screen: the program-wide values, the prompter, the
// screens that exist, and the things tests replace (clock).
struct AppContext {
  ProgramValues values;
  Prompter* prompter = nullptr;
  std::map<ScreenId, ScreenFactory> screens;
  std::function<QDate()> today = [] { return QDate::currentDate(); };
  // Called instead of ending the process when the program ends (tests observe it).
  std::function<void()> quit;
  // Whether the computer is connected; asked once at start-up (tests replace it).
  std::function<bool()> connectionTest;
  // The update check run at every activation of the main menu while connected, and the
  // download of the new version behind the main menu's small download button. Set by the
  // subsystem that owns them when it registers its screens; the menu does without when unset.
  std::function<void(Screen& menu)> updateCheck;
  std::function<void(Screen& menu)> updateDownload;
  // Reads the mail provider list at start-up and reports a missing or damaged one; set by the
  // publishing screens when they register.
  std::function<void(Screen& menu)> loadMailProviders;

  bool hasScreen(ScreenId id) const { return screens.count(id) > 0; }
  // Creates and shows the screen modeless; nullptr when it does not exist.
  Screen* open(ScreenId id, Screen* opener);
  QString text(int n) const { return values.text(n); }
};

// Registers every screen of the program (defined beside the executable's sources).
void registerAllScreens(AppContext& ctx);

}  // namespace mervalo
