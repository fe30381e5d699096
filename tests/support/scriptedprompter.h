#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "app/screens/prompter.h"

namespace mervalo::test {

// Records every prompt a screen shows and answers questions from a script. A question that no
// scripted answer is waiting for fails the test (and is answered No); answers left unused when
// the prompter is destroyed fail it too.
class ScriptedPrompter : public Prompter {
 public:
  ~ScriptedPrompter() override;

  PromptAnswer ask(const Prompt& prompt, QWidget* parent) override;

  // Queue the answer for the next question (Yes/No/Cancel kinds). Plain messages need none.
  void answer(PromptAnswer a) { answers_.push_back(a); }
  void answerYes() { answer(PromptAnswer::Yes); }
  void answerNo() { answer(PromptAnswer::No); }

  const std::vector<Prompt>& shown() const { return shown_; }
  int count() const { return static_cast<int>(shown_.size()); }
  const Prompt& last() const { return shown_.back(); }
  // How many prompts so far had exactly this text.
  int countText(const QString& text) const;
  void clear() { shown_.clear(); }

 private:
  std::vector<Prompt> shown_;
  std::deque<PromptAnswer> answers_;
};

}  // namespace mervalo::test
