#include "publish/screens/mailaddressbox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "publish/mailaddress.h"

namespace mervalo {

MailAddressBox::MailAddressBox(QWidget* parent, const char* labelName, QString refused, std::function<void()> onEnter)
    : QObject(parent), refused_(std::move(refused)), onEnter_(std::move(onEnter)) {
  addressLabel = new QLabel(parent);
  addressLabel->setObjectName(QString::fromLatin1(labelName));
  address = new QLineEdit(parent);
  address->setObjectName(QStringLiteral("txtEMailAdres"));
  address->setMinimumWidth(260);
  addressLabel->setBuddy(address);
  providerLabel = new QLabel(parent);
  providerLabel->setObjectName(QStringLiteral("lblProvider"));
  for (int i = 0; i < 2; ++i) {
    providers[i] = new QRadioButton(parent);
    providers[i]->setObjectName(QStringLiteral("optProvider_%1").arg(i));
  }
  address->installEventFilter(this);
  connect(address, &QLineEdit::textEdited, this, [this](const QString& typed) {
    const QString kept = withoutCharacters(typed, refused_);
    if (kept != typed) address->setText(kept);
  });
}

void MailAddressBox::setTexts(const QString& addressText, const QString& providerText,
                              const QString& providerWord) const {
  addressLabel->setText(addressText);
  providerLabel->setText(providerText);
  for (int i = 0; i < 2; ++i) providers[i]->setText(providerWord + QStringLiteral(" %1").arg(i + 1));
}

void MailAddressBox::follow(QObject* screen, std::function<void()> changed) const {
  address->installEventFilter(screen);
  connect(address, &QLineEdit::textChanged, screen, [changed = std::move(changed)] { changed(); });
}

bool MailAddressBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == address && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (onEnter_) onEnter_();
      return true;
    }
    if (!key->text().isEmpty() && refused_.contains(key->text().at(0))) return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace mervalo
