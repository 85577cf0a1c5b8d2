// The floor of the start-up benchmark: a Qt program with nothing else in it
// that builds the same window as the program — the same kinds of widgets,
// geometry, captions, fonts, icon, menu and tab pages — shows it and quits as
// soon as its event loop runs.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <map>

namespace {

struct BareFont {
  const char* face;  // nullptr: the window's font
  int pixel_size;
  int weight;
};

struct BareControl {
  int kind;  // the form's kinds in order: window, label, button, edit box, group box,
             // picture box, tab control, hyperlink box, timer, HTML browser box
  unsigned id;
  unsigned parent;  // 0: the client area
  int page;         // the tab page of a control inside a tab control, else -1
  int left, top, width, height;
  const char* caption;
  BareFont font;
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

// The installed families that stand for the form's Windows faces, each
// with the family that fills in the characters it lacks.
QStringList families(const char* face) {
  struct Row {
    const char* face;
    QStringList families;
  };
  static const Row kRows[] = {
      {"宋体", {"Noto Serif CJK SC"}},
      {"黑体", {"Noto Sans CJK SC"}},
      {"Times New Roman", {"Liberation Serif", "Noto Serif CJK SC"}},
  };
  for (const Row& row : kRows) {
    if (QString::fromUtf8(face) == QString::fromUtf8(row.face)) {
      return row.families;
    }
  }
  return {QString::fromUtf8(face)};
}

QFont font_of(const BareFont& f) {
  QFont font;
  font.setFamilies(families(f.face));
  font.setPixelSize(f.pixel_size);
  font.setWeight(static_cast<QFont::Weight>(f.weight));
  return font;
}

// Geometry and font first, the text after, so a text is laid out once in
// the font it shows in.
template <class W>
W* placed(W* widget, const BareControl& c) {
  widget->setGeometry(c.left, c.top, c.width, c.height);
  if (c.font.face != nullptr) {
    widget->setFont(font_of(c.font));
  }
  return widget;
}

QWidget* build(const BareControl& c, QWidget* parent) {
  const QString caption = QString::fromUtf8(c.caption);
  switch (c.kind) {
    case kLabel:
    case kPictureBox:
    case kLink: {
      auto* label = placed(new QLabel(parent), c);
      label->setText(caption);
      return label;
    }
    case kButton: {
      auto* button = placed(new QPushButton(parent), c);
      button->setText(caption);
      return button;
    }
    case kEditBox: {
      auto* edit = placed(new QLineEdit(parent), c);
      edit->setText(caption);
      return edit;
    }
    case kGroupBox: {
      auto* group = placed(new QGroupBox(parent), c);
      group->setTitle(caption);
      return group;
    }
    case kTab: {
      auto* tab = placed(new QTabWidget(parent), c);
      for (const QString& page : caption.split(QLatin1Char('\n'))) {
        tab->addTab(new QWidget, page);
      }
      return tab;
    }
    case kHtml:
      return placed(new QTextBrowser(parent), c);
    default:
      return nullptr;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  QPixmap icon;
  icon.loadFromData(kIcon, sizeof kIcon, "ICO");
  window.setWindowIcon(icon);
  window.setFont(font_of({"宋体", 12, 400}));
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
