#include "tests/window_table/live_controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTabBar>
#include <QTest>

namespace window_table {

QWidget* LiveControls::control(const char* utf8_name) const {
  const QString name = QString::fromUtf8(utf8_name);
  for (QWidget* w : QApplication::allWidgets()) {
    if (w->objectName() == name && window()->isAncestorOf(w)) {
      return w;
    }
  }
  return nullptr;
}

const ControlRow* LiveControls::row_named(const QString& name) {
  for (const ControlRow& row : control_rows()) {
    if (name == QString::fromUtf8(row.name)) {
      return &row;
    }
  }
  return nullptr;
}

const ControlRow* LiveControls::enclosing_control(QWidget* w) {
  for (; w != nullptr; w = w->parentWidget()) {
    if (const ControlRow* row = row_named(w->objectName())) {
      return row;
    }
  }
  return nullptr;
}

bool LiveControls::contained_in(const ControlRow& inner, const ControlRow& outer) {
  for (const ControlRow* row = &inner; row != nullptr;
       row = row->parent ? row_named(QString::fromUtf8(row->parent)) : nullptr) {
    if (row == &outer) {
      return true;
    }
  }
  return false;
}

QPoint LiveControls::client_position(const ControlRow& row) {
  const QPoint own(row.left, row.top);
  return row.parent ? own + client_position(*row_named(QString::fromUtf8(row.parent))) : own;
}

void LiveControls::show_page(int page) {
  QWidget* tab = control("选择夹1");
  ASSERT_NE(tab, nullptr);
  auto* bar = tab->findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_GT(bar->count(), page);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
  ASSERT_EQ(bar->currentIndex(), page);
}

}  // namespace window_table
