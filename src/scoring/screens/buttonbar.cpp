#include "scoring/screens/buttonbar.h"

#include <QColor>
#include <QPushButton>

namespace mervalo {

namespace {
constexpr int kButtonWidth = 48;
constexpr int kButtonHeight = 26;
constexpr int kStepX = 52;
constexpr int kStepY = 28;
}  // namespace

ButtonBar::ButtonBar(const QString& objectName, int perLine, QWidget* parent)
    : QWidget(parent), name_(objectName), perLine_(std::max(perLine, 1)) {}

void ButtonBar::build(int count, const std::function<QString(int)>& caption,
                      const std::function<QString(int)>& accessibleName) {
  qDeleteAll(buttons_);
  buttons_.clear();
  for (int n = 1; n <= count; ++n) {
    auto* b = new QPushButton(caption(n), this);
    b->setObjectName(QStringLiteral("%1_%2").arg(name_).arg(n));
    b->setAccessibleName(accessibleName(n));
    // As wide as the caption needs, not as the style's dialog buttons are (80 pixels and more
    // under some styles), so that a line of board buttons stays inside the window.
    const int width = std::max(kButtonWidth, b->fontMetrics().horizontalAdvance(b->text()) + 16);
    b->setGeometry(((n - 1) % perLine_) * (width + kStepX - kButtonWidth), ((n - 1) / perLine_) * kStepY, width,
                   kButtonHeight);
    b->setFocusPolicy(Qt::TabFocus);
    b->show();
    connect(b, &QPushButton::clicked, this, [this, n] { emit clicked(n); });
    buttons_.append(b);
  }
}

QPushButton* ButtonBar::button(int n) const {
  return n >= 1 && n <= buttons_.size() ? buttons_[n - 1] : nullptr;
}

int ButtonBar::neededHeight() const {
  const int lines = std::max(1, (count() + perLine_ - 1) / perLine_);
  return lines * kStepY;
}

void ButtonBar::setColour(int n, const QColor& colour) {
  QPushButton* b = button(n);
  if (!b) return;
  const QString look = QStringLiteral("background-color: rgb(%1, %2, %3);").arg(colour.red()).arg(colour.green()).arg(colour.blue());
  if (b->styleSheet() != look) b->setStyleSheet(look);
}

}  // namespace mervalo
