#include "texts.h"

#include <QFile>

// The table lives in a static library: its resource must be registered by hand.
static void initTextResource() { Q_INIT_RESOURCE(texts); }

namespace mervalo {

const TextTable& TextTable::builtin() {
  static const TextTable table = [] {
    initTextResource();
    QFile f(QStringLiteral(":/mervalo/texts.txt"));
    if (!f.open(QIODevice::ReadOnly)) return TextTable{};
    return parse(f.readAll());
  }();
  return table;
}

TextTable TextTable::parse(const QByteArray& utf8) {
  TextTable t;
  const QString all = QString::fromUtf8(utf8);
  const auto lines = all.split(QLatin1Char('\n'));
  for (QString line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab <= 0) continue;
    bool ok = false;
    const int id = line.left(tab).toInt(&ok);
    if (!ok) continue;
    t.texts_.insert(id, line.mid(tab + 1));
  }
  return t;
}

QString TextTable::lookup(int number, int language) const {
  // A five-digit number is an identifier of its own; otherwise the language's thousand.
  const int id = number >= 10000 ? number : language * 1000 + number;
  return texts_.value(id);
}

}  // namespace mervalo
