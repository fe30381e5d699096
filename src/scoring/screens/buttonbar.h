#pragma once

#include <QVector>
#include <QWidget>
#include <functional>

class QPushButton;

namespace mervalo {

// A bar of numbered buttons, name_1 … name_n, laid out in lines: the board buttons of the entry
// per board, the round buttons of the entry per round. Each button has a background colour of
// its own that the screen sets (completed or not, chosen or not).
class ButtonBar : public QWidget {
  Q_OBJECT
 public:
  ButtonBar(const QString& objectName, int perLine, QWidget* parent);

  // Makes buttons 1 … count (captions and accessible names from the two functions), replacing
  // any there were.
  void build(int count, const std::function<QString(int)>& caption, const std::function<QString(int)>& accessibleName);
  int count() const { return static_cast<int>(buttons_.size()); }
  QPushButton* button(int n) const;
  // The height the bar needs for its lines.
  int neededHeight() const;

  // Sets button n's background (a style sheet is set only when it changes).
  void setColour(int n, const QColor& colour);

 signals:
  void clicked(int n);

 private:
  QString name_;
  int perLine_;
  QVector<QPushButton*> buttons_;
};

}  // namespace mervalo
