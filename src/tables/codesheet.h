#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "app/printlayout.h"

namespace mervalo {

// The address a table's QR code carries: the page, opened at the table with its code.
QString tableAddress(const QString& pageAddress, int table, const QString& code);

struct CodeSheetTexts {
  QString heading;    // "Tafel ~": "~" becomes the table number
  QString codeLabel;  // over the code
  QStringList howTo;  // the lines on how to use the sheet
};

// One page per table, in table order: the table number, the QR code of its address, the page's
// address in plain type, the code in large type and the lines on how to use them, each centred
// on a portrait page (the lines wrapped to its width).
PrintLayout layoutCodeSheets(const QString& pageAddress, const QMap<int, QString>& codes, const CodeSheetTexts& texts,
                             const PaperSize& page, const PrintMeasure& measure);

}  // namespace mervalo
