// Any bytes as "standaard.ini": reading never returns more than 254 characters, and a key
// written into the file reads back as written whatever else the file holds.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "app/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const QString path =
      QDir::tempPath() + QStringLiteral("/mervalo-fuzz-settings-%1.ini").arg(QCoreApplication::applicationPid());
  {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  for (const char* key : {"provider", "eigen e-mail adres", "Naam voor e-mail", ""}) {
    const QString v = mervalo::readSetting(QStringLiteral("Standaard"), QString::fromLatin1(key), path);
    if (v.size() > 254) std::abort();
  }
  if (mervalo::writeSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), QStringLiteral("1"), path)) {
    if (mervalo::readSetting(QStringLiteral("STANDAARD"), QStringLiteral("Provider"), path) != QStringLiteral("1"))
      std::abort();
  }
  QFile::remove(path);
  return 0;
}
