#include "app/screens/appcontext.h"
#include "scoring/screens/frmmervalo06.h"
#include "players/screens/frmmervalo02.h"
#include "players/screens/frmmervalo03.h"
#include "players/screens/frmmervalo05.h"
#include "publish/screens/frmmervalo08.h"
#include "event/screens/frmmervalo04.h"

namespace mervalo {

// Every screen the main menu and the other screens can open, by form name.
void registerAllScreens(AppContext& ctx) {
  ctx.screens[QStringLiteral("frmMervalo06")] = [](AppContext& c, Screen* opener) -> Screen* { return new FrmMervalo06(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo02")] = [](AppContext& c, Screen* opener) -> Screen* { return new FrmMervalo02(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo03")] = [](AppContext& c, Screen* opener) -> Screen* { return new FrmMervalo03(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo05")] = [](AppContext& c, Screen* opener) -> Screen* { return new FrmMervalo05(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo08")] = [](AppContext& c, Screen* opener) -> Screen* { return new FrmMervalo08(c, opener); };
  ctx.screens[QStringLiteral("frmMervalo04")] = [](AppContext& c, Screen* opener) -> Screen* { return new FrmMervalo04(c, opener); };
}

}  // namespace mervalo
