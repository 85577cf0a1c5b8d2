#include <QTimer>

#include "platform/core/close_timer.h"

namespace core {

void run_after(int ms, void (*action)()) {
  QTimer::singleShot(ms, action);
}

}  // namespace core
