// The cookie store shared by every handle of the process. Session cookies
// live in memory; cookies with an expiry are also kept in a Netscape cookie
// file, so the next process of the same user sends them too.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/winapi/wininet/cookie.h"

namespace winapi::wininet {

class CookieStore {
 public:
  // Without a file, every cookie lives only as long as the store.
  explicit CookieStore(std::optional<std::filesystem::path> file);

  // Stores one cookie line (a Set-Cookie value, or InternetSetCookie's
  // "name=value; attributes"). An expiry in the past deletes the cookie of the
  // same name, domain and path. Returns the reason when the line is refused.
  std::optional<std::string> set(std::string_view line, const CookieOrigin& origin);

  // The value of the Cookie header for a request ("a=b; c=d"), empty if none.
  std::string header_for(const CookieOrigin& request, bool secure_channel);

 private:
  struct FileStamp {
    ino_t inode = 0;
    int64_t modified_ns = 0;
    int64_t size = -1;
    bool operator==(const FileStamp&) const = default;
  };

  void reload_if_changed();
  void save();
  void insert(Cookie cookie);
  std::optional<FileStamp> stamp() const;

  std::mutex lock_;
  std::optional<std::filesystem::path> file_;
  std::optional<FileStamp> seen_;  // the file as last read or written
  std::vector<Cookie> cookies_;    // in order of creation
};

// ${XDG_DATA_HOME:-~/.local/share}/winapi/cookies.txt, or nullopt without a home.
std::optional<std::filesystem::path> default_cookie_file();

// The process's store, on the default file.
CookieStore& process_cookie_store();

}  // namespace winapi::wininet
