// Form bodies as the program sends them (unescaped) and as browsers send
// them (escaped), cookie lines, and which callers count as this machine.
#include <gtest/gtest.h>

#include <string>

#include "service/form_fields.h"
#include "service/request_fields.h"

namespace {

struct FieldRow {
  const char* body;
  const char* name;
  const char* value;  // nullptr: the field is missing
};

const FieldRow kFieldRows[] = {
    {"action=taste&MemberMobile=138", "MemberMobile", "138"},
    {"RedirectUrl=%2Fp.php", "RedirectUrl", "/p.php"},
    {"a=x+y%20z", "a", "x y z"},
    {"a=%e4%B8%80", "a", "\xe4\xb8\x80"},
    {"a= raw value ", "a", " raw value "},
    {"a=\xe5\xb2\x9a", "a", "\xe5\xb2\x9a"},
    {"a=1&a=2", "a", "2"},
    {"a=&b=1", "a", ""},
    {"flag&b=1", "flag", ""},
    {"&&a=1&&", "a", "1"},
    {"a=b=c", "a", "b=c"},
    {"Image2.x=73", "Image2.x", "73"},
    {"%61=1", "a", "1"},
    {"", "a", nullptr},
    {"ab=1", "a", nullptr},
};

class FieldTest : public ::testing::TestWithParam<FieldRow> {};

TEST_P(FieldTest, Decodes) {
  const service::FormParse parse = service::parse_form(GetParam().body);
  ASSERT_TRUE(parse.ok()) << parse.error;
  const auto value = parse.fields.get(GetParam().name);
  if (GetParam().value == nullptr) {
    EXPECT_FALSE(value.has_value());
  } else {
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, GetParam().value);
  }
}

INSTANTIATE_TEST_SUITE_P(Bodies, FieldTest, ::testing::ValuesIn(kFieldRows));

struct MalformedRow {
  const char* body;
  const char* error;
};

const MalformedRow kMalformedRows[] = {
    {"a=%", "malformed %-escape at offset 2"},
    {"a=%4", "malformed %-escape at offset 2"},
    {"a=%4g", "malformed %-escape at offset 2"},
    {"ok=1&b=x%zz", "malformed %-escape at offset 8"},
    {"ok=%41%4", "malformed %-escape at offset 6"},
    {"%=1", "malformed %-escape at offset 0"},
    {"a=100%&b=1", "malformed %-escape at offset 5"},
};

class MalformedTest : public ::testing::TestWithParam<MalformedRow> {};

TEST_P(MalformedTest, NamesTheOffset) {
  const service::FormParse parse = service::parse_form(GetParam().body);
  EXPECT_EQ(parse.error, GetParam().error);
  EXPECT_EQ(parse.fields.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Bodies, MalformedTest, ::testing::ValuesIn(kMalformedRows));

struct CookieRow {
  const char* line;
  const char* value;
};

const CookieRow kCookieRows[] = {
    {"lyb_session=abc", "abc"},
    {"a=b; lyb_session=abc", "abc"},
    {"a=b;lyb_session=abc;c=d", "abc"},
    {"  lyb_session = abc ; c=d", "abc"},
    {"xlyb_session=abc; lyb_session=def", "def"},
    {"lyb_sessionx=abc", ""},
    {"lyb_session", ""},
    {"", ""},
    {";;;", ""},
};

class CookieTest : public ::testing::TestWithParam<CookieRow> {};

TEST_P(CookieTest, FindsTheSession) {
  EXPECT_EQ(service::cookie_value(GetParam().line, service::kSessionCookie), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Lines, CookieTest, ::testing::ValuesIn(kCookieRows));

TEST(Loopback, OnlyThisMachine) {
  for (const char* address : {"127.0.0.1", "127.1.2.3", "::1", "::ffff:127.0.0.1", "localhost"}) {
    EXPECT_TRUE(service::is_loopback(address)) << address;
  }
  for (const char* address :
       {"0.0.0.0", "10.0.0.1", "::", "128.0.0.1", "::ffff:10.0.0.1", "1270.0.0.1", ""}) {
    EXPECT_FALSE(service::is_loopback(address)) << address;
  }
}

}  // namespace
