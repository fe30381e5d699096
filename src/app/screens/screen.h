#pragma once

#include <QPointer>
#include <functional>
#include <initializer_list>
#include <QWidget>

#include "app/screens/appcontext.h"

// The standard controls every screen declares.
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableWidget;

namespace mervalo {

// Base of every window of the program. A screen is opened modeless by another screen (its
// opener), which stays disabled until this one closes; closing re-enables the opener and runs
// its activation steps again. Screens are deleted when they close.
class Screen : public QWidget {
  Q_OBJECT
 public:
  Screen(AppContext& ctx, Screen* opener, QWidget* parent = nullptr);
  ~Screen() override;

  AppContext& ctx() const { return ctx_; }
  ProgramValues& values() const { return ctx_.values; }
  Screen* opener() const { return opener_; }
  QString text(int n) const { return ctx_.values.text(n); }
  QString message(int n) const { return ctx_.values.message(n); }

  // The activation steps; run after the screen is first shown and whenever a screen it
  // opened has closed.
  virtual void formActivate() {}

  // Disables this screen and opens the named one modeless; nullptr when it does not exist
  // (this screen is then left enabled).
  Screen* openChild(ScreenId id);

  // Called by a closing child: enable, show and activate again.
  void returnFromChild();

  // Gives the focus to the off-screen focus sink.
  void parkFocus();

  // Focuses control only when this window is visible and enabled and the control is visible
  // and enabled; otherwise does nothing.
  void safeFocus(QWidget* control);

  // Focuses a text box (as safeFocus) and puts the caret after what is there, so the next key
  // adds to it.
  void caretToEnd(QLineEdit* box);

  // Centres the window on the primary screen.
  void centreOnScreen();

  // Shows the window and runs its activation steps.
  void showAndActivate();

  // Removes the files that exist; the ones that cannot be removed are named in text 183.
  // True when none is left.
  bool removeFilesOrReport(const QStringList& paths);

  // Message box with this screen's caption as title.
  void inform(const QString& text, PromptIcon icon = PromptIcon::Information);
  bool askYesNo(const QString& text);

 protected:
  // Creates the focus sink with the screen's own name for it ("cmdSetFocus", "cmdSetfocus" or
  // "cmdFocus") and places it beyond the window's right edge.
  QPushButton* makeFocusSink(const QString& objectName);
  QPushButton* focusSink() const { return focusSink_; }

  enum class EscapeKey { Ignored, ClosesOnPress, ClosesOnRelease };
  // The keys that close this screen, handled here for every screen: Esc on its press, or on its
  // release after a press on this screen (so the release of an Esc that closed a message box
  // does not take the screen, and what was typed on it, along), and Ctrl+F4 when asked. The
  // keys reach this screen directly or through any child it filters events of. closer runs
  // instead of close() (a screen whose way back does more).
  void closeOnKeys(EscapeKey escape, bool ctrlF4, std::function<void()> closer = {});
  // Tab moves through the controls in this order.
  void setTabChain(std::initializer_list<QWidget*> order);
  // An Esc pressed before now no longer closes the screen on its release.
  void forgetEscapePress() { escapePressed_ = false; }

  // Return false to keep the window open.
  virtual bool formQueryUnload() { return true; }

  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Enter and Return on a focused button press it, as Space does.
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  AppContext& ctx_;
  QPointer<Screen> opener_;
  QPushButton* focusSink_ = nullptr;
  // True when the key event was a closing key and has been dealt with.
  bool closingKey(QKeyEvent* event, bool press);
  EscapeKey escape_ = EscapeKey::Ignored;
  bool escapePressed_ = false;
  std::function<void()> closer_;
};

// A control of type W under parent, named for checks and screen readers.
template <class W>
W* makeNamed(QWidget* parent, const char* name) {
  auto* w = new W(parent);
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

}  // namespace mervalo
