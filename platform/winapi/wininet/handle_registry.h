// The process's Internet handles. A handle is a number that names a live
// object; it is never an address and never reused, so a closed or made-up
// handle is recognised as invalid. Closing a handle closes its children too.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <variant>

#include "platform/winapi/base/windows_types.h"
#include "platform/winapi/wininet/http_request.h"

namespace winapi::wininet {

using HandleObject = std::variant<std::shared_ptr<const Session>, std::shared_ptr<const Connection>,
                                  std::shared_ptr<HttpRequest>>;

class HandleRegistry {
 public:
  HINTERNET add(HandleObject object, HINTERNET parent);

  // The object of a live handle, or nullopt.
  std::optional<HandleObject> find(HINTERNET handle);

  // False if the handle is not live.
  bool close(HINTERNET handle);

 private:
  struct Entry {
    HandleObject object;
    uintptr_t parent;
  };

  std::mutex lock_;
  uintptr_t next_ = 0x100;
  std::unordered_map<uintptr_t, Entry> entries_;
};

HandleRegistry& internet_handles();

}  // namespace winapi::wininet
