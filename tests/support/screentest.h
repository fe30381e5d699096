#pragma once

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include "qtprint.h"

#include "app/screens/appcontext.h"
#include "scriptedprompter.h"

namespace mervalo::test {

// A fresh program folder and context for every screen test. The folder holds what an
// installation supplies (taal.txt with the given language); tests add files as they need.
class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest();
  ~ScreenTest() override;

  QString folder() const { return dir_.path(); }
  QString path(const QString& relative) const { return dir_.path() + relative; }
  bool exists(const QString& relative) const { return QFile::exists(path(relative)); }
  // Writes a text file (CR LF line ends, Windows-1252) under the program folder.
  void writeFile(const QString& relative, const QStringList& lines);
  void writeRaw(const QString& relative, const QByteArray& bytes);
  QByteArray readRaw(const QString& relative) const;
  QStringList readLines(const QString& relative) const;
  void setLanguage(int language);

  QTemporaryDir dir_;
  ScriptedPrompter prompter;
  AppContext ctx;
  bool quitCalled = false;
};

// The child of root with this object name, or nullptr.
template <class T = QWidget>
T* child(QObject* root, const QString& name) {
  return root ? root->findChild<T*>(name) : nullptr;
}

// The first top-level widget with this object name that is visible, or nullptr.
QWidget* topLevel(const QString& name);

}  // namespace mervalo::test
