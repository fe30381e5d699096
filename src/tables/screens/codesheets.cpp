#include "tables/screens/codesheets.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>

#include "app/screens/printing.h"
#include "app/screens/screen.h"
#include "tables/codesheet.h"
#include "tables/qrcode.h"

namespace mervalo {

QImage qrImage(const QrCode& code, int unit) {
  const int side = (code.size() + 2 * QrCode::kQuietZone) * unit;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int y = 0; y < code.size(); ++y)
    for (int x = 0; x < code.size(); ++x)
      if (code.dark(x, y))
        painter.fillRect((x + QrCode::kQuietZone) * unit, (y + QrCode::kQuietZone) * unit, unit, unit, Qt::black);
  return image;
}

bool printCodeSheets(Screen& caller, const QString& pageAddress, const QMap<int, QString>& codes) {
  QPrinter& printer = currentPrinter();
  if (!choosePrinter(caller, printer)) return false;
  CodeSheetTexts texts;
  texts.heading = caller.text(285);
  texts.codeLabel = caller.text(286);
  texts.howTo = QStringList{caller.text(287), caller.text(288), caller.text(289)};
  // The screen's own font: the players read it, and it has every letter of both languages.
  const QString font = QApplication::font().family();
  const PrintLayout layout =
      layoutCodeSheets(pageAddress, codes, texts, printerPaper(printer), printerMeasure(printer, font));
  return printPages(caller, layout, font, printer);
}

}  // namespace mervalo
