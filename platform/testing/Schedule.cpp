#include "platform/testing/Schedule.h"

#include <QCoreApplication>
#include <QTimer>

namespace platform::testing {

void RunAfter(int milliseconds, std::function<void()> action) {
  QTimer::singleShot(milliseconds, QCoreApplication::instance(), std::move(action));
}

}  // namespace platform::testing
