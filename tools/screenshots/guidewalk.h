#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <functional>

#include "app/programvalues.h"
#include "app/screens/prompter.h"

class QTableWidget;

namespace mervalo::guide {

// Drives the program's real windows as the organiser would and keeps a picture of each step.
// Every window and control is found by its object name; one that is missing, hidden or
// disabled when the walk needs it stops the run with a message that names it, so that a
// changed screen is noticed when the pictures are made again.
class Walk {
 public:
  explicit Walk(QString outDir) : outDir_(std::move(outDir)) {}

  // Run before the process ends on a failure (stops the mail server, removes the folder).
  void onFailure(std::function<void()> cleanUp) { cleanUp_ = std::move(cleanUp); }
  // Stops the walk when a modal window that nothing answers stays open: it would block forever.
  void guardAgainstStrayWindows();
  // What the walk is doing, for the failure message.
  void step(const QString& what) { step_ = what; }
  [[noreturn]] void fail(const QString& why) const;

  // The visible top-level window with this object name, waited for.
  QWidget* window(const QString& name);
  void waitGone(const QString& name);
  void waitUntil(const std::function<bool()>& condition, const QString& what, int ms = 15'000);

  QWidget* control(QWidget* window, const QString& name) const;
  template <class T>
  T* control(QWidget* window, const QString& name) const {
    auto* typed = qobject_cast<T*>(control(window, name));
    if (!typed) fail(QStringLiteral("%1 in %2 is not a %3").arg(name, window->objectName(), QLatin1String(T::staticMetaObject.className())));
    return typed;
  }
  // The control, which must also be visible and enabled: the user is about to use it.
  QWidget* usable(QWidget* window, const QString& name) const;

  // A mouse click in the middle of a button, check box or option button.
  void click(QWidget* window, const QString& name);
  // Types the text into a box key by key.
  void type(QWidget* window, const QString& box, const QString& text);
  void key(QWidget* window, const QString& box, Qt::Key key);
  // Clicks the entry of a list with exactly this text.
  void pick(QWidget* window, const QString& list, const QString& entry);
  // Clicks a cell of a grid.
  void pickCell(QWidget* window, const QString& table, int row, int col);
  // The first row whose cell in col holds exactly this text.
  int rowWith(QWidget* window, const QString& table, int col, const QString& text) const;

  // Saves a picture of the widget as "NN-slug.png" (NN the number of the picture). Without
  // settle the picture shows the widget as it stands, with no queued event run first.
  void shoot(QWidget* widget, const QString& slug, bool settle = true);
  int shots() const { return shots_; }

 private:
  QString outDir_;
  QString step_;
  int shots_ = 0;
  std::function<void()> cleanUp_;
};

// Runs act on the modal window that the next action opens, from inside that window's own
// event loop; act returns false for a window it does not want (the watch goes on).
void whenModal(Walk& walk, const QString& what, std::function<bool(QWidget*)> act);

// Every message of the program, shown in the program's own message box and answered as the
// walk expects: a message nobody expected stops the walk, as does an expected one that never came.
class GuidePrompter : public Prompter {
 public:
  GuidePrompter(Walk& walk, const ProgramValues* values) : walk_(walk), values_(values), real_(values) {}

  // The next message is text n (up to its first place-holder); with a slug it is pictured.
  void expect(int textNumber, PromptAnswer answer, const QString& slug = {});
  bool allShown() const { return expected_.empty(); }
  void checkAllShown() const;

  PromptAnswer ask(const Prompt& prompt, QWidget* parent) override;

 private:
  struct Expected {
    int textNumber;
    PromptAnswer answer;
    QString slug;
  };
  Walk& walk_;
  const ProgramValues* values_;
  MessageBoxPrompter real_;
  std::deque<Expected> expected_;
};

}  // namespace mervalo::guide
