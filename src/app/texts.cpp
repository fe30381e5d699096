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
  QHash<QString, QString>& values = t.details_;  // "{{name}}" -> value: the maker's details, kept once
  const QString all = QString::fromUtf8(utf8);
  const auto lines = all.split(QLatin1Char('\n'));
  for (QString line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab <= 0) continue;
    const QString key = line.left(tab);
    if (key.startsWith(QLatin1String("{{")) && key.endsWith(QLatin1String("}}"))) {
      values.insert(key, line.mid(tab + 1));
      continue;
    }
    bool ok = false;
    const int id = key.toInt(&ok);
    if (!ok) continue;
    t.texts_.insert(id, line.mid(tab + 1));
  }
  if (!values.isEmpty()) {
    for (auto it = t.texts_.begin(); it != t.texts_.end(); ++it) {
      if (!it.value().contains(QLatin1String("{{"))) continue;
      for (auto v = values.cbegin(); v != values.cend(); ++v) it.value().replace(v.key(), v.value());
    }
  }
  return t;
}

QString TextTable::lookup(int number, int language) const {
  // The number padded to three digits; five digits make an identifier of their own,
  // anything else goes behind the language number ("10" + "043").
  const QString digits = QString::number(number).rightJustified(3, QLatin1Char('0'));
  bool ok = false;
  const qlonglong id = digits.size() == 5 ? digits.toLongLong(&ok)
                                          : (QString::number(language) + digits).toLongLong(&ok);
  if (!ok || id < 0 || id > 0x7fffffff) return {};
  return texts_.value(static_cast<int>(id));
}

QString builtinTextOr(int number, int language, const char* dutch, const char* english) {
  const QString t = TextTable::builtin().lookup(number, language);
  if (!t.isEmpty()) return t;
  return QString::fromLatin1(language == kEnglish ? english : dutch);
}

}  // namespace mervalo
