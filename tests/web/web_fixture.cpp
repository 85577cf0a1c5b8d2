#include "tests/web/web_fixture.h"

#include <QString>
#include <cstdlib>
#include <cstring>

#include "platform/core/binding/dll_calls.h"
#include "platform/core/commands/command_table.h"
#include "platform/gbk/gbk_text.h"
#include "runtime/abi.h"
#include "tests/support/temp_dir.h"

namespace web_test {
namespace {

using program::Dll;

struct State {
  std::vector<DllCall> calls;
  int process_events = 0;
};

State& state() {
  static State s;
  return s;
}

std::string text_at(uint64_t word) {
  const char* text = reinterpret_cast<const char*>(word);
  return text == nullptr ? std::string("<null>") : std::string(text);
}

std::string counted_text_at(uint64_t word, uint64_t length) {
  const char* text = reinterpret_cast<const char*>(word);
  return text == nullptr ? std::string("<null>") : std::string(text, static_cast<uint32_t>(length));
}

// The texts each WinINet function is given, by argument position.
std::vector<std::string> texts_of(Dll function, const uint64_t* w) {
  switch (function) {
    case Dll::InternetOpenA:
      return {text_at(w[0]), text_at(w[2]), text_at(w[3])};
    case Dll::InternetConnectA:
      return {text_at(w[1]), text_at(w[3]), text_at(w[4])};
    case Dll::HttpOpenRequestA:
      return {text_at(w[1]), text_at(w[2]), text_at(w[3]), text_at(w[4])};
    case Dll::HttpSendRequestA:
      return {counted_text_at(w[1], w[2]), counted_text_at(w[3], w[4])};
    case Dll::InternetSetCookieA:
      return {text_at(w[0]), text_at(w[1]), text_at(w[2])};
    default:
      return {};
  }
}

uint64_t recording_call(uint32_t index, uint32_t word_count, const uint64_t* words) {
  const auto function = static_cast<Dll>(index);
  state().calls.push_back(DllCall{function, std::vector<uint64_t>(words, words + word_count),
                                  texts_of(function, words), state().process_events});
  return binding::call_dll_function(index, word_count, words);
}

abi::ArgRecord count_process_events(std::span<const abi::ArgRecord>) {
  ++state().process_events;
  return {};
}

// The libraries stay loaded for the whole process, so wininet's cookie store
// lives as long as it does. The per-user cookie file goes to a private
// directory, never the user's own; it is set before wininet first loads.
void private_data_home() {
  static const test_support::TempDir data_home;
  static const test_support::ScopedEnv data_home_env("XDG_DATA_HOME", data_home.path().string());
}

}  // namespace

void WebFixture::SetUp() {
  ProgramFixture::SetUp();
  private_data_home();
  state() = {};
  core::register_core_command(abi::cmd::ProcessEvents, count_process_events);
  services().call_dll_function = &recording_call;
  window_list_ = const_cast<uint8_t*>(const_address(program::Const::EmptyArray));
  attach();
}

void WebFixture::TearDown() {
  ProgramFixture::TearDown();
}

std::vector<DllCall>& WebFixture::calls() {
  return state().calls;
}

std::vector<DllCall> WebFixture::calls_of(Dll function) {
  std::vector<DllCall> found;
  for (const DllCall& c : state().calls) {
    if (c.function == function) {
      found.push_back(c);
    }
  }
  return found;
}

int WebFixture::process_events_count() {
  return state().process_events;
}

std::string WebFixture::gbk(const char* utf8) {
  return gbk::from_qstring(QString::fromUtf8(utf8));
}

std::string WebFixture::bytes_of(rt::BytesView bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

ConnectTo::ConnectTo(const std::string& host_port, int to) {
  const std::string entry = host_port + ":127.0.0.1:" + std::to_string(to);
  setenv("WININET_CONNECT_TO", entry.c_str(), 1);
}

ConnectTo::~ConnectTo() {
  unsetenv("WININET_CONNECT_TO");
}

}  // namespace web_test
