#include "fastmeasure.h"

#include <QFontMetrics>
#include <QHash>
#include <memory>

namespace mervalo {

TextMeasure characterMeasure(const QFont& font) {
  struct Cache {
    explicit Cache(const QFont& f) : metrics(f) {}
    QFontMetrics metrics;
    QHash<char16_t, int> advance;
  };
  auto cache = std::make_shared<Cache>(font);
  return [cache](const QString& text) {
    int width = 0;
    for (QChar c : text) {
      auto it = cache->advance.constFind(c.unicode());
      if (it == cache->advance.cend()) it = cache->advance.insert(c.unicode(), cache->metrics.horizontalAdvance(c));
      width += *it;
    }
    return width * 15;
  };
}

}  // namespace mervalo
