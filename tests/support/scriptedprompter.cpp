#include "scriptedprompter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mervalo::test {

ScriptedPrompter::~ScriptedPrompter() {
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never used";
}

PromptAnswer ScriptedPrompter::ask(const Prompt& prompt, QWidget*) {
  shown_.push_back(prompt);
  if (prompt.buttons == PromptButtons::Ok) return PromptAnswer::Ok;
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << prompt.text.toStdString();
    return prompt.buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::No;
  }
  const PromptAnswer a = answers_.front();
  answers_.pop_front();
  return a;
}

int ScriptedPrompter::countText(const QString& text) const {
  return static_cast<int>(std::count_if(shown_.begin(), shown_.end(), [&](const Prompt& p) { return p.text == text; }));
}

}  // namespace mervalo::test
