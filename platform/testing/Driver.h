#pragma once
// Driving real windows from tests, through the window system, as a user would: clicks,
// keys, menu items and scroll-bar actions. Dialogs and message boxes are driven by the
// scripts of ModalScripts.h.

#include <string>
#include <vector>

#include "platform/DC.h"
#include "platform/Resources.h"
#include "platform/Window.h"

namespace platform::testing {

// Handles every waiting event, timers included, for about `milliseconds`.
void ProcessEventsFor(int milliseconds);

// Top-level windows that exist (shown or hidden); a test should leave none behind.
int TopLevelWindowCount();

// Scroll-bar actions on a window's own vertical bar, as the user would make them.
enum class TScrollAction { LineUp, LineDown, PageUp, PageDown, ToTop, ToBottom };
void TriggerScroll(TWindow& window, TScrollAction action);
// Drags the thumb to `position` (reported during the drag) and releases it.
void DragThumb(TWindow& window, int position);
bool ScrollBarVisible(const TWindow& window);
int ScrollBarPosition(const TWindow& window);
int ScrollBarMaximumPosition(const TWindow& window);  // the largest thumb position

// Sets the size of a window's client area (a top-level window is resized to fit).
void ResizeClient(TWindow& window, int width, int height);
// Clicks a push button child (as the user would with the mouse).
void ClickButton(TWindow& button);
// Sends the key to the window as the user would (accelerators and system keys too).
void PressKey(TWindow& window, TKey key, unsigned modifiers = 0);
// Chooses a menu item of a frame's menu bar by its command id.
void ChooseMenuItem(TWindow& frame, int commandId);
// Presses the caption's close button of a top-level window.
void CloseBox(TWindow& window);
// The texts of a frame's menu bar, pop-up by pop-up: "&File" then its items.
std::vector<std::string> MenuTexts(const TWindow& frame);
// The flags a top-level window was shown with.
struct TWindowDecoration {
  bool HasMinimizeButton, HasMaximizeButton, HasCloseButton, FixedSize, Minimized;
};
TWindowDecoration Decoration(const TWindow& window);

// Makes every client DC (GetClientDC) and every paint of every window draw through a
// TRecordingDC into `log` with `metrics`, until the returned object is destroyed.
class TRecordingScope {
public:
  explicit TRecordingScope(TDrawLog& log, TFixedMetrics metrics = {});
  ~TRecordingScope();
};

// Grabs the window as shown to a PNG file; false when it could not.
bool SavePicture(const TWindow& window, const std::string& pngPath);

}  // namespace platform::testing
