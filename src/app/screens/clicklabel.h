#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace mervalo {

// A label that reports a click of the left button, for captions that act when clicked
// (the day cells of the calendar, the pick slots of the group screen).
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
  }
};

}  // namespace mervalo
