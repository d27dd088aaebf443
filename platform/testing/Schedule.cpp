#include "platform/testing/Schedule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>

namespace platform::testing {

namespace {

constexpr int PollMs = 5;

struct TWait {
  std::function<bool()> Ready;
  std::function<void()> Action;
  std::function<void()> Missed;
  int DeadlineMs;
  QElapsedTimer Clock;
};

void Poll(const std::shared_ptr<TWait>& wait) {
  if (wait->Ready()) {
    wait->Action();
  } else if (wait->Clock.elapsed() > wait->DeadlineMs) {
    wait->Missed();
  } else {
    QTimer::singleShot(PollMs, QCoreApplication::instance(), [wait] { Poll(wait); });
  }
}

}  // namespace

void RunAfter(int milliseconds, std::function<void()> action) {
  QTimer::singleShot(milliseconds, QCoreApplication::instance(), std::move(action));
}

void RunWhen(std::function<bool()> ready, std::function<void()> action, std::function<void()> missed,
             int deadlineMs) {
  auto wait = std::make_shared<TWait>(TWait{std::move(ready), std::move(action), std::move(missed), deadlineMs, {}});
  wait->Clock.start();
  QTimer::singleShot(0, QCoreApplication::instance(), [wait] { Poll(wait); });
}

}  // namespace platform::testing
