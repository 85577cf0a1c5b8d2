// What the program relies on from whichever WinINet it runs with: its own
// header lines arrive intact, once each, and the library adds the host with
// the port and the agent. Header order and any further lines of the library's
// own are not asserted here, since Windows' WinINet and the stand-in differ
// there.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/wininet_wire/head_recorder.h"
#include "tests/wininet_wire/program_request_client.h"
#include "tests/wininet_wire/program_requests.h"

namespace {

using wininet_wire::ProgramRequest;

std::string lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

size_t count_named(const std::vector<std::string>& lines, const std::string& name) {
  return static_cast<size_t>(std::count_if(lines.begin() + 1, lines.end(), [&](const auto& line) {
    return lower(line.substr(0, line.find(':'))) == lower(name);
  }));
}

class ProgramHead : public testing::TestWithParam<size_t> {};

TEST_P(ProgramHead, CarriesTheProgramsLinesIntactWithHostAndAgent) {
  wininet_wire::HeadRecorder recorder;
  const ProgramRequest request = wininet_wire::program_requests(recorder.port())[GetParam()];
  SCOPED_TRACE(request.name);
  const auto result = wininet_wire::send_program_request(recorder.port(), request);
  ASSERT_TRUE(result.sent) << "error " << result.error;
  EXPECT_EQ(result.reply_body, "ok");

  const std::string wire = recorder.request();
  const auto lines = wininet_wire::head_lines(wire);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], request.verb + " " + request.path + " HTTP/1.1");
  for (const auto& own : wininet_wire::caller_lines(request)) {
    EXPECT_EQ(std::count(lines.begin() + 1, lines.end(), own), 1) << own << "\n" << wire;
    EXPECT_EQ(count_named(lines, own.substr(0, own.find(':'))), 1u) << own << "\n" << wire;
  }
  const std::string host = "Host: 127.0.0.1:" + std::to_string(recorder.port());
  EXPECT_EQ(std::count(lines.begin() + 1, lines.end(), host), 1) << wire;
  EXPECT_EQ(std::count(lines.begin() + 1, lines.end(),
                       std::string("User-Agent: ") + wininet_wire::kProgramAgent),
            1)
      << wire;
  if (request.body.empty()) {
    EXPECT_EQ(count_named(lines, "Content-Length"), 0u) << wire;
  }
  EXPECT_EQ(wininet_wire::body_of(wire), request.body);
}

INSTANTIATE_TEST_SUITE_P(EveryRequest, ProgramHead,
                         testing::Range<size_t>(0, wininet_wire::program_requests(0).size()),
                         [](const auto& info) {
                           std::string name = wininet_wire::program_requests(0)[info.param].name;
                           std::replace(name.begin(), name.end(), ' ', '_');
                           return name;
                         });

}  // namespace
