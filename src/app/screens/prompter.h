#pragma once

#include <QString>

#include "app/programvalues.h"

class QWidget;

namespace mervalo {

enum class PromptIcon { None, Information, Question, Exclamation, Critical };
enum class PromptButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

struct Prompt {
  QString text;   // "|" already replaced by line breaks
  QString title;
  PromptIcon icon = PromptIcon::Information;
  PromptButtons buttons = PromptButtons::Ok;
};

// Every message box and question of every screen goes through one of these.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual PromptAnswer ask(const Prompt& prompt, QWidget* parent) = 0;

  void inform(const QString& text, const QString& title, PromptIcon icon = PromptIcon::Information,
              QWidget* parent = nullptr) {
    ask(Prompt{text, title, icon, PromptButtons::Ok}, parent);
  }
  // A Yes/No question with the question icon; true on Yes.
  bool yesNo(const QString& text, const QString& title, QWidget* parent = nullptr) {
    return ask(Prompt{text, title, PromptIcon::Question, PromptButtons::YesNo}, parent) == PromptAnswer::Yes;
  }
};

// The real one: a modal message box.
class MessageBoxPrompter : public Prompter {
 public:
  // With program values the buttons speak the program's language (texts 185-188), whatever
  // the system's own language is.
  explicit MessageBoxPrompter(const ProgramValues* values = nullptr) : values_(values) {}
  PromptAnswer ask(const Prompt& prompt, QWidget* parent) override;

 private:
  const ProgramValues* values_;
};

}  // namespace mervalo
