#include "tables/qrcode.h"

#include <qrencode.h>

#include <memory>

namespace mervalo {

QrCode QrCode::encode(const QByteArray& text) {
  QrCode code;
  if (text.isEmpty()) return code;
  // Eight-bit mode keeps the address exactly as given (case and all).
  std::unique_ptr<QRcode, void (*)(QRcode*)> made(QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M),
                                                  QRcode_free);
  if (!made || made->width <= 0) return code;
  code.size_ = made->width;
  code.dark_.resize(static_cast<size_t>(made->width) * static_cast<size_t>(made->width));
  // libqrencode gives one byte a module; its lowest bit is the colour.
  for (size_t i = 0; i < code.dark_.size(); ++i) code.dark_[i] = (made->data[i] & 1) != 0;
  return code;
}

}  // namespace mervalo
