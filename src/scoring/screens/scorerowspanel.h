#pragma once

#include <QScrollArea>
#include <QVector>
#include <functional>

class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace mervalo {

class ClickLabel;
class Screen;

// The score rows of both entry screens: per row an NS and an EW score box, with the labels the
// screen wants beside them (the two pair numbers and the two matchpoints on the entry per board,
// the board number on the entry per round). The rules of the score boxes live here once:
// the keys they take (typed, pasted or dropped), "c" clearing the row, Enter normalising, mirroring
// and checking the NS score against the row's board with the screen's messages, Enter in an empty
// NS box copying the score of the row above, Up/Down between the rows, F2 asking for a swap.
class ScoreRowsPanel : public QScrollArea {
  Q_OBJECT
 public:
  struct Columns {
    bool pairs = false;   // lblNZ_i (clickable) and lblOW_i before the boxes
    bool board = false;   // lblSPel_i before the boxes
    bool points = false;  // lblMPNZ_i and lblMPOW_i after the boxes
  };

  ScoreRowsPanel(Screen& screen, Columns columns, QWidget* parent);

  // Grows the panel to n rows (rows are never taken away; the screen disables what it does
  // not use). New boxes follow `tabAfter` (or the last box) in the tab order.
  void setRowCount(int n, QWidget* tabAfter = nullptr);
  int rowCount() const { return static_cast<int>(rows_.size()); }

  QLineEdit* nsBox(int row) const { return rows_[row].ns; }
  QLineEdit* ewBox(int row) const { return rows_[row].ew; }
  QLabel* nsPairLabel(int row) const;
  QLabel* ewPairLabel(int row) const { return rows_[row].ewPair; }
  QLabel* boardLabel(int row) const { return rows_[row].board; }
  QLabel* nsPointsLabel(int row) const { return rows_[row].nsPoints; }
  QLabel* ewPointsLabel(int row) const { return rows_[row].ewPoints; }

  // A disabled row is greyed out and skipped by the keys; it counts as done.
  void setRowEnabled(int row, bool enabled);
  bool rowEnabled(int row) const { return rows_[row].enabled; }
  // The board whose vulnerability decides the check of the row's NS score.
  void setRowBoard(int row, int board) { rows_[row].boardNumber = board; }

  // Empties the row's boxes and matchpoint labels.
  void clearRow(int row);
  // The focus to the NS box of the first enabled row, caret at the end.
  void focusFirstEnabled();
  // Every enabled row holds both scores (blanks trimmed away), and there is at least one.
  bool bothScoresInEveryRow() const;
  // Every enabled row has an NS score.
  bool nsScoreInEveryRow() const;

  // Keys a box does not take go here first (the screen's own letters); true when taken.
  std::function<bool(int row, bool ns, const QString& text)> extraKey;

 signals:
  void scoresEdited();        // the user changed a box
  void nsLeft();              // an NS box lost the focus, or Enter went past the last row
  void nsFocused(int row);    // an NS box took the focus
  void pastLastRow();         // Enter or Down in the last enabled row
  void swapRequested(int row);  // F2 in a box of the row, or a click on its NS pair number

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    ClickLabel* nsPair = nullptr;
    QLabel* ewPair = nullptr;
    QLabel* board = nullptr;
    QLineEdit* ns = nullptr;
    QLineEdit* ew = nullptr;
    QLabel* nsPoints = nullptr;
    QLabel* ewPoints = nullptr;
    bool enabled = true;
    int boardNumber = 0;
  };

  bool scoreKey(int row, bool ns, QKeyEvent* key);
  void enterInNs(int row);
  void moveVertically(int row, bool ns, int step);
  int rowOf(QObject* box, bool* ns) const;

  Screen& screen_;
  Columns columns_;
  QWidget* panel_ = nullptr;
  QGridLayout* layout_ = nullptr;
  QVector<Row> rows_;
};

}  // namespace mervalo
