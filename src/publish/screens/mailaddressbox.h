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
// two options "optProvider_0/1") that both mail screens show. A refused character is refused whether typed, pasted or dropped; Enter in
// the box runs onEnter, or nothing when there is none.
class MailAddressBox : public QObject {
 public:
  MailAddressBox(QWidget* parent, QString refused, std::function<void()> onEnter = {});

  QLineEdit* address = nullptr;
  QLabel* providerLabel = nullptr;
  QRadioButton* providers[2] = {};

  // The label's text, and the options named by word and number: "<word> 1", "<word> 2".
  void setProviderTexts(const QString& label, const QString& word) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString refused_;
  std::function<void()> onEnter_;
};

}  // namespace mervalo
