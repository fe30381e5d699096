// Any bytes as "MAIL.TXT": the loader must classify them without crashing, and every slot it
// fills must hold exactly nine entries.
#include "fuzz.h"
#include "publish/providerlist.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  const ProviderListResult r = parseProviderList(input);
  for (const QStringList& slot : r.providers) require(slot.isEmpty() || slot.size() == kProviderFields);
  require(r.status != ProviderListResult::Status::Ok || r.lines.size() <= kProviderSlots);

  // Each line on its own, and the encoder as the decoder's inverse under any key.
  for (const QString& line : QString::fromLatin1(input.left(64)).split(QLatin1Char('\n')))
    (void)decodeProviderLine(line);
  const int key = input.isEmpty() ? 0 : static_cast<uint8_t>(input[0]) * 3;
  const auto back = decodeProviderLine(encodeProviderLine(QStringLiteral("abc<>~|"), key));
  // Keys above 744 push ordinary letters past three digits; the encoder is for real keys only.
  require((back && *back == QStringLiteral("abc<>~|")) || key + 'c' > 999);
}
