// Hostile reply headers: every cookie handed to the store comes from one
// "Set-Cookie: " line, cut at its first "=", and every block comes back.
#include <algorithm>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_runtime.h"
#include "tests/fuzz/fuzz_targets.h"
#include "web/reply_cookies.h"

namespace fuzz_targets {
namespace {

constexpr std::string_view kHeader = "set-cookie: ";
constexpr char kCookieUrl[] = "http://www.example.test/";

std::string lower_ascii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

size_t header_count(std::string_view lowered) {
  size_t count = 0;
  for (size_t at = lowered.find(kHeader); at != std::string_view::npos;
       at = lowered.find(kHeader, at + 1)) {
    ++count;
  }
  return count;
}

// Somewhere in the headers the cookie stands right behind the header name.
bool stands_behind_a_header(std::string_view headers, const std::string& cookie) {
  const std::string lowered = lower_ascii(headers);
  for (size_t at = headers.find(cookie); at != std::string_view::npos;
       at = headers.find(cookie, at + 1)) {
    if (at >= kHeader.size() &&
        std::string_view(lowered).substr(at - kHeader.size(), kHeader.size()) == kHeader) {
      return true;
    }
  }
  return false;
}

}  // namespace

int reply_cookies(const uint8_t* data, size_t size) {
  use_program_runtime();
  const size_t blocks_before = live_blocks();
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::string headers(raw.substr(0, raw.find('\0')));
  web::store_reply_cookies(headers.c_str(), kCookieUrl);
  require(live_blocks() == blocks_before, "every block handed out comes back");

  const auto& calls = recorded_calls();
  require(calls.size() <= header_count(lower_ascii(headers)), "at most one cookie per header");
  for (const RecordedCall& call : calls) {
    require(call.function == program::Dll::InternetSetCookieA && call.texts.size() == 3,
            "cookies go to InternetSetCookieA(url, name, data)");
    const std::string& name = call.texts[1];
    const std::string& value = call.texts[2];
    require(call.texts[0] == kCookieUrl, "the cookie URL is the page's");
    require(name.find('=') == std::string::npos, "the name ends at the first =");
    // Lines end at LF; a CR that does not stand before one stays in the line.
    require(name.find('\n') == std::string::npos && value.find('\n') == std::string::npos,
            "a cookie never spans lines");
    require(stands_behind_a_header(headers, name + "=" + value),
            "the cookie is the rest of a Set-Cookie line");
  }
  return 0;
}

}  // namespace fuzz_targets
