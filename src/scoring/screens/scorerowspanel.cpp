#include "scoring/screens/scorerowspanel.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QValidator>

#include "app/screens/clicklabel.h"
#include "app/screens/screen.h"
#include "scoring/scoretable.h"

namespace mervalo {

namespace {

// The keys a score box takes besides Enter and Backspace.
const QString kNsKeys = QStringLiteral("1234567890-nN%");
const QString kEwKeys = QStringLiteral("1234567890-n%");

// Holds a box to its keys whatever way text comes in: typed, pasted or dropped text loses
// every character the box does not take.
class ScoreKeysValidator : public QValidator {
 public:
  ScoreKeysValidator(const QString& keys, QObject* parent) : QValidator(parent), keys_(keys) {}
  State validate(QString& input, int& pos) const override {
    QString kept;
    kept.reserve(input.size());
    int newPos = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
      if (keys_.contains(input[i])) {
        kept.append(input[i]);
      } else if (i < pos) {
        --newPos;
      }
    }
    input = kept;
    pos = std::max(0, newPos);
    return Acceptable;
  }

 private:
  QString keys_;
};

QLabel* panelLabel(QWidget* parent, const QString& name, int width) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setAlignment(Qt::AlignCenter);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setFixedWidth(width);
  return l;
}

}  // namespace

ScoreRowsPanel::ScoreRowsPanel(Screen& screen, Columns columns, QWidget* parent)
    : QScrollArea(parent), screen_(screen), columns_(columns) {
  setFrameShape(QFrame::NoFrame);
  panel_ = new QWidget;
  setWidget(panel_);
  layout_ = new QGridLayout(panel_);
  layout_->setContentsMargins(4, 0, 4, 0);
  layout_->setHorizontalSpacing(4);
  layout_->setVerticalSpacing(2);
  layout_->setColumnStretch(7, 1);
}

QLabel* ScoreRowsPanel::nsPairLabel(int row) const { return rows_[row].nsPair; }

void ScoreRowsPanel::setRowCount(int n, QWidget* tabAfter) {
  QWidget* previous = tabAfter ? tabAfter : rows_.isEmpty() ? nullptr : static_cast<QWidget*>(rows_.last().ew);
  layout_->setRowStretch(static_cast<int>(rows_.size()), 0);
  for (int i = static_cast<int>(rows_.size()); i < n; ++i) {
    Row r;
    int col = 0;
    if (columns_.pairs) {
      r.nsPair = new ClickLabel(panel_);
      r.nsPair->setObjectName(QStringLiteral("lblNZ_%1").arg(i));
      r.nsPair->setAlignment(Qt::AlignCenter);
      r.nsPair->setFrameShape(QFrame::Panel);
      r.nsPair->setFrameShadow(QFrame::Sunken);
      r.nsPair->setFixedWidth(46);
      r.nsPair->setCursor(Qt::PointingHandCursor);
      connect(r.nsPair, &ClickLabel::clicked, this, [this, i] {
        if (rows_[i].enabled) emit swapRequested(i);
      });
      r.ewPair = panelLabel(panel_, QStringLiteral("lblOW_%1").arg(i), 46);
      layout_->addWidget(r.nsPair, i, col++);
      layout_->addWidget(r.ewPair, i, col++);
    }
    if (columns_.board) {
      r.board = new QLabel(panel_);
      r.board->setObjectName(QStringLiteral("lblSPel_%1").arg(i));
      r.board->setFixedWidth(80);
      layout_->addWidget(r.board, i, col++);
    }
    r.ns = new QLineEdit(panel_);
    r.ew = new QLineEdit(panel_);
    r.ns->setObjectName(QStringLiteral("txtScoreNZ_%1").arg(i));
    r.ew->setObjectName(QStringLiteral("txtScoreOW_%1").arg(i));
    for (QLineEdit* box : {r.ns, r.ew}) {
      box->setFixedWidth(96);
      box->setMaxLength(8);
      box->installEventFilter(this);
    }
    r.ns->setValidator(new ScoreKeysValidator(kNsKeys, r.ns));
    r.ew->setValidator(new ScoreKeysValidator(kEwKeys, r.ew));
    layout_->addWidget(r.ns, i, col++);
    layout_->addWidget(r.ew, i, col++);
    if (columns_.points) {
      r.nsPoints = panelLabel(panel_, QStringLiteral("lblMPNZ_%1").arg(i), 66);
      r.ewPoints = panelLabel(panel_, QStringLiteral("lblMPOW_%1").arg(i), 66);
      layout_->addWidget(r.nsPoints, i, col++);
      layout_->addWidget(r.ewPoints, i, col++);
    }
    connect(r.ns, &QLineEdit::textEdited, this, [this, i](const QString& t) {
      // Emptying an NS box empties its EW box.
      if (t.isEmpty()) rows_[i].ew->clear();
      emit scoresEdited();
    });
    connect(r.ew, &QLineEdit::textEdited, this, [this](const QString&) { emit scoresEdited(); });
    if (previous) QWidget::setTabOrder(previous, r.ns);
    QWidget::setTabOrder(r.ns, r.ew);
    previous = r.ew;
    rows_.append(r);
  }
  layout_->setRowStretch(n, 1);
  panel_->adjustSize();
}

void ScoreRowsPanel::setRowEnabled(int row, bool enabled) {
  Row& r = rows_[row];
  r.enabled = enabled;
  for (QWidget* w : std::initializer_list<QWidget*>{r.nsPair, r.ewPair, r.board, r.ns, r.ew, r.nsPoints, r.ewPoints})
    if (w) w->setEnabled(enabled);
}

void ScoreRowsPanel::clearRow(int row) {
  Row& r = rows_[row];
  r.ns->clear();
  r.ew->clear();
  if (r.nsPoints) r.nsPoints->clear();
  if (r.ewPoints) r.ewPoints->clear();
}

void ScoreRowsPanel::focusFirstEnabled() {
  for (const Row& r : rows_) {
    if (!r.enabled) continue;
    screen_.caretToEnd(r.ns);
    return;
  }
}

bool ScoreRowsPanel::bothScoresInEveryRow() const {
  bool any = false;
  for (const Row& r : rows_) {
    if (!r.enabled) continue;
    any = true;
    if (r.ns->text().trimmed().isEmpty() || r.ew->text().trimmed().isEmpty()) return false;
  }
  return any;
}

bool ScoreRowsPanel::nsScoreInEveryRow() const {
  bool any = false;
  for (const Row& r : rows_) {
    if (!r.enabled) continue;
    any = true;
    if (r.ns->text().trimmed().isEmpty()) return false;
  }
  return any;
}

int ScoreRowsPanel::rowOf(QObject* box, bool* ns) const {
  for (int i = 0; i < rows_.size(); ++i) {
    if (box == rows_[i].ns || box == rows_[i].ew) {
      *ns = box == rows_[i].ns;
      return i;
    }
  }
  return -1;
}

bool ScoreRowsPanel::eventFilter(QObject* watched, QEvent* event) {
  bool ns = false;
  const int row = rowOf(watched, &ns);
  if (row < 0) return QScrollArea::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      return scoreKey(row, ns, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
      // A box that takes the focus is scrolled into view, whichever way it got it.
      ensureWidgetVisible(static_cast<QWidget*>(watched));
      if (ns) emit nsFocused(row);
      break;
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (ns && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        // Counted after the focus has moved on, so that the screen's own move wins.
        QTimer::singleShot(0, this, [this] { emit nsLeft(); });
      }
      break;
    }
    default:
      break;
  }
  return QScrollArea::eventFilter(watched, event);
}

bool ScoreRowsPanel::scoreKey(int row, bool ns, QKeyEvent* key) {
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;  // paste is held by the validator
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (ns)
        enterInNs(row);
      else
        moveVertically(row, false, +1);
      return true;
    case Qt::Key_Up:
      moveVertically(row, ns, -1);
      return true;
    case Qt::Key_Down:
      moveVertically(row, ns, +1);
      return true;
    case Qt::Key_F2: {
      QLineEdit* box = ns ? rows_[row].ns : rows_[row].ew;
      emit swapRequested(row);
      screen_.safeFocus(box);
      return true;
    }
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      return false;
    default:
      break;
  }
  const QString t = key->text();
  if (t.isEmpty()) return false;
  if (t.compare(QStringLiteral("c"), Qt::CaseInsensitive) == 0) {
    clearRow(row);
    emit scoresEdited();
    return true;
  }
  if (t.size() == 1 && (ns ? kNsKeys : kEwKeys).contains(t)) return false;  // typed as usual
  if (extraKey && extraKey(row, ns, t)) return true;
  return true;  // swallowed
}

void ScoreRowsPanel::enterInNs(int row) {
  Row& r = rows_[row];
  if (r.ns->text().trimmed().isEmpty() && row > 0) {
    // The same score as the table above (the nearest enabled row, one or two up).
    for (int up = row - 1; up >= 0 && up >= row - 2; --up) {
      if (!rows_[up].enabled) continue;
      r.ns->setText(rows_[up].ns->text());
      break;
    }
  }
  const QString typed = r.ns->text().trimmed();
  if (typed.isEmpty()) return;
  if (typed.contains(QLatin1Char('%'))) {
    // An adjusted score: EW types its own percentage.
    screen_.caretToEnd(r.ew);
    return;
  }
  const EnteredScore entered = enterNsScore(r.boardNumber, typed);
  r.ns->setText(entered.texts.ns);
  r.ew->setText(entered.texts.ew);
  emit scoresEdited();
  const int number = verdictTextNumber(entered.verdict);
  if (entered.verdict == ScoreVerdict::Impossible) {
    screen_.inform(verdictMessage(screen_.message(number), entered.texts.ns));
    r.ns->clear();
    r.ew->clear();
    emit scoresEdited();
    screen_.safeFocus(r.ns);
    return;
  }
  if (entered.verdict == ScoreVerdict::WrongVulnerability)
    screen_.inform(verdictMessage(screen_.message(number), entered.texts.ns));
  moveVertically(row, true, +1);
}

void ScoreRowsPanel::moveVertically(int row, bool ns, int step) {
  for (int i = row + step; i >= 0 && i < rows_.size(); i += step) {
    if (!rows_[i].enabled) continue;
    QLineEdit* box = ns ? rows_[i].ns : rows_[i].ew;
    screen_.caretToEnd(box);
    return;
  }
  // Nowhere further down: the rows may be complete.
  if (step > 0) {
    emit pastLastRow();
    emit nsLeft();
  }
}

}  // namespace mervalo
