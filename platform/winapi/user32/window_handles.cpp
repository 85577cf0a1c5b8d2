#include "platform/winapi/user32/window_handles.h"

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <map>
#include <mutex>
#include <unordered_map>

namespace winapi::user32 {

namespace {

struct Entry {
  QPointer<QWidget> window;
  DWORD thread_id;
};

struct Handles {
  std::mutex mutex;
  std::map<uintptr_t, Entry> by_handle;  // ordered by handle: creation order
  std::unordered_map<QWidget*, uintptr_t> by_window;
  uintptr_t next = 0x10010;
};

Handles& handles() {
  static Handles table;
  return table;
}

// Forgets windows that are gone; the address of a destroyed window may come
// back for a new one, which must get a new handle.
void prune(Handles& table) {
  std::erase_if(table.by_handle, [](const auto& item) { return item.second.window.isNull(); });
  std::erase_if(table.by_window,
                [&](const auto& item) { return !table.by_handle.contains(item.second); });
}

// Sees each top-level widget as it is created: QWidget sends itself a
// Create event from its constructor.
class CreationWatcher : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Create && object->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(object);
      if (widget->isWindow() && widget->windowType() != Qt::Desktop) {
        handle_of(widget);
      }
    }
    return false;
  }
};

void install_creation_watcher() {
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new CreationWatcher(app));
}
Q_COREAPP_STARTUP_FUNCTION(install_creation_watcher)

}  // namespace

HWND handle_of(QWidget* window) {
  auto& table = handles();
  std::lock_guard lock(table.mutex);
  if (auto it = table.by_window.find(window); it != table.by_window.end()) {
    const Entry& entry = table.by_handle.at(it->second);
    if (entry.window == window) {
      return reinterpret_cast<HWND>(it->second);
    }
  }
  prune(table);
  const uintptr_t handle = table.next;
  table.next += 4;
  table.by_handle.emplace(handle, Entry{window, static_cast<DWORD>(::gettid())});
  table.by_window[window] = handle;
  return reinterpret_cast<HWND>(handle);
}

QWidget* window_of(HWND handle, DWORD* thread_id) {
  auto& table = handles();
  std::lock_guard lock(table.mutex);
  auto it = table.by_handle.find(reinterpret_cast<uintptr_t>(handle));
  if (it == table.by_handle.end() || it->second.window.isNull() || !it->second.window->isWindow()) {
    return nullptr;
  }
  if (thread_id != nullptr) {
    *thread_id = it->second.thread_id;
  }
  return it->second.window.data();
}

std::vector<HWND> top_level_windows() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    handle_of(window);
  }
  auto& table = handles();
  std::lock_guard lock(table.mutex);
  prune(table);
  std::vector<HWND> result;
  for (const auto& [handle, entry] : table.by_handle) {
    if (entry.window->isWindow()) {
      result.push_back(reinterpret_cast<HWND>(handle));
    }
  }
  return result;
}

}  // namespace winapi::user32
