#include "app/screens/filepanel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalo {

FilePanel makeFilePanel(QWidget* parent, const char* frameName, const char* listName, const char* sortName,
                        const char* removeName) {
  FilePanel p;
  p.frame = new QGroupBox(parent);
  p.frame->setObjectName(QString::fromLatin1(frameName));
  p.list = new QListWidget(p.frame);
  p.list->setObjectName(QString::fromLatin1(listName));
  p.sort = new QCheckBox(p.frame);
  p.sort->setObjectName(QString::fromLatin1(sortName));
  p.remove = new QPushButton(p.frame);
  p.remove->setObjectName(QString::fromLatin1(removeName));
  auto* column = new QVBoxLayout(p.frame);
  column->addWidget(p.list);
  column->addWidget(p.sort);
  column->addWidget(p.remove);
  return p;
}

void FilePanel::setTexts(const QString& title, const QString& sortText, const QString& removeText) const {
  frame->setTitle(title);
  sort->setText(sortText);
  remove->setText(removeText);
}

}  // namespace mervalo
