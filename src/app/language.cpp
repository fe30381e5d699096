#include "language.h"

#include <QFile>

#include "fileops.h"
#include "numeric.h"
#include "textfile.h"
#include "texts.h"

namespace mervalo {

int languageFromText(const QString& firstLine) {
  const double v = numericValue(firstLine);
  if (v >= kDutch && v <= kEnglish) return roundHalfEven(v);
  return kDutch;
}

int readLanguageFile(const QString& path) {
  QString first = QStringLiteral("10");
  if (fileState(path) == FileState::Filled) {
    // Only the first line counts; a stray huge file is not read whole.
    first.clear();
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
      QByteArray line = f.readLine(4096);
      const qsizetype end = line.indexOf('\r');
      if (end >= 0) line.truncate(end);
      if (line.endsWith('\n')) line.chop(1);
      first = fromCp1252(line);
    }
  }
  return languageFromText(first);
}

}  // namespace mervalo
