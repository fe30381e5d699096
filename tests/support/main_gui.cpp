#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Any dialog that is shown outside the scripted prompter would block a headless run: fail the
// test that showed it and close it at once.
class DialogGuard : public QObject {
 public:
  bool eventFilter(QObject* obj, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      // A test of the real message boxes says so on the application and answers them itself.
      if (auto* box = qobject_cast<QMessageBox*>(obj); box && !qApp->property("expectMessageBox").toBool()) {
        ADD_FAILURE() << "a message box appeared outside the prompter: " << box->text().toStdString();
        QTimer::singleShot(0, box, [box] { box->done(QMessageBox::No); });
      }
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  DialogGuard guard;
  app.installEventFilter(&guard);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
