// Values pasted into requests: what is encoded and what stays as it is.
#include <string>

#include "client/form_value.h"
#include "tests/program/program_fixture.h"

namespace client_test {
namespace {

struct ValueRow {
  const char* name;
  const char* value;
  const char* sent;
};

const ValueRow kValueRows[] = {
    {"MobileNumber", "13800138000", "13800138000"},
    {"Empty", "", ""},
    {"Address", "127.0.0.1", "127.0.0.1"},
    {"Token", "0123456789abcdef", "0123456789abcdef"},
    {"LettersAndDigits", "AbCz09", "AbCz09"},
    {"AddedField", "10086&x=1", "10086%26x%3D1"},
    {"Plus", "1+1", "1%2B1"},
    {"Percent", "100%", "100%25"},
    {"AlreadyEscaped", "%2F", "%252F"},
    {"Fragment", "ab#c", "ab%23c"},
    {"Blanks", " ab ", "%20ab%20"},
    {"LineBreaksAndTab", "a\tb\r\nc", "a%09b%0D%0Ac"},
    {"LowestAndHighestControl", "\x01x\x1F", "%01x%1F"},
    {"Delete", "a\x7F", "a%7F"},
    {"SlashAndQuestionMark", "a/b?c", "a/b?c"},
    // GBK: lead bytes are 0x81-0xFE, trail bytes 0x40-0xFE, so no byte of a
    // Chinese character is one of the encoded ones.
    {"GbkText", "\xB0\xA1\xD6\xD0", "\xB0\xA1\xD6\xD0"},
    {"GbkLowestTrailByte", "\x81\x40", "\x81\x40"},
    {"GbkThenField", "\xB0\xA1&\xD6\xD0", "\xB0\xA1%26\xD6\xD0"},
    {"HighestByte", "\xFF", "\xFF"},
};

class FormValueTest : public program_test::ProgramFixture,
                      public ::testing::WithParamInterface<ValueRow> {};

TEST_P(FormValueTest, EncodesWhatWouldChangeTheRequest) {
  const rt::Text sent = client::form_value(GetParam().value);
  EXPECT_EQ(std::string(sent.view()), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Values, FormValueTest, ::testing::ValuesIn(kValueRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace client_test
