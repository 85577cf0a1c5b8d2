// The REGEDIT4 model: what a file holds and how a malformed one is reported.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/winapi/advapi32/registry_file.h"
#include "platform/winapi/api.h"

namespace {

using winapi::registry::parse_registry;

const std::string kKey = "HKEY_CURRENT_USER\\Software\\Norvex\\Q\\Install";

std::string hive(const std::string& body) {
  return "REGEDIT4\r\n\r\n[" + kKey + "]\r\n" + body + "\r\n";
}

struct ValueRow {
  const char* label;
  std::string text;
  std::string key;
  std::string name;
  DWORD type;
  std::string data;
};

void PrintTo(const ValueRow& row, std::ostream* out) {
  *out << row.label;
}

class RegistryValue : public testing::TestWithParam<ValueRow> {};

TEST_P(RegistryValue, HoldsTheBytes) {
  const ValueRow& row = GetParam();
  const auto parsed = parse_registry(row.text);
  ASSERT_TRUE(parsed.ok()) << "line " << parsed.line << ": " << parsed.error;
  const auto* value = parsed.registry.find_value(row.key, row.name);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->type, row.type);
  EXPECT_EQ(value->data, row.data);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryValue,
    testing::Values(
        ValueRow{"plain_string", hive(R"("Path"="/opt/q")"), kKey, "Path", REG_SZ, "/opt/q\0"s},
        ValueRow{"escapes", hive(R"("Path"="C:\\Q \"x\"\\")"), kKey, "Path", REG_SZ,
                 "C:\\Q \"x\"\\\0"s},
        ValueRow{"empty_string", hive(R"("Path"="")"), kKey, "Path", REG_SZ, "\0"s},
        ValueRow{"name_with_escapes", hive(R"("a\"b\\c"="v")"), kKey, "a\"b\\c", REG_SZ, "v\0"s},
        ValueRow{"key_case", hive(R"("Path"="v")"),
                 "hkey_current_user\\SOFTWARE\\norvex\\q\\INSTALL", "Path", REG_SZ, "v\0"s},
        ValueRow{"value_case", hive(R"("PATH"="v")"), kKey, "path", REG_SZ, "v\0"s},
        ValueRow{"trailing_separator_in_key", hive(R"("Path"="v")"), kKey + "\\", "Path", REG_SZ,
                 "v\0"s},
        ValueRow{"default_value", hive(R"(@="d")"), kKey, "", REG_SZ, "d\0"s},
        ValueRow{"later_line_wins", hive("\"Path\"=\"a\"\n\"path\"=\"b\""), kKey, "Path", REG_SZ,
                 "b\0"s},
        ValueRow{"dword", hive("\"N\"=dword:0000001a"), kKey, "N", REG_DWORD, "\x1a\0\0\0"s},
        ValueRow{"dword_short", hive("\"N\"=DWORD:ff"), kKey, "N", REG_DWORD, "\xff\0\0\0"s},
        ValueRow{"dword_max", hive("\"N\"=dword:ffffffff"), kKey, "N", REG_DWORD,
                 "\xff\xff\xff\xff"s},
        ValueRow{"hex", hive("\"B\"=hex:00,7f,FF"), kKey, "B", REG_BINARY, "\x00\x7f\xff"s},
        ValueRow{"hex_empty", hive("\"B\"=hex:"), kKey, "B", REG_BINARY, ""},
        ValueRow{"hex_continued", hive("\"B\"=hex:01,02,\\\r\n  03,04"), kKey, "B", REG_BINARY,
                 "\x01\x02\x03\x04"s},
        ValueRow{"hex_typed", hive("\"E\"=hex(2):25,00"), kKey, "E", REG_EXPAND_SZ, "%\0"s},
        ValueRow{"spaces_around_equals", hive("\"Path\" = \"v\""), kKey, "Path", REG_SZ, "v\0"s},
        ValueRow{"comments_and_blank_lines",
                 "; exported\nREGEDIT4\n\n; note\n[" + kKey + "]\n\"Path\"=\"v\"\n", kKey, "Path",
                 REG_SZ, "v\0"s},
        ValueRow{"utf8_bom_and_lf", "\xEF\xBB\xBFREGEDIT4\n[" + kKey + "]\n\"Path\"=\"v\"", kKey,
                 "Path", REG_SZ, "v\0"s},
        // The trail byte 0x5A of this GBK character is an ASCII 'Z': folding it
        // would make the name match "\xB2z".
        ValueRow{"gbk_name_not_folded", hive("\"\xB2Z\"=\"v\""), kKey, "\xB2Z", REG_SZ, "v\0"s},
        ValueRow{"gbk_value_bytes", hive("\"Path\"=\"\xD3\xD1\""), kKey, "Path", REG_SZ,
                 "\xD3\xD1\0"s}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(RegistryModel, GbkTrailBytesAreNotFolded) {
  const auto parsed = parse_registry(hive("\"\xB2Z\"=\"v\""));
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed.registry.find_value(kKey, "\xB2z"), nullptr);
  EXPECT_EQ(winapi::registry::fold_case("AB\xB2Zc"), "ab\xB2Zc");
}

TEST(RegistryModel, MissingValuesAndKeys) {
  const auto parsed = parse_registry(hive(R"("Path"="v")") + "[-" + kKey + "\\Gone]\n");
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  const auto& registry = parsed.registry;
  EXPECT_EQ(registry.find_value(kKey, "Other"), nullptr);
  EXPECT_EQ(registry.find_value(kKey, ""), nullptr);
  EXPECT_EQ(registry.find_value(kKey + "\\Sub", "Path"), nullptr);
  // Ancestors of a named key exist; siblings and descendants do not.
  EXPECT_TRUE(registry.has_key("HKEY_CURRENT_USER\\Software"));
  EXPECT_TRUE(registry.has_key("hkey_current_user\\software\\NORVEX"));
  EXPECT_FALSE(registry.has_key("HKEY_CURRENT_USER\\Software\\Norv"));
  EXPECT_FALSE(registry.has_key(kKey + "\\Sub"));
  EXPECT_FALSE(registry.has_key(""));
}

TEST(RegistryModel, RemovalLinesDeleteKeysAndValues) {
  const std::string text =
      "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"x\"=\"1\"\n\"y\"=\"2\"\n"
      "[HKEY_CURRENT_USER\\A\\B]\n\"x\"=-\n"
      "[HKEY_CURRENT_USER\\C\\D]\n\"z\"=\"3\"\n[-HKEY_CURRENT_USER\\C]\n"
      "\"ignored\"=\"4\"\n";
  const auto parsed = parse_registry(text);
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_EQ(parsed.registry.find_value("HKEY_CURRENT_USER\\A\\B", "x"), nullptr);
  EXPECT_NE(parsed.registry.find_value("HKEY_CURRENT_USER\\A\\B", "y"), nullptr);
  EXPECT_FALSE(parsed.registry.has_key("HKEY_CURRENT_USER\\C\\D"));
  EXPECT_EQ(parsed.registry.key_count(), 1u);
}

struct MalformedRow {
  const char* label;
  std::string text;
  size_t line;
  const char* message;
};

void PrintTo(const MalformedRow& row, std::ostream* out) {
  *out << row.label;
}

class RegistryMalformed : public testing::TestWithParam<MalformedRow> {};

TEST_P(RegistryMalformed, IsRejectedWithItsLine) {
  const MalformedRow& row = GetParam();
  const auto parsed = parse_registry(row.text);
  EXPECT_FALSE(parsed.ok());
  EXPECT_EQ(parsed.line, row.line);
  EXPECT_NE(parsed.error.find(row.message), std::string::npos) << parsed.error;
  EXPECT_EQ(parsed.registry.key_count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegistryMalformed,
    testing::Values(
        MalformedRow{"empty", "", 0, "the file is empty"},
        MalformedRow{"only_comments", "; nothing\n\n", 2, "the file is empty"},
        MalformedRow{"wrong_header", "Windows Registry Editor Version 5.00\n", 1,
                     "expected the header REGEDIT4, found 'Windows Registry Editor ...'"},
        MalformedRow{"unclosed_key", "REGEDIT4\n[HKEY_CURRENT_USER\\A\n", 2, "must end with ']'"},
        MalformedRow{"empty_key", "REGEDIT4\n[]\n", 2, "empty key name"},
        MalformedRow{"value_before_key", "REGEDIT4\n\"a\"=\"b\"\n", 2, "stands before any key"},
        MalformedRow{"unterminated_name", hive("\"Path=\"v\""), 4, "expected '=' after"},
        MalformedRow{"unterminated_value", hive("\"Path\"=\"v"), 4, "unterminated string"},
        MalformedRow{"unknown_escape", hive("\"Path\"=\"C:\\Q\""), 4, "unknown escape"},
        MalformedRow{"escape_at_end", hive("\"Path\"=\"C:\\"), 4, "unknown escape"},
        MalformedRow{"text_after_string", hive("\"Path\"=\"v\" x"), 4, "unexpected text"},
        MalformedRow{"unquoted_name", hive("Path=\"v\""), 4, "expected a quoted name"},
        MalformedRow{"missing_equals", hive("\"Path\" \"v\""), 4, "expected '='"},
        MalformedRow{"unknown_type", hive("\"Path\"=qword:1"), 4, "expected a string, dword:"},
        MalformedRow{"dword_too_long", hive("\"N\"=dword:123456789"), 4, "1 to 8 hex digits"},
        MalformedRow{"dword_not_hex", hive("\"N\"=dword:xyz"), 4, "1 to 8 hex digits"},
        MalformedRow{"dword_empty", hive("\"N\"=dword:"), 4, "1 to 8 hex digits"},
        MalformedRow{"dword_negative", hive("\"N\"=dword:-1"), 4, "1 to 8 hex digits"},
        MalformedRow{"hex_bad_byte", hive("\"B\"=hex:01,zz"), 4, "expected a hex byte, found 'zz'"},
        MalformedRow{"hex_wide_byte", hive("\"B\"=hex:100"), 4, "expected a hex byte"},
        MalformedRow{"hex_no_colon", hive("\"B\"=hex 01"), 4, "expected ':' after hex"},
        MalformedRow{"hex_bad_type", hive("\"B\"=hex(q):01"), 4, "hex(N)"},
        MalformedRow{"hex_unclosed_type", hive("\"B\"=hex(2:01"), 4, "hex(N)"},
        MalformedRow{"hex_continues_past_end", "REGEDIT4\n[A]\n\"B\"=hex:01,\\", 3,
                     "continues past the end"},
        MalformedRow{"fault_after_good_lines", hive("\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"c\"=3"), 6,
                     "expected a string"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
