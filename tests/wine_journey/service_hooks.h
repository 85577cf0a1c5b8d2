// The stand-in service's test hooks, asked over the same WinINet the program
// uses: the voice code it phoned to a number, and the picture code it drew
// for the program's session (whose cookie WinINet keeps in the prefix when
// the service gives it an expiry).
#pragma once

#include <optional>
#include <string>

namespace wine_journey {

// The service at the program's build-time address.
constexpr char kServiceHost[] = "127.0.0.1";
constexpr unsigned short kServicePort = 8600;

std::optional<std::string> voice_code(const std::string& mobile);
// The session cookie the program holds for the service, as WinINet tells it.
std::optional<std::string> session_cookie();
std::optional<std::string> picture_code(const std::string& cookie);

}  // namespace wine_journey
