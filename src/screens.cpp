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
  ctx.screens[QStringLiteral("frmMervalo06")] = [](AppContext& c, Screen* opener) -> Screen* { return new BoardEntryScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo07")] = [](AppContext& c, Screen* opener) -> Screen* { return new RoundEntryScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo02")] = [](AppContext& c, Screen* opener) -> Screen* { return new NameListScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo03")] = [](AppContext& c, Screen* opener) -> Screen* { return new GroupScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo05")] = [](AppContext& c, Screen* opener) -> Screen* { return new DatePicker(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo08")] = [](AppContext& c, Screen* opener) -> Screen* { return new ResultsScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo09")] = [](AppContext& c, Screen* opener) -> Screen* { return new MailSettingsScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo10")] = [](AppContext& c, Screen* opener) -> Screen* { return new MailDownloadScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo04")] = [](AppContext& c, Screen* opener) -> Screen* { return new EventStartScreen(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo12")] = [](AppContext& c, Screen* opener) -> Screen* { return new SchemaDownloadScreen(c, opener); };
}

}  // namespace mervalo
