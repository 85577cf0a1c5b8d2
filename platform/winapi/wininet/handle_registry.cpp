#include "platform/winapi/wininet/handle_registry.h"

#include <vector>

namespace winapi::wininet {

HINTERNET HandleRegistry::add(HandleObject object, HINTERNET parent) {
  std::lock_guard guard(lock_);
  next_ += 4;
  entries_.emplace(next_, Entry{std::move(object), reinterpret_cast<uintptr_t>(parent)});
  return reinterpret_cast<HINTERNET>(next_);
}

std::optional<HandleObject> HandleRegistry::find(HINTERNET handle) {
  std::lock_guard guard(lock_);
  const auto it = entries_.find(reinterpret_cast<uintptr_t>(handle));
  if (it == entries_.end()) {
    return std::nullopt;
  }
  return it->second.object;
}

bool HandleRegistry::close(HINTERNET handle) {
  std::vector<HandleObject> closed;  // destroyed after the lock is released
  {
    std::lock_guard guard(lock_);
    std::vector<uintptr_t> pending{reinterpret_cast<uintptr_t>(handle)};
    if (!entries_.contains(pending.front())) {
      return false;
    }
    while (!pending.empty()) {
      const uintptr_t id = pending.back();
      pending.pop_back();
      for (const auto& [child, entry] : entries_) {
        if (entry.parent == id) {
          pending.push_back(child);
        }
      }
      const auto it = entries_.find(id);
      closed.push_back(std::move(it->second.object));
      entries_.erase(it);
    }
  }
  // A send or read still running on another thread ends soon, as WinINet's
  // blocking calls do when their handle is closed under them.
  for (const HandleObject& object : closed) {
    if (const auto* request = std::get_if<std::shared_ptr<HttpRequest>>(&object)) {
      (*request)->cancel();
    }
  }
  return true;
}

HandleRegistry& internet_handles() {
  static HandleRegistry registry;
  return registry;
}

}  // namespace winapi::wininet
