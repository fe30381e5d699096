#pragma once

#include <QString>

namespace mervalo {

// The language number a first line of the language file stands for: its numeric value rounded
// half to even when that value lies from 10 to 11, Dutch (10) otherwise.
int languageFromText(const QString& firstLine);

// Reads the language file ("taal.txt"): a missing, empty or unreadable file is Dutch.
int readLanguageFile(const QString& path);

}  // namespace mervalo
