#include "platform/core/window/qt/end_signals.h"

#include <QApplication>
#include <QWidget>

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

namespace core::window {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};
// Boxes open over one another at most: one for each handler in progress.
constexpr int kMostBoxes = 16;

// The write end of the pipe, for the handler; -1 while none is installed.
volatile std::sig_atomic_t g_write_fd = -1;

void on_end_signal(int) {
  const int fd = g_write_fd;
  if (fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
  }
}

}  // namespace

EndSignals::EndSignals(std::function<void()> close) : close_(std::move(close)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) {
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(fds_[1], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &EndSignals::on_signal);
  g_write_fd = fds_[0];
  struct sigaction action = {};
  action.sa_handler = &on_end_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : kSignals) {
    sigaction(sig, &action, nullptr);
  }
}

EndSignals::~EndSignals() {
  for (int sig : kSignals) {
    std::signal(sig, SIG_DFL);
  }
  g_write_fd = -1;
  notifier_.reset();
  for (int fd : fds_) {
    if (fd >= 0) {
      ::close(fd);
    }
  }
}

// Boxes first: a box left open would hold the handler that opened it, and
// with it the end of the message loop.
void EndSignals::on_signal() {
  char bytes[16];
  while (::read(fds_[1], bytes, sizeof bytes) > 0) {
  }
  for (int open = 0; open < kMostBoxes; ++open) {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr || !box->close()) {
      break;
    }
  }
  close_();
}

}  // namespace core::window
