#pragma once

#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace mervalo::test {

// Clicks a cell as the user would: press and release in the middle of it.
inline void clickCell(QTableWidget* table, int row, int col) {
  QTableWidgetItem* item = table->item(row, col);
  ASSERT_NE(item, nullptr) << "no cell " << row << "," << col;
  table->scrollToItem(item);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(item).center());
}

inline void clickEntry(QListWidget* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchExactly);
  ASSERT_FALSE(found.isEmpty()) << "no entry " << text.toStdString();
  list->scrollToItem(found.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

inline QStringList listEntries(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace mervalo::test
