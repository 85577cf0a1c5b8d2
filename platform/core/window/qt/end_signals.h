// SIGTERM and SIGINT end the program as closing its window does: the
// message loop returns and the program's clean-up runs. The signal handler
// only writes a byte to a pipe; the GUI thread reads it and closes any open
// box and then the window.
#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace core::window {

class EndSignals : public QObject {
 public:
  // `close` closes the window as the user would.
  explicit EndSignals(std::function<void()> close);
  // Gives both signals back their default action.
  ~EndSignals() override;
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

 private:
  void on_signal();

  std::function<void()> close_;
  int fds_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace core::window
