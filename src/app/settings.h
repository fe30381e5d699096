#pragma once

#include <QString>

namespace mervalo {

// Profile-file access with the semantics of the Windows calls: sections and keys matched
// without regard to case, at most 254 characters returned, file, section and key created on
// write, every other line of the file kept as it was.
QString readSetting(const QString& section, const QString& key, const QString& filePath);
bool writeSetting(const QString& section, const QString& key, const QString& value, const QString& filePath);

}  // namespace mervalo
