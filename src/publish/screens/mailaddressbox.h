#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QRadioButton;
class QWidget;

namespace mervalo {

// The mail address box "txtEMailAdres" and the two provider options "optProvider_0/1" that both
// mail screens show. A refused character is refused whether typed, pasted or dropped; Enter in
// the box runs onEnter, or nothing when there is none.
class MailAddressBox : public QObject {
 public:
  MailAddressBox(QWidget* parent, QString refused, std::function<void()> onEnter = {});

  QLineEdit* address = nullptr;
  QRadioButton* providers[2] = {};

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString refused_;
  std::function<void()> onEnter_;
};

}  // namespace mervalo
