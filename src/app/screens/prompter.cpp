#include "prompter.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

namespace mervalo {

PromptAnswer MessageBoxPrompter::ask(const Prompt& prompt, QWidget* parent) {
  QMessageBox box(parent);
  box.setWindowTitle(prompt.title);
  box.setText(prompt.text);
  switch (prompt.icon) {
    case PromptIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case PromptIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case PromptIcon::Critical: box.setIcon(QMessageBox::Critical); break;
  }
  switch (prompt.buttons) {
    case PromptButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case PromptButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PromptButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case PromptButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
  }
  if (values_) {
    const std::pair<QMessageBox::StandardButton, int> captions[] = {
        {QMessageBox::Yes, 185}, {QMessageBox::No, 186}, {QMessageBox::Ok, 187}, {QMessageBox::Cancel, 188}};
    for (const auto& [which, number] : captions)
      if (QAbstractButton* b = box.button(which)) b->setText(values_->text(number));
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Cancel: return PromptAnswer::Cancel;
    default: return PromptAnswer::Ok;
  }
}

}  // namespace mervalo
