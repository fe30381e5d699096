// Any bytes as "standaard.ini": reading never returns more than 254 characters, and a key
// written into the file reads back as written whatever else the file holds.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/settings.h"
#include "fuzz.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  static const QString path =
      QDir::tempPath() + QStringLiteral("/mervalo-fuzz-settings-%1.ini").arg(QCoreApplication::applicationPid());
  if (!writeFileAtomic(path, input)) return;
  for (const char* key : {"provider", "eigen e-mail adres", "Naam voor e-mail", ""})
    require(readSetting(QStringLiteral("Standaard"), QString::fromLatin1(key), path).size() <= 254);
  if (writeSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), QStringLiteral("1"), path))
    require(readSetting(QStringLiteral("STANDAARD"), QStringLiteral("Provider"), path) == QStringLiteral("1"));
  QFile::remove(path);
}
