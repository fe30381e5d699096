#pragma once

namespace mervalo {

// Makes Qt's own dialogs and standard buttons (the print dialog, file dialogs, Yes and No)
// speak the program's language: Dutch for language 10, Qt's English otherwise. Returns false
// when the Dutch translations are not installed (the dialogs then stay English).
bool useQtTranslations(int language);

}  // namespace mervalo
