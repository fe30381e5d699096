#include "app/screens/appcontext.h"

namespace mervalo {

// Every screen the main menu and the other screens can open, by form name.
void registerAllScreens(AppContext& ctx) {
  (void)ctx;
}

}  // namespace mervalo
