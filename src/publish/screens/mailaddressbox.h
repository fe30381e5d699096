#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace mervalo {

// The mail address box "txtEMailAdres" and the provider choice (the label "lblProvider" and the
// two options "optProvider_0/1") that both mail screens show. A refused character is refused whether typed, pasted or
// dropped; Enter in the box runs onEnter, or nothing when there is none.
class MailAddressBox : public QObject {
 public:
  // labelName: the object name of the address box's label.
  MailAddressBox(QWidget* parent, const char* labelName, QString refused, std::function<void()> onEnter = {});

  QLabel* addressLabel = nullptr;
  QLineEdit* address = nullptr;
  QLabel* providerLabel = nullptr;
  QRadioButton* providers[2] = {};

  // The screen sees the box's keys first (its own keys, such as Esc, work in the box) and hears
  // of every change of the address.
  void follow(QObject* screen, std::function<void()> changed) const;
  // The labels' texts, and the options named by word and number: "<word> 1", "<word> 2".
  void setTexts(const QString& addressText, const QString& providerText, const QString& providerWord) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString refused_;
  std::function<void()> onEnter_;
};

}  // namespace mervalo
