#pragma once
// Running test code from inside a running message loop (the application's Run, say),
// as a timer would.

#include <functional>
#include <memory>

namespace platform::testing {

// Runs `action` once, from the innermost running loop, after about `milliseconds`.
void RunAfter(int milliseconds, std::function<void()> action);

// A wait of RunWhen. It ends with this object: a run that ends before the wait does
// (the program quit by itself) leaves nothing behind that could fire later.
class TWait {
public:
  struct TState;
  explicit TWait(std::shared_ptr<TState> state) : State(std::move(state)) {}
  TWait(TWait&&) = default;
  TWait& operator=(TWait&&) = default;
  ~TWait();

private:
  std::shared_ptr<TState> State;
};

// Runs `action` once, from the innermost running loop, as soon as `ready` holds (asked
// every few milliseconds), so that a test waits for what it needs, however slow the
// machine, rather than for a fixed time. When `ready` still does not hold after
// `deadlineMs`, runs `missed` instead.
[[nodiscard]] TWait RunWhen(std::function<bool()> ready, std::function<void()> action,
                            std::function<void()> missed, int deadlineMs = 5000);

}  // namespace platform::testing
