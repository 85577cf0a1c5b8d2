#include "platform/core/window/qt/tab_control.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>

namespace core::window {

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
  // A click on a tab takes the focus, Tab does not: Tab moves between the
  // page's controls.
  bar_->setFocusPolicy(Qt::ClickFocus);
  bar_->setDrawBase(false);
  bar_->setExpanding(false);  // tabs as wide as their captions
  connect(bar_, &QTabBar::currentChanged, this, &TabControl::show_page);
}

QWidget* TabControl::add_page(const QString& caption) {
  auto* page = new QWidget(this);
  page->setGeometry(rect());
  pages_.push_back(page);
  bar_->addTab(caption);
  bar_->raise();
  show_page(bar_->currentIndex());
  return page;
}

// The focus leaves a page before the page hides; otherwise Qt would pass it
// on to the next control and start that control's got-focus handler unasked.
void TabControl::show_page(int index) {
  QWidget* focus = QApplication::focusWidget();
  for (int i = 0; i < page_count(); ++i) {
    if (i != index && focus && pages_[i]->isAncestorOf(focus)) {
      bar_->setFocus(Qt::OtherFocusReason);
    }
  }
  for (int i = 0; i < page_count(); ++i) {
    pages_[i]->setVisible(i == index);
  }
}

void TabControl::resizeEvent(QResizeEvent*) {
  bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
  for (QWidget* page : pages_) {
    page->setGeometry(rect());
  }
}

void TabControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  const int top = bar_->sizeHint().height() - 2;
  frame.rect = QRect(0, top, width(), height() - top);
  frame.tabBarSize = bar_->sizeHint();
  frame.shape = QTabBar::RoundedNorth;
  frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace core::window
