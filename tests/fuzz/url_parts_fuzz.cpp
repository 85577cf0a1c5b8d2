// A URL as the web access routine reads it, from hostile text (tokens
// scraped from server pages end up in paths): the parts keep their promises
// and every block comes back.
#include <string>
#include <string_view>

#include "platform/gbk/gbk_chars.h"
#include "runtime/blocks.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_runtime.h"
#include "tests/fuzz/fuzz_targets.h"
#include "web/url_parts.h"

namespace fuzz_targets {
namespace {

// Upper-case letters among the one-byte characters; a GBK trail byte that
// looks like a letter is part of its character.
bool has_upper_case_letter(std::string_view text) {
  for (size_t at = 0; at < text.size(); at += gbk::char_length(text, at)) {
    if (gbk::char_length(text, at) == 1 && text[at] >= 'A' && text[at] <= 'Z') {
      return true;
    }
  }
  return false;
}

}  // namespace

int url_parts(const uint8_t* data, size_t size) {
  use_program_runtime();
  const size_t blocks_before = live_blocks();
  {
    // The program's texts end at their first zero byte.
    const std::string input(
        std::string_view(reinterpret_cast<const char*>(data), size)
            .substr(0, std::string_view(reinterpret_cast<const char*>(data), size).find('\0')));
    const web::UrlParts parts = web::split_url(input.c_str());
    const std::string_view url = parts.url.view();
    require(url.starts_with("http://") || url.starts_with("https://"), "the URL names its scheme");
    require(parts.secure == url.starts_with("https://"), "secure exactly for https://");
    require(parts.host.view().find_first_of("/:") == std::string_view::npos,
            "the host holds no / and no port");
    require(!has_upper_case_letter(parts.host.view()), "the host is lower case");
    require(parts.path.view().starts_with('/'), "the path starts with /");
    require(parts.path.view() == "/" || url.ends_with(parts.path.view()),
            "the path is the URL's tail");
  }
  require(live_blocks() == blocks_before, "every block handed out comes back");
  return 0;
}

}  // namespace fuzz_targets
