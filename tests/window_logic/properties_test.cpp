// What each property does: the logic keeps what the program wrote and tells
// the backend; only what the user changes is read from the backend.
#include <cstring>
#include <vector>

#include "platform/core/memory/memory.h"
#include "platform/core/window/window_api.h"
#include "tests/window_logic/logic_fixture.h"

namespace window_logic_test {
namespace {

using core::window::read_property;
using core::window::write_property;
using form::state::Disabled;
using form::state::Visible;

constexpr uint32_t kLabel = 0x16000001;
constexpr uint32_t kEdit = 0x16000002;
constexpr uint32_t kTimer = 0x16000003;
constexpr uint32_t kButton = 0x16000004;
constexpr uint32_t kTab = 0x16000005;
constexpr uint32_t kPicture = 0x16000006;
constexpr uint32_t kBrowser = 0x16000007;
constexpr uint32_t kLink = 0x16000008;

uint64_t word(const void* p) {
  return reinterpret_cast<uintptr_t>(p);
}

class Properties : public LogicTest {
 protected:
  void SetUp() override {
    LogicTest::SetUp();
    form::LabelProps label;
    label.caption = "stored";
    form::TimerProps timer;
    timer.interval_ms = 250;
    form::TabControlProps tab;
    tab.page_captions = {"one", "two"};
    form::PictureBoxProps picture;
    picture.picture = {7, 8, 9};
    form::HtmlBrowserProps browser;
    browser.address = "c:\\ad.html";
    auto t = control("tab", 0, tab);
    t.children = {0};
    load(form_of({
        {kLabel, control("label", 0, label)},
        {kEdit, control("edit", 0, form::EditBoxProps{})},
        {kTimer, control("timer", 0, timer)},
        {kButton, control("button", 0, form::ButtonProps{}, Visible | Disabled)},
        {kTab, t},
        {kPicture, control("picture", 0, picture)},
        {kBrowser, control("browser", 0, browser)},
        {kLink, control("link", 0, form::HyperlinkBoxProps{})},
    }));
    backend->log.clear();
  }

  // Reads a text property as a fresh block, and frees it.
  std::string read_text(uint32_t control, uint32_t property) {
    const abi::ArgRecord r = read_property(kWindowId, control, property, -1);
    EXPECT_EQ(r.tag, abi::tag::Text);
    std::string text(reinterpret_cast<const char*>(static_cast<uintptr_t>(r.value)));
    core::free_memory(reinterpret_cast<void*>(static_cast<uintptr_t>(r.value)));
    return text;
  }

  std::vector<uint8_t> read_picture() {
    const abi::ArgRecord r = read_property(kWindowId, kPicture, abi::property::Picture, -1);
    EXPECT_EQ(r.tag, abi::tag::Bytes);
    auto* block = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(r.value));
    if (block == nullptr) {
      return {};
    }
    uint32_t header[2];
    std::memcpy(header, block, 8);
    EXPECT_EQ(header[0], 1u);
    std::vector<uint8_t> bytes(block + 8, block + 8 + header[1]);
    core::free_memory(block);
    return bytes;
  }

  uint64_t read_number(uint32_t control, uint32_t property, uint32_t tag) {
    const abi::ArgRecord r = read_property(kWindowId, control, property, -1);
    EXPECT_EQ(r.tag, tag);
    return r.value;
  }
};

struct TextRow {
  const char* what;
  uint32_t control;
  uint32_t property;
  const char* stored;   // read before anything is written
  const char* written;  // GBK
  const char* told;     // what the backend is told; empty: nothing
};

TEST_F(Properties, TextsAreKeptAsWrittenAndShown) {
  const TextRow rows[] = {
      {"label", kLabel, abi::property::Content, "stored", "\xc3\xe2\xb7\xd1 <b>15</b>",
       "text 0x16000001 \xc3\xe2\xb7\xd1 <b>15</b>"},
      {"browser", kBrowser, abi::property::Address, "c:\\ad.html", "c:\\4.html",
       "html 0x16000007 c:\\4.html"},
      {"hyperlink box", kLink, abi::property::Address, "", "http://127.0.0.1/x", ""},
  };
  for (const TextRow& row : rows) {
    backend->log.clear();
    EXPECT_EQ(read_text(row.control, row.property), row.stored) << row.what;
    write_property(kWindowId, row.control, row.property, -1, word(row.written), 0);
    EXPECT_EQ(read_text(row.control, row.property), row.written) << row.what;
    const std::vector<std::string> told =
        *row.told ? std::vector<std::string>{row.told} : std::vector<std::string>{};
    EXPECT_EQ(backend->log, told) << row.what;
  }
  // A null text is the empty text.
  write_property(kWindowId, kLabel, abi::property::Content, -1, 0, 0);
  EXPECT_EQ(read_text(kLabel, abi::property::Content), "");
}

TEST_F(Properties, AnEditBoxReadsWhatTheUserTyped) {
  backend->edit_texts[kEdit] = "13800000000";
  EXPECT_EQ(read_text(kEdit, abi::property::Content), "13800000000");
  write_property(kWindowId, kEdit, abi::property::Content, -1, word("x"), 0);
  EXPECT_EQ(backend->log, (std::vector<std::string>{"text 0x16000002 x"}));
  EXPECT_EQ(read_text(kEdit, abi::property::Content), "x");
}

TEST_F(Properties, TimerIntervalZeroOrLessStops) {
  EXPECT_EQ(read_number(kTimer, abi::property::Content, abi::tag::Int), 250u);
  const struct {
    int32_t written;
    const char* told;
    uint64_t read;
  } rows[] = {{0, "timer 0x16000003 0", 0},
              {10000, "timer 0x16000003 10000", 10000},
              {-5, "timer 0x16000003 0", 0},
              {1, "timer 0x16000003 1", 1}};
  for (const auto& row : rows) {
    write_property(kWindowId, kTimer, abi::property::Content, -1,
                   static_cast<uint32_t>(row.written), 0);
    EXPECT_EQ(backend->log.back(), row.told) << row.written;
    EXPECT_EQ(read_number(kTimer, abi::property::Content, abi::tag::Int), row.read) << row.written;
  }
}

TEST_F(Properties, ButtonDisabledStartsAsStored) {
  EXPECT_EQ(read_number(kButton, abi::property::Disabled, abi::tag::Bool), 1u);
  write_property(kWindowId, kButton, abi::property::Disabled, -1, 0, 0);
  EXPECT_EQ(read_number(kButton, abi::property::Disabled, abi::tag::Bool), 0u);
  write_property(kWindowId, kButton, abi::property::Disabled, -1, 1, 0);
  EXPECT_EQ(read_number(kButton, abi::property::Disabled, abi::tag::Bool), 1u);
  EXPECT_EQ(backend->log, (std::vector<std::string>{"enable 0x16000004", "disable 0x16000004"}));
}

TEST_F(Properties, APageOutOfRangeIsIgnored) {
  EXPECT_EQ(read_number(kTab, abi::property::CurrentPage, abi::tag::Int), 0u);
  for (uint32_t page : {1u, 2u, 7u, static_cast<uint32_t>(-1)}) {
    write_property(kWindowId, kTab, abi::property::CurrentPage, -1, page, 0);
  }
  EXPECT_EQ(backend->log, (std::vector<std::string>{"page 0x16000005 1"}));
  EXPECT_EQ(read_number(kTab, abi::property::CurrentPage, abi::tag::Int), 1u);
}

TEST_F(Properties, PictureBytesReadBackAndEmptyIsNull) {
  EXPECT_EQ(read_picture(), (std::vector<uint8_t>{7, 8, 9}));
  const uint8_t set[] = {1, 0, 0, 0, 4, 0, 0, 0, 'B', 'M', 0xFF, 0xFF};
  write_property(kWindowId, kPicture, abi::property::Picture, -1, word(set), 0);
  EXPECT_EQ(read_picture(), (std::vector<uint8_t>{'B', 'M', 0xFF, 0xFF}));
  write_property(kWindowId, kPicture, abi::property::Picture, -1, 0, 0);
  EXPECT_EQ(read_property(kWindowId, kPicture, abi::property::Picture, -1).value, 0u);
  EXPECT_EQ(backend->log,
            (std::vector<std::string>{"picture 0x16000006 4 bytes", "picture 0x16000006 0 bytes"}));
}

using PropertyFaults = Properties;

TEST_F(PropertyFaults, UnknownIdsAndPropertiesAreNamedInternalFaults) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(read_property(kWindowId, 0x16001234, 8, -1),
               "ReadProperty: window 0x52010001 has no control 0x16001234");
  EXPECT_DEATH(read_property(0x52019999, kLabel, 8, -1), "ReadProperty: no window 0x52019999");
  EXPECT_DEATH(read_property(kWindowId, kButton, 11, -1),
               "ReadProperty: control 0x16000004 \\(button\\) has no property 11");
  EXPECT_DEATH(write_property(kWindowId, kLabel, abi::property::Picture, -1, 0, 0),
               "WriteProperty: control 0x16000001 \\(label\\) has no property");
  EXPECT_DEATH(write_property(kWindowId, kLabel, abi::property::Content, 2, 0, 0),
               "WriteProperty: control 0x16000001 has no property element 2");
  const uint8_t not_a_set[] = {2, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_DEATH(write_property(kWindowId, kPicture, abi::property::Picture, -1, word(not_a_set), 0),
               "not a byte set");
  core::window::shut_down();
  EXPECT_DEATH(read_property(kWindowId, kLabel, 8, -1), "ReadProperty: no window is loaded");
}

}  // namespace
}  // namespace window_logic_test
