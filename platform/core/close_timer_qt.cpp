#include <QTimer>

#include "platform/core/close_timer.h"

namespace runtime {

void run_after(int ms, void (*action)()) {
  QTimer::singleShot(ms, action);
}

}  // namespace runtime
