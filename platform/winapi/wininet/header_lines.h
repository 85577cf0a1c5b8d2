// The request's header lines: the caller's, in the caller's order, and the
// few that WinINet adds of its own when the caller has none of that name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winapi::wininet {

using HeaderLines = std::vector<std::string>;

// Splits the caller's header text at CR LF (or LF) into lines; blank lines are
// skipped. nullopt if a line has no "name:".
std::optional<HeaderLines> split_header_text(std::string_view text);

// The name of a "Name: value" line, without surrounding blanks.
std::string_view header_name(std::string_view line);

bool same_header_name(std::string_view a, std::string_view b);
bool has_header(const HeaderLines& lines, std::string_view name);

// Sets "name: value": appended when no line has that name; otherwise, with
// `replace`, the first such line takes the value and the others go.
void set_header(HeaderLines& lines, std::string_view name, std::string_view value, bool replace);

void remove_header(HeaderLines& lines, std::string_view name);

// What WinINet itself puts on a request.
struct OwnHeaders {
  std::string referer;                   // from HttpOpenRequest; empty: none
  std::string accept;                    // from HttpOpenRequest's accept types; empty: none
  std::string agent;                     // from InternetOpen; empty: none
  std::string host;                      // "host" or "host:port"
  bool replace_host = false;             // a redirect to another place
  std::optional<size_t> content_length;  // for a body or a verb other than GET/HEAD
  std::string cookie;                    // the store's cookies; empty: none
  bool keep_alive = false;               // INTERNET_FLAG_KEEP_CONNECTION
  bool no_cache = false;                 // INTERNET_FLAG_NO_CACHE_WRITE on a verb other than GET
  bool pragma_no_cache = false;          // INTERNET_FLAG_PRAGMA_NOCACHE
};

// The caller's lines with WinINet's own added after them ("Connection:
// Keep-Alive", "Cache-Control: no-cache" and "Pragma: no-cache" only where the
// flags ask and the caller has no line of that name). A Content-Length of
// the caller is corrected to the body's real length, and a stored cookie line
// replaces the caller's Cookie line.
HeaderLines wire_header_lines(HeaderLines caller, const OwnHeaders& own);

}  // namespace winapi::wininet
