#include "connection.h"

#include <QDir>
#include <QFile>

namespace mervalo {

namespace {

constexpr unsigned kUp = 0x1;
constexpr unsigned kLoopback = 0x8;

QByteArray firstLine(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readLine(64).trimmed();
}

}  // namespace

bool connectionTest(const QString& interfacesFolder) {
  const QDir dir(interfacesFolder);
  const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
  for (const QString& name : names) {
    if (name == QLatin1String("lo")) continue;
    bool ok = false;
    const unsigned flags = firstLine(dir.filePath(name + QStringLiteral("/flags"))).toUInt(&ok, 16);
    if (!ok || (flags & kLoopback) || !(flags & kUp)) continue;
    // "unknown" is what tunnels and some drivers report while carrying traffic.
    const QByteArray state = firstLine(dir.filePath(name + QStringLiteral("/operstate")));
    if (state == "up" || state == "unknown") return true;
  }
  return false;
}

}  // namespace mervalo
