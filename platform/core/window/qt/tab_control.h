// A tab control whose pages cover the whole control, so that the controls on
// a page are placed relative to the tab control itself, as the form gives
// them; the tab strip stays on top.
#pragma once

#include <QTabBar>
#include <QWidget>

#include <vector>

namespace core::window {

class TabControl : public QWidget {
 public:
  explicit TabControl(QWidget* parent);

  QWidget* add_page(const QString& caption);
  QWidget* page(int index) const { return pages_.at(static_cast<size_t>(index)); }
  int page_count() const { return static_cast<int>(pages_.size()); }

  int current() const { return bar_->currentIndex(); }
  void set_current(int index) { bar_->setCurrentIndex(index); }
  QTabBar* bar() const { return bar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void show_page(int index);

  QTabBar* bar_;
  std::vector<QWidget*> pages_;
};

}  // namespace core::window
