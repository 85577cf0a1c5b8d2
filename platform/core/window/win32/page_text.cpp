#include "platform/core/window/win32/page_text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace core::window {
namespace {

char16_t lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

std::u16string lowered(std::u16string_view s) {
  std::u16string out(s);
  std::transform(out.begin(), out.end(), out.begin(), lower);
  return out;
}

bool is_blank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool is_name_char(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'-' || c == u'!';
}

// Tags whose content is never shown.
constexpr std::array<std::u16string_view, 4> kHiddenContent = {u"head", u"script", u"style",
                                                               u"title"};
// Tags that start and end a line.
constexpr std::array<std::u16string_view, 15> kBlocks = {u"p",  u"div", u"tr",    u"li",     u"h1",
                                                         u"h2", u"h3",  u"h4",    u"h5",     u"h6",
                                                         u"ul", u"ol",  u"table", u"center", u"hr"};

template <size_t N>
bool one_of(const std::array<std::u16string_view, N>& names, std::u16string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

struct Entity {
  std::u16string_view name;
  char16_t value;
};
constexpr Entity kEntities[] = {{u"nbsp", u' '},     {u"amp", u'&'},  {u"lt", u'<'},
                                {u"gt", u'>'},       {u"quot", u'"'}, {u"apos", u'\''},
                                {u"copy", u'\u00A9'}};

void append_code_point(std::u16string& out, unsigned long cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    out += u'\uFFFD';
  } else if (cp >= 0x10000) {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  } else {
    out += static_cast<char16_t>(cp);
  }
}

// Decodes the entity at s[0] == '&' into out; returns the characters used,
// or 0 when it is no entity (the '&' then stands for itself).
size_t decode_entity(std::u16string_view s, std::u16string& out) {
  const size_t semi = s.find(u';');
  if (semi == std::u16string_view::npos || semi > 10) {
    return 0;
  }
  const std::u16string_view body = s.substr(1, semi - 1);
  if (body.size() >= 2 && body[0] == u'#') {
    const bool hex = lower(body[1]) == u'x';
    unsigned long cp = 0;
    for (char16_t c : body.substr(hex ? 2 : 1)) {
      const char16_t l = lower(c);
      const int digit = l >= u'0' && l <= u'9'          ? l - u'0'
                        : hex && l >= u'a' && l <= u'f' ? l - u'a' + 10
                                                        : -1;
      if (digit < 0) {
        return 0;
      }
      cp = std::min<unsigned long>(cp * (hex ? 16 : 10) + digit, 0x110000);
    }
    append_code_point(out, cp);
    return semi + 1;
  }
  for (const Entity& e : kEntities) {
    if (lowered(body) == e.name) {
      out += e.value;
      return semi + 1;
    }
  }
  return 0;
}

std::u16string decode_entities(std::u16string_view s) {
  std::u16string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const size_t used = s[i] == u'&' ? decode_entity(s.substr(i), out) : 0;
    if (used == 0) {
      out += s[i];
    } else {
      i += used - 1;
    }
  }
  return out;
}

// The value of one attribute of a tag's inside ("a href='x' target=_blank").
std::u16string attribute(std::u16string_view tag, std::u16string_view name) {
  const std::u16string low = lowered(tag);
  size_t at = 0;
  while ((at = low.find(name, at)) != std::u16string::npos) {
    const bool starts = at > 0 && is_blank(low[at - 1]);
    size_t i = at + name.size();
    at = i;
    while (i < low.size() && is_blank(low[i])) {
      ++i;
    }
    if (!starts || i >= low.size() || low[i] != u'=') {
      continue;
    }
    ++i;
    while (i < low.size() && is_blank(low[i])) {
      ++i;
    }
    if (i < low.size() && (tag[i] == u'"' || tag[i] == u'\'')) {
      const size_t close = tag.find(tag[i], i + 1);
      return decode_entities(tag.substr(
          i + 1, close == std::u16string_view::npos ? std::u16string_view::npos : close - i - 1));
    }
    size_t end = i;
    while (end < tag.size() && !is_blank(tag[end])) {
      ++end;
    }
    return decode_entities(tag.substr(i, end - i));
  }
  return {};
}

class PageReader {
 public:
  PageText read(std::u16string_view html) {
    size_t i = 0;
    while (i < html.size()) {
      if (html[i] == u'<') {
        i = tag(html, i);
      } else {
        const size_t next = std::min(html.find(u'<', i), html.size());
        add_text(decode_entities(html.substr(i, next - i)));
        i = next;
      }
    }
    while (!out_.text.empty() && (out_.text.back() == u' ' || out_.text.back() == u'\r')) {
      out_.text.pop_back();
    }
    return std::move(out_);
  }

 private:
  // Reads the tag at html[at] == '<'; returns where reading goes on.
  size_t tag(std::u16string_view html, size_t at) {
    if (html.substr(at, 4) == u"<!--") {
      const size_t end = html.find(u"-->", at + 4);
      return end == std::u16string_view::npos ? html.size() : end + 3;
    }
    const size_t close = html.find(u'>', at);
    if (close == std::u16string_view::npos) {
      return html.size();
    }
    const std::u16string_view inside = html.substr(at + 1, close - at - 1);
    const bool closing = !inside.empty() && inside[0] == u'/';
    size_t name_end = closing ? 1 : 0;
    while (name_end < inside.size() && is_name_char(inside[name_end])) {
      ++name_end;
    }
    const std::u16string name =
        lowered(inside.substr(closing ? 1 : 0, name_end - (closing ? 1 : 0)));
    if (!closing && one_of(kHiddenContent, name)) {
      const size_t end = lowered(html.substr(close)).find(u"</" + name);
      return end == std::u16string::npos ? html.size() : skip_tag(html, close + end);
    }
    if (name == u"br") {
      trim_spaces();
      out_.text += u'\r';
    } else if (one_of(kBlocks, name)) {
      line_break();
    } else if (name == u"td" || name == u"th") {
      add_text(u" ");
    } else if (name == u"a") {
      link(closing, inside);
    }
    return close + 1;
  }

  static size_t skip_tag(std::u16string_view html, size_t at) {
    const size_t close = html.find(u'>', at);
    return close == std::u16string_view::npos ? html.size() : close + 1;
  }

  void link(bool closing, std::u16string_view inside) {
    if (!closing) {
      open_href_ = attribute(inside, u"href");
      open_at_ = out_.text.size();
      return;
    }
    if (!open_href_.empty() && out_.text.size() > open_at_) {
      out_.links.push_back({open_at_, out_.text.size(), std::move(open_href_)});
    }
    open_href_.clear();
  }

  void trim_spaces() {
    while (!out_.text.empty() && out_.text.back() == u' ') {
      out_.text.pop_back();
    }
  }

  void line_break() {
    trim_spaces();
    if (!out_.text.empty() && out_.text.back() != u'\r') {
      out_.text += u'\r';
    }
  }

  void add_text(std::u16string_view s) {
    for (char16_t c : s) {
      if (is_blank(c)) {
        if (!out_.text.empty() && out_.text.back() != u' ' && out_.text.back() != u'\r') {
          out_.text += u' ';
        }
      } else {
        out_.text += c;
      }
    }
  }

  PageText out_;
  std::u16string open_href_;
  size_t open_at_ = 0;
};

}  // namespace

PageText page_text(std::u16string_view html) {
  return PageReader().read(html);
}

}  // namespace core::window
