#pragma once

#include <QImage>
#include <QMap>
#include <QString>

namespace mervalo {

class QrCode;
class Screen;

// The code drawn black on white with its quiet zone, `unit` pixels a module.
QImage qrImage(const QrCode& code, int unit);

// Lets the organiser choose the printer (a PDF file too) and prints one code sheet per table:
// its number, the QR code of its address, the code and how to use them. False when nothing was
// printed; a printer that failed has been told about.
bool printCodeSheets(Screen& caller, const QString& pageAddress, const QMap<int, QString>& codes);

}  // namespace mervalo
