#pragma once
// A window's own vertical scroll bar. It delivers the user's actions as scroll events
// and moves only when the window sets it (TWindow::SetScrollInfo).

namespace platform {

struct TNativeWindow;

// Gives the window its bar, hidden until a range needs it. Wheel turns over the bar are
// eaten: the view scrolls by its bar only.
void AttachScrollBar(TNativeWindow& native);

}  // namespace platform
