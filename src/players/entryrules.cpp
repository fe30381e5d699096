#include "entryrules.h"

namespace mervalo {

QString refusedCharacters(EntryBox box, const QString& text43) {
  QString set = text43;
  switch (box) {
    case EntryBox::FileName:
      set += QLatin1Char('"');
      break;
    case EntryBox::Name:
      set += QLatin1Char('"');
      set += QLatin1Char('-');
      break;
    case EntryBox::Email:
      set.remove(QLatin1Char('.'));
      set.remove(QLatin1Char('@'));
      set += QLatin1Char('"');
      break;
  }
  set += QLatin1Char('|');
  return set;
}

bool isRefused(EntryBox box, const QString& text43, QChar c) {
  return refusedCharacters(box, text43).contains(c);
}

QString withoutRefused(EntryBox box, const QString& text43, const QString& text) {
  const QString refused = refusedCharacters(box, text43);
  QString kept;
  kept.reserve(text.size());
  for (QChar c : text) {
    if (refused.contains(c) || c.unicode() < 32 || c.unicode() == 127) continue;
    if (box == EntryBox::FileName && (c == QLatin1Char('/') || c == QLatin1Char('\\'))) continue;
    kept.append(c);
  }
  return kept;
}

QString refusedListForMessage(EntryBox box, const QString& text43) {
  // The three player boxes share one message naming the name boxes' set.
  if (box == EntryBox::FileName) return text43 + QLatin1Char('"');
  return text43 + QLatin1Char('"') + QLatin1Char('-');
}

QString repairEntry(const QString& text) {
  QString t = text;
  while (t.contains(QLatin1String(".."))) t.replace(QLatin1String(".."), QLatin1String("."));
  while (t.contains(QLatin1String("@@"))) t.replace(QLatin1String("@@"), QLatin1String("@"));
  const int first = t.indexOf(QLatin1Char('@'));
  if (first >= 0) {
    const int second = t.indexOf(QLatin1Char('@'), first + 1);
    if (second >= 0) t.truncate(second);
  }
  return t;
}

QString cleanField(const QString& text) {
  QString t = text;
  t.remove(QLatin1Char('|'));
  t.remove(QLatin1Char('\r'));
  t.remove(QLatin1Char('\n'));
  return t;
}

QString nameBeforeTxt(const QString& typed) {
  const int at = typed.indexOf(QLatin1String(".txt"), 0, Qt::CaseInsensitive);
  return at >= 0 ? typed.left(at) : typed;
}

QString nameBeforeDot(const QString& fileName) {
  const int at = fileName.indexOf(QLatin1Char('.'));
  return at >= 0 ? fileName.left(at) : fileName;
}

}  // namespace mervalo
