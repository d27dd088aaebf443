#pragma once
// While a long task pumps messages after every step (the scan does, after every line),
// windows repaint at most every PaintInterval: input and timers are handled at once, but
// a list that grows at every step is not redrawn thousands of times.

namespace platform {

// Handles every waiting event with the throttle on, and returns.
void ProcessMessagesThrottled();

}  // namespace platform
