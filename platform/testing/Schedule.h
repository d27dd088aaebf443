#pragma once
// Running test code from inside a running message loop (the application's Run, say),
// as a timer would.

#include <functional>

namespace platform::testing {

// Runs `action` once, from the innermost running loop, after about `milliseconds`.
void RunAfter(int milliseconds, std::function<void()> action);

// Runs `action` once, from the innermost running loop, as soon as `ready` holds (asked
// every few milliseconds), so that a test waits for what it needs, however slow the
// machine, rather than for a fixed time. When `ready` still does not hold after
// `deadlineMs`, runs `missed` instead.
void RunWhen(std::function<bool()> ready, std::function<void()> action, std::function<void()> missed,
             int deadlineMs = 5000);

}  // namespace platform::testing
