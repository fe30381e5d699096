// Any bytes as "MAIL.TXT": the loader must classify them without crashing, and every slot it
// fills must hold exactly nine entries.
#include <cstdint>
#include <cstdlib>

#include "publish/providerlist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const mervalo::ProviderListResult r = mervalo::parseProviderList(bytes);
  for (const QStringList& slot : r.providers)
    if (!slot.isEmpty() && slot.size() != mervalo::kProviderFields) std::abort();
  if (r.status == mervalo::ProviderListResult::Status::Ok && r.lines.size() > mervalo::kProviderSlots) std::abort();

  // Each line on its own, and the encoder as the decoder's inverse under any key.
  const QString text = QString::fromLatin1(bytes.left(64));
  for (const QString& line : text.split(QLatin1Char('\n'))) (void)mervalo::decodeProviderLine(line);
  const int key = size > 0 ? data[0] * 3 : 0;
  const auto back = mervalo::decodeProviderLine(mervalo::encodeProviderLine(QStringLiteral("abc<>~|"), key));
  if (!back || *back != QStringLiteral("abc<>~|")) {
    // Keys above 744 push ordinary letters past three digits; the encoder is for real keys only.
    if (key + 'c' <= 999) std::abort();
  }
  return 0;
}
