// Plain sockets for the fault gate: an owner that closes, and waits, reads
// and writes that give up when the gate stops or the peer stalls too long.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <utility>

namespace service {

class Socket {
 public:
  Socket() = default;
  explicit Socket(int fd) : fd_(fd) {}
  Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Socket& operator=(Socket&& other) noexcept;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  ~Socket();

  int fd() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Set by the gate's owner when it stops; every wait below ends early then.
using StopFlag = std::atomic<bool>;

// The longest a peer may leave a read or a write without progress.
inline constexpr auto kStallLimit = std::chrono::seconds(30);

// Waits for `events` (POLLIN, POLLOUT) on `fd`; false on time-out or stop.
bool wait_for(int fd, short events, std::chrono::milliseconds limit, const StopFlag& stop);
// Sleeps, waking early on stop; false when stopped.
bool pause_for(std::chrono::milliseconds time, const StopFlag& stop);
bool write_all(int fd, std::string_view data, const StopFlag& stop);
// Appends what one read gives; 0 at the end, -1 on error, stall or stop.
long read_some(int fd, std::string& into, const StopFlag& stop);

// Listens on `address`:`port` (0: any free port) with SO_REUSEADDR, so a
// restart finds the port free while old connections linger in TIME_WAIT.
// Returns the socket and sets `bound_port`, or an invalid socket and `error`.
Socket listen_on(const std::string& address, int port, int& bound_port, std::string& error);
Socket connect_loopback(int port);
// The peer's address as text ("127.0.0.1", "::1").
std::string peer_address(int fd);
// Ends the connection with a reset rather than an orderly close.
void reset_on_close(int fd);
// An orderly close: no more writes, then what the peer still sends is read
// and dropped for a moment, so unread request bytes cause no reset.
void finish_writing(int fd, const StopFlag& stop);

}  // namespace service
