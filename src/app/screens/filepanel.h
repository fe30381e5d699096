#pragma once

#include <QString>

class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QWidget;

namespace mervalo {

// A framed list of files with its sort box and its delete button below it, as the group and
// name-list, group and event-start screens show their name lists, group files and event files.
struct FilePanel {
  QGroupBox* frame = nullptr;
  QListWidget* list = nullptr;
  QCheckBox* sort = nullptr;
  QPushButton* remove = nullptr;

  // The frame's title and the words on the sort box and the remove button.
  void setTexts(const QString& title, const QString& sortText, const QString& removeText) const;
};

// The controls get the given object names; the caller sets their texts.
FilePanel makeFilePanel(QWidget* parent, const char* frameName, const char* listName, const char* sortName,
                        const char* removeName);

}  // namespace mervalo
