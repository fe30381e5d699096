#include "tables/codesheet.h"

#include <algorithm>

#include "tables/qrcode.h"

namespace mervalo {

namespace {

constexpr double kHeadingPoints = 28;
constexpr double kAddressPoints = 14;  // large enough to type from
constexpr double kCodeLabelPoints = 14;
constexpr double kCodePoints = 60;
constexpr double kHowToPoints = 12;
constexpr int kQrSide = 4320;  // three inches: a phone reads it from arm's length
constexpr int kGap = 240;
constexpr int kTextMargin = 1440;  // the lines on how to use the sheet keep an inch from either edge

class SheetComposer {
 public:
  SheetComposer(const PaperSize& paper, const PrintMeasure& measure, PrintedPage& page)
      : paper_(paper), measure_(measure), page_(page) {}

  void centred(const QString& text, double points, int gapAfter) {
    const int x = std::max(printlayout::kLeft, (paper_.width - measure_.width(text, points)) / 2);
    page_.texts.push_back(PlacedText{x, y_, text, points, 0});
    y_ += measure_.lineHeight(points) + gapAfter;
  }

  // Runs of dark modules in a row become one box, so the printed code has no seams.
  void qr(const QrCode& code) {
    if (code.isNull()) return;
    const int modules = code.size() + 2 * QrCode::kQuietZone;
    const int side = std::min(kQrSide, paper_.width - 2 * printlayout::kLeft);
    const int unit = std::max(side / modules, 1);
    const int left = (paper_.width - unit * modules) / 2 + unit * QrCode::kQuietZone;
    const int top = y_ + unit * QrCode::kQuietZone;
    for (int y = 0; y < code.size(); ++y) {
      for (int x = 0; x < code.size();) {
        if (!code.dark(x, y)) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < code.size() && code.dark(x, y)) ++x;
        page_.filled.push_back(PlacedRect{left + start * unit, top + y * unit, (x - start) * unit, unit});
      }
    }
    y_ += unit * modules;
  }

  // Left-aligned between the margins, broken between words where a line is too long.
  void wrapped(const QString& text, double points) {
    const int margin = std::min(kTextMargin, paper_.width / 8);
    const int room = paper_.width - 2 * margin;
    QString line;
    auto flush = [&] {
      page_.texts.push_back(PlacedText{margin, y_, line, points, 0});
      y_ += measure_.lineHeight(points);
      line.clear();
    };
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
      const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
      if (!line.isEmpty() && measure_.width(longer, points) > room) {
        flush();
        line = word;
      } else {
        line = longer;
      }
    }
    if (!line.isEmpty()) flush();
  }

  void skip(int twips) { y_ += twips; }

 private:
  const PaperSize& paper_;
  const PrintMeasure& measure_;
  PrintedPage& page_;
  int y_ = printlayout::kTop;
};

}  // namespace

QString tableAddress(const QString& pageAddress, int table, const QString& code) {
  return pageAddress + QStringLiteral("?tafel=%1&code=%2").arg(table).arg(code);
}

PrintLayout layoutCodeSheets(const QString& pageAddress, const QMap<int, QString>& codes, const CodeSheetTexts& texts,
                             const PaperSize& page, const PrintMeasure& measure) {
  PrintLayout out;
  out.points = kHowToPoints;
  for (auto it = codes.cbegin(); it != codes.cend(); ++it) {
    out.pages.emplace_back();
    SheetComposer sheet(page, measure, out.pages.back());
    sheet.centred(QString(texts.heading).replace(QLatin1Char('~'), QString::number(it.key())), kHeadingPoints, kGap);
    sheet.qr(QrCode::encode(tableAddress(pageAddress, it.key(), it.value()).toUtf8()));
    sheet.centred(pageAddress, kAddressPoints, kGap);
    sheet.centred(texts.codeLabel, kCodeLabelPoints, 0);
    sheet.centred(it.value(), kCodePoints, 2 * kGap);
    for (const QString& line : texts.howTo) sheet.wrapped(line, kHowToPoints);
  }
  return out;
}

}  // namespace mervalo
