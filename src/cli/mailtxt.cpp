// mervalo-cli mailtxt FILE: a club's own provider list from a readable description.

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <cstdio>

#include "publish/providerlist.h"

namespace mervalo {

namespace {

int fail(const QString& why) {
  std::fprintf(stderr, "mervalo-cli mailtxt: %s\n", qPrintable(why));
  return 1;
}

}  // namespace

// FILE (UTF-8) holds two blocks separated by blank lines, one per provider, of "field = value"
// lines; "#" starts a comment line. The list goes to standard output only when all is well.
int runMailTxtCommand(const QStringList& args) {
  if (args.size() != 1) return fail(QStringLiteral("usage: mervalo-cli mailtxt FILE"));
  QFile file(args[0]);
  if (!file.open(QIODevice::ReadOnly)) return fail(args[0] + QStringLiteral(": ") + file.errorString());
  QString text = QString::fromUtf8(file.readAll());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

  const QStringList& names = providerFieldNames();
  std::array<QStringList, kProviderSlots> fields;
  std::array<QStringList, kProviderSlots> seen;
  int block = -1;
  bool inBlock = false;
  int lineNumber = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    ++lineNumber;
    const QString where = QStringLiteral("%1:%2: ").arg(args[0]).arg(lineNumber);
    if (line.trimmed().isEmpty()) {
      inBlock = false;
      continue;
    }
    if (line.trimmed().startsWith(QLatin1Char('#'))) continue;
    if (!inBlock) {
      inBlock = true;
      if (++block >= kProviderSlots) return fail(where + QStringLiteral("more than two providers"));
      fields[block] = QStringList(kProviderFields);
    }
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return fail(where + QStringLiteral("not a \"field = value\" line"));
    const QString name = line.left(eq).trimmed().toLower();
    const int f = static_cast<int>(names.indexOf(name));
    if (f < 0) return fail(where + QStringLiteral("unknown field \"%1\" (fields: %2)").arg(name, names.join(QStringLiteral(", "))));
    if (seen[block].contains(name)) return fail(where + QStringLiteral("field \"%1\" given twice").arg(name));
    seen[block] << name;
    fields[block][f] = line.mid(eq + 1).trimmed();
  }
  if (block + 1 != kProviderSlots) return fail(QStringLiteral("%1: two providers are needed, found %2").arg(args[0]).arg(block + 1));
  for (int p = 0; p < kProviderSlots; ++p)
    for (const QString& name : names)
      if (!seen[p].contains(name)) return fail(QStringLiteral("provider %1 has no field \"%2\"").arg(p + 1).arg(name));

  // Each line gets a key of its own; any key decodes the same.
  const std::array<int, kProviderSlots> keys{static_cast<int>(QRandomGenerator::global()->bounded(1, 745)),
                                             static_cast<int>(QRandomGenerator::global()->bounded(1, 745))};
  QString why;
  const QByteArray list = makeProviderList(fields, keys, &why);
  if (list.isEmpty()) return fail(why);
  std::fwrite(list.constData(), 1, static_cast<size_t>(list.size()), stdout);
  return 0;
}

}  // namespace mervalo
