#include "tables/tablesettings.h"

#include "app/settings.h"

namespace mervalo {

quint16 parsePort(const QString& text, bool* ok) {
  const int port = text.trimmed().toInt(ok);
  if (*ok && (port < 0 || port > 65535)) *ok = false;
  return *ok ? static_cast<quint16>(port) : 0;
}

TableSettings readTableSettings(const QString& settingsFile) {
  const auto key = [&](const char* name) {
    return readSetting(QStringLiteral("Standaard"), QLatin1String(name), settingsFile).trimmed();
  };
  TableSettings s;
  if (const QString port = key("tafel poort"); !port.isEmpty()) s.port = parsePort(port, &s.portValid);
  if (!s.portValid) s.port = 8080;
  s.showTraveller = key("tafel traveller") != QLatin1String("0");
  return s;
}

}  // namespace mervalo
