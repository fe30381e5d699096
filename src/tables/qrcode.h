#pragma once

#include <QByteArray>
#include <vector>

namespace mervalo {

// A QR code as a square of modules, made by libqrencode: what the screen paints and the code
// sheets print. The quiet zone around it is the drawer's to add.
class QrCode {
 public:
  QrCode() = default;
  // The code of these bytes (an address), medium error correction; a null code when they do
  // not fit in one.
  static QrCode encode(const QByteArray& text);

  bool isNull() const { return size_ == 0; }
  // Modules along each side.
  int size() const { return size_; }
  bool dark(int x, int y) const { return dark_[static_cast<size_t>(y) * static_cast<size_t>(size_) + static_cast<size_t>(x)]; }

  // The quiet zone every reader expects around a code, in modules.
  static constexpr int kQuietZone = 4;

 private:
  int size_ = 0;
  std::vector<bool> dark_;  // row by row
};

}  // namespace mervalo
