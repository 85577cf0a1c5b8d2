#include "tests/wininet_wire/program_requests.h"

namespace wininet_wire {
namespace {

const std::string kAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

// Every request names its own address as the referrer; a form post adds its
// type and its length in bytes.
ProgramRequest request(int port, std::string name, std::string path, std::string body) {
  const std::string url = "http://127.0.0.1:" + std::to_string(port) + path;
  std::string headers = kAccept + "Referer: " + url + "\r\nAccept-Language: zh-cn\r\n";
  const bool post = !body.empty();
  if (post) {
    headers += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n";
  }
  return {std::move(name), post ? "POST" : "GET", std::move(path), std::move(headers),
          std::move(body)};
}

}  // namespace

std::vector<ProgramRequest> program_requests(int port) {
  return {
      request(port, "voice code", "/url.php?class=check",
              "action=taste&tel=10000000000&MemberMobile=13800138000"),
      request(port, "registration", "/url.php",
              "class=check&action=one&tel=10000000000&MemberMobile=13800138000&VerifyCode=4821"),
      request(port, "picture code", "/verifycode.php", ""),
      request(port, "login", "/validate.php",
              "top=1&NoCode=1&RedirectUrl=%2Fp.php&MemberCode=13800138000&MemberPassword=pw1"
              "&ValidCode=5307&Image2.x=73&Image2.y=14"),
      request(port, "member page", "/p.php", ""),
      request(port, "claim", "/p.php?class=giving&hash=a1b2c3", ""),
      request(port, "balance", "/url.php", "action=balance&url=127.0.0.1&ip=10.1.2.3"),
      request(port, "IP echo", "/ip.php", ""),
      request(port, "call", "/url.php",
              "action=sendfreecall&tel=13900139000&url=127.0.0.1&ip=10.1.2.3"),
  };
}

std::vector<std::string> caller_lines(const ProgramRequest& request) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < request.headers.size();) {
    const size_t stop = request.headers.find("\r\n", start);
    lines.push_back(request.headers.substr(start, stop - start));
    start = stop + 2;
  }
  return lines;
}

}  // namespace wininet_wire
