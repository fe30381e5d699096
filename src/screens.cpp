#include "app/screens/appcontext.h"
#include "scoring/screens/boardentryscreen.h"
#include "scoring/screens/roundentryscreen.h"
#include "players/screens/namelistscreen.h"
#include "players/screens/groupscreen.h"
#include "players/screens/datepicker.h"
#include "publish/screens/resultsscreen.h"
#include "event/screens/eventstartscreen.h"
#include "publish/screens/mailproviders.h"
#include "publish/screens/mailsettingsscreen.h"
#include "publish/screens/maildownloadscreen.h"
#include "net/screens/schemadownloadscreen.h"
#include "net/screens/updatecheck.h"

namespace mervalo {

// Every screen the main menu and the other screens can open, by form name.
void registerAllScreens(AppContext& ctx) {
  ctx.loadMailProviders = [](Screen& menu) { loadMailProviders(menu); };
  ctx.updateCheck = [](Screen& menu) { UpdateService::of(menu).check(); };
  ctx.updateDownload = [](Screen& menu) { UpdateService::of(menu).download(); };
  ctx.screens[ScreenId::BoardEntry] = [](AppContext& c, Screen* opener) -> Screen* { return new BoardEntryScreen(c, opener); };
  ctx.screens[ScreenId::RoundEntry] = [](AppContext& c, Screen* opener) -> Screen* { return new RoundEntryScreen(c, opener); };
  ctx.screens[ScreenId::NameLists] = [](AppContext& c, Screen* opener) -> Screen* { return new NameListScreen(c, opener); };
  ctx.screens[ScreenId::Groups] = [](AppContext& c, Screen* opener) -> Screen* { return new GroupScreen(c, opener); };
  ctx.screens[ScreenId::DatePicker] = [](AppContext& c, Screen* opener) -> Screen* { return new DatePicker(c, opener); };
  ctx.screens[ScreenId::Results] = [](AppContext& c, Screen* opener) -> Screen* { return new ResultsScreen(c, opener); };
  ctx.screens[ScreenId::MailSettings] = [](AppContext& c, Screen* opener) -> Screen* { return new MailSettingsScreen(c, opener); };
  ctx.screens[ScreenId::MailDownload] = [](AppContext& c, Screen* opener) -> Screen* { return new MailDownloadScreen(c, opener); };
  ctx.screens[ScreenId::EventStart] = [](AppContext& c, Screen* opener) -> Screen* { return new EventStartScreen(c, opener); };
  ctx.screens[ScreenId::SchemaDownload] = [](AppContext& c, Screen* opener) -> Screen* { return new SchemaDownloadScreen(c, opener); };
}

}  // namespace mervalo
