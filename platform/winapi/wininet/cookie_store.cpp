#include "platform/winapi/wininet/cookie_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

namespace winapi::wininet {
namespace {

// Bounds that keep a hostile server from growing the store without end.
constexpr size_t kMaxCookiesPerDomain = 50;
constexpr size_t kMaxCookies = 3000;

int64_t now_seconds() {
  return static_cast<int64_t>(time(nullptr));
}

bool same_identity(const Cookie& a, const Cookie& b) {
  return a.name == b.name && a.domain == b.domain && a.path == b.path;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { close_now(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool close_now() {
    const bool ok = fd_ < 0 || close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = write(fd, data.data(), data.size());
    if (n <= 0) {
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Writes a sibling temporary file with mode 0600 and renames it over the
// target, so a reader sees the old file or the new one, never half of one.
bool replace_file(const std::filesystem::path& target, std::string_view content) {
  // The cookie folder is the user's alone, like the file.
  const auto folder = target.parent_path();
  std::error_code ec;
  std::filesystem::create_directories(folder.parent_path(), ec);
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return false;
  }
  std::string temp = target.string() + ".XXXXXX";
  FileDescriptor fd(mkstemp(temp.data()));
  if (fd.get() < 0) {
    return false;
  }
  const bool written = fchmod(fd.get(), 0600) == 0 && write_all(fd.get(), content) &&
                       fsync(fd.get()) == 0 && fd.close_now();
  if (!written || rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

CookieStore::CookieStore(std::optional<std::filesystem::path> file) : file_(std::move(file)) {}

std::optional<CookieStore::FileStamp> CookieStore::stamp() const {
  struct stat st {};
  if (!file_ || stat(file_->c_str(), &st) != 0) {
    return std::nullopt;
  }
  return FileStamp{st.st_ino, int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec,
                   st.st_size};
}

// Another process of the same user may have written the file since we last
// looked; its persistent cookies then replace ours.
void CookieStore::reload_if_changed() {
  const auto current = stamp();
  if (current == seen_) {
    return;
  }
  seen_ = current;
  std::erase_if(cookies_, [](const Cookie& c) { return c.expires.has_value(); });
  if (!current) {
    return;
  }
  std::ifstream in(*file_);
  const int64_t now = now_seconds();
  for (std::string line; std::getline(in, line);) {
    if (auto cookie = parse_netscape_line(line); cookie && !is_expired(*cookie, now)) {
      insert(std::move(*cookie));
    }
  }
}

void CookieStore::save() {
  if (!file_) {
    return;
  }
  std::ostringstream out;
  out << "# Netscape HTTP Cookie File\n";
  for (const auto& c : cookies_) {
    if (c.expires) {
      out << to_netscape_line(c) << '\n';
    }
  }
  if (replace_file(*file_, out.str())) {
    seen_ = stamp();
  }
}

void CookieStore::insert(Cookie cookie) {
  const auto same = std::find_if(cookies_.begin(), cookies_.end(),
                                 [&](const Cookie& c) { return same_identity(c, cookie); });
  if (same != cookies_.end()) {
    *same = std::move(cookie);
    return;
  }
  const auto in_domain = std::count_if(cookies_.begin(), cookies_.end(),
                                       [&](const Cookie& c) { return c.domain == cookie.domain; });
  if (static_cast<size_t>(in_domain) >= kMaxCookiesPerDomain) {
    cookies_.erase(std::find_if(cookies_.begin(), cookies_.end(),
                                [&](const Cookie& c) { return c.domain == cookie.domain; }));
  } else if (cookies_.size() >= kMaxCookies) {
    cookies_.erase(cookies_.begin());
  }
  cookies_.push_back(std::move(cookie));
}

std::optional<std::string> CookieStore::set(std::string_view line, const CookieOrigin& origin) {
  auto parsed = parse_cookie_line(line, origin);
  if (!parsed.cookie) {
    return parsed.error;
  }
  std::lock_guard guard(lock_);
  reload_if_changed();
  Cookie& cookie = *parsed.cookie;
  const bool touches_file = cookie.expires.has_value() ||
                            std::any_of(cookies_.begin(), cookies_.end(), [&](const Cookie& c) {
                              return c.expires.has_value() && same_identity(c, cookie);
                            });
  if (is_expired(cookie, now_seconds())) {
    std::erase_if(cookies_, [&](const Cookie& c) { return same_identity(c, cookie); });
  } else {
    insert(std::move(cookie));
  }
  if (touches_file) {
    save();
  }
  return std::nullopt;
}

std::string CookieStore::header_for(const CookieOrigin& request, bool secure_channel) {
  std::lock_guard guard(lock_);
  reload_if_changed();
  const int64_t now = now_seconds();
  std::erase_if(cookies_, [&](const Cookie& c) { return is_expired(c, now); });
  std::vector<const Cookie*> matching;
  for (const auto& c : cookies_) {
    if (cookie_matches(c, request, secure_channel)) {
      matching.push_back(&c);
    }
  }
  // Longer paths first; among equal paths the older cookie first.
  std::stable_sort(matching.begin(), matching.end(), [](const Cookie* a, const Cookie* b) {
    return a->path.size() > b->path.size();
  });
  std::string header;
  for (const Cookie* c : matching) {
    if (!header.empty()) {
      header += "; ";
    }
    header += c->name + "=" + c->value;
  }
  return header;
}

std::optional<std::filesystem::path> default_cookie_file() {
  std::filesystem::path base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    return std::nullopt;
  }
  return base / "winapi" / "cookies.txt";
}

CookieStore& process_cookie_store() {
  static CookieStore store(default_cookie_file());
  return store;
}

}  // namespace winapi::wininet
