#include "platform/testing/Schedule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>

namespace platform::testing {

namespace {

constexpr int PollMs = 5;

}  // namespace

struct TWait::TState {
  std::function<bool()> Ready;
  std::function<void()> Action;
  std::function<void()> Missed;
  int DeadlineMs;
  QElapsedTimer Clock;
  bool Ended = false;
};

TWait::~TWait() {
  if (State) State->Ended = true;
}

namespace {

void Poll(const std::shared_ptr<TWait::TState>& wait) {
  if (wait->Ended) return;
  if (wait->Ready()) {
    wait->Ended = true;
    wait->Action();
  } else if (wait->Clock.elapsed() > wait->DeadlineMs) {
    wait->Ended = true;
    wait->Missed();
  } else {
    QTimer::singleShot(PollMs, QCoreApplication::instance(), [wait] { Poll(wait); });
  }
}

}  // namespace

void RunAfter(int milliseconds, std::function<void()> action) {
  QTimer::singleShot(milliseconds, QCoreApplication::instance(), std::move(action));
}

TWait RunWhen(std::function<bool()> ready, std::function<void()> action, std::function<void()> missed,
              int deadlineMs) {
  auto wait = std::make_shared<TWait::TState>(
      TWait::TState{std::move(ready), std::move(action), std::move(missed), deadlineMs, {}, false});
  wait->Clock.start();
  QTimer::singleShot(0, QCoreApplication::instance(), [wait] { Poll(wait); });
  return TWait(wait);
}

}  // namespace platform::testing
