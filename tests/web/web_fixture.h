// The program fixture with the declared functions resolved in the real
// stand-in DLLs of the build: every call is recorded (function, argument
// words and the texts they point to) and then made. ProcessEvents is counted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/const_table.h"
#include "runtime/blocks.h"
#include "tests/program/program_fixture.h"

namespace web_test {

struct DllCall {
  program::Dll function;
  std::vector<uint64_t> words;
  std::vector<std::string> texts;  // the texts the call passed, in argument order
  // What ProcessEvents count stood at when the call was made.
  int events_before = 0;
};

class WebFixture : public program_test::ProgramFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  static std::vector<DllCall>& calls();
  static std::vector<DllCall> calls_of(program::Dll function);
  static int process_events_count();

  // The GBK bytes of a UTF-8 source text.
  static std::string gbk(const char* utf8);
  static std::string bytes_of(rt::BytesView bytes);
};

// WININET_CONNECT_TO for the duration of a scope: "host:port" reaches 127.0.0.1:`to`.
class ConnectTo {
 public:
  ConnectTo(const std::string& host_port, int to);
  ConnectTo(const ConnectTo&) = delete;
  ConnectTo& operator=(const ConnectTo&) = delete;
  ~ConnectTo();
};

}  // namespace web_test
