#pragma once
// Running test code from inside a running message loop (the application's Run, say),
// as a timer would.

#include <functional>

namespace platform::testing {

// Runs `action` once, from the innermost running loop, after about `milliseconds`.
void RunAfter(int milliseconds, std::function<void()> action);

}  // namespace platform::testing
