// The floor of the start-up benchmark: a Qt program with nothing else in it
// that builds the same window as the program — the same kinds of widgets,
// geometry, captions, menu and tab pages — shows it and quits as soon as
// its event loop runs.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <map>

namespace {

struct BareControl {
  int kind;  // the form's kinds in order: window, label, button, edit box, group box,
             // picture box, tab control, hyperlink box, timer, HTML browser box
  unsigned id;
  unsigned parent;  // 0: the client area
  int page;         // the tab page of a control inside a tab control, else -1
  int left, top, width, height;
  const char* caption;
};

struct BareMenuItem {
  unsigned level;  // 0: a menu of the bar, 1: an item of the last menu
  const char* caption;
};

#include "bare_form_table.inc"

enum Kind {
  kWindow,
  kLabel,
  kButton,
  kEditBox,
  kGroupBox,
  kPictureBox,
  kTab,
  kLink,
  kTimer,
  kHtml
};

QWidget* build(const BareControl& c, QWidget* parent) {
  const QString caption = QString::fromUtf8(c.caption);
  switch (c.kind) {
    case kLabel:
    case kPictureBox:
    case kLink:
      return new QLabel(caption, parent);
    case kButton:
      return new QPushButton(caption, parent);
    case kEditBox:
      return new QLineEdit(caption, parent);
    case kGroupBox:
      return new QGroupBox(caption, parent);
    case kTab: {
      auto* tab = new QTabWidget(parent);
      for (const QString& page : caption.split(QLatin1Char('\n'))) {
        tab->addTab(new QWidget, page);
      }
      return tab;
    }
    case kHtml:
      return new QTextBrowser(parent);
    default:
      return nullptr;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  auto* client = new QWidget;
  window.setCentralWidget(client);
  QMenu* menu = nullptr;
  for (const BareMenuItem& item : kMenu) {
    const QString caption = QString::fromUtf8(item.caption);
    if (item.level == 0) {
      menu = window.menuBar()->addMenu(caption);
    } else if (menu != nullptr) {
      menu->addAction(caption);
    }
  }
  std::map<unsigned, QWidget*> widgets;
  for (const BareControl& c : kControls) {
    if (c.kind == kWindow) {
      window.setWindowTitle(QString::fromUtf8(c.caption));
      window.resize(c.width, c.height);
    } else if (c.kind == kTimer) {
      new QTimer(&window);
    } else if (QWidget* w = build(c, client)) {
      w->setGeometry(c.left, c.top, c.width, c.height);
      widgets[c.id] = w;
    }
  }
  // Into their group boxes and tab pages once all are built.
  for (const BareControl& c : kControls) {
    const auto self = widgets.find(c.id);
    const auto parent = widgets.find(c.parent);
    if (self == widgets.end() || parent == widgets.end()) {
      continue;
    }
    QWidget* host = parent->second;
    if (auto* tab = qobject_cast<QTabWidget*>(host); tab != nullptr && c.page >= 0) {
      host = tab->widget(c.page);
    }
    self->second->setParent(host);
    self->second->setGeometry(c.left, c.top, c.width, c.height);
  }
  window.show();
  QTimer::singleShot(0, &app, &QApplication::quit);
  return app.exec();
}
