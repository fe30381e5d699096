#pragma once

namespace mervalo {

class Screen;

// Loads "MAIL.TXT" into the program-wide provider slots and sets or clears the mail-unavailable
// flag. A missing list is reported with text 152, a damaged one with text 153 (once), both with
// the critical icon and the form's caption as title. Run at start-up by the main menu and again
// after a provider list has been downloaded.
void loadMailProviders(Screen& form);

}  // namespace mervalo
