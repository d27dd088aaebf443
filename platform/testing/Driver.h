#pragma once
// Driving real windows and dialogs from tests, through the window system, as a user
// would: clicks, keys, typing, list selections and scroll-bar actions. Modal loops
// (dialogs and message boxes) are driven by scripts queued before the call that opens
// them: each modal loop, once its window is shown, runs the next queued script inside
// itself. A modal loop that finds no script waiting closes itself after a deadline and
// fails the test, so that a forgotten script cannot hang the run.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DC.h"
#include "platform/Resources.h"
#include "platform/Window.h"

namespace platform {
class TDialog;
}

namespace platform::testing {

// What a script sees of the modal loop it runs in.
class TModal {
public:
  enum class TKind { Dialog, MessageBox };
  virtual ~TModal() = default;
  virtual TKind Kind() const = 0;
  virtual std::string Caption() const = 0;
  virtual std::string Text() const = 0;          // message box: its text
  virtual bool HasExclamationIcon() const = 0;   // message box
  virtual TWindow* Owner() const = 0;
  virtual TDialog* Dialog() const = 0;           // dialog: the dialog object
  // Input, delivered through the window system.
  virtual void Click(int controlId) = 0;         // a push button, check box or radio button
  virtual void PressKey(TKey key) = 0;           // Escape, Enter, Tab to the focused control
  virtual void CloseBox() = 0;                   // the caption's close button
  virtual void TypeText(int editId, std::string_view text) = 0;  // focuses and types
  virtual void SelectListEntry(int listId, int index) = 0;       // a single click
  virtual void DoubleClickListEntry(int listId, int index) = 0;
  virtual int FocusedControlId() const = 0;      // 0 when none
  // The pixel rectangle of a control in the dialog's client coordinates.
  virtual TRect ControlRect(int controlId) const = 0;
  virtual bool SavePicture(const std::string& pngPath) const = 0;
};

using TModalScript = std::function<void(TModal&)>;

// Queues a script for the next modal loop that starts.
void OnNextModal(TModalScript script);
// Scripts still waiting (a test should leave none behind).
int PendingModalScripts();
void ClearModalScripts();
// How long a modal loop without a script waits before it fails the test and closes.
void SetModalDeadline(int milliseconds);
// True once a modal loop found no script and had to close itself.
bool ModalDeadlineMissed();
void ResetModalDeadlineMissed();

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
  TRecordingScope(TDrawLog& log, TFixedMetrics metrics = {});
  ~TRecordingScope();
};

// Grabs the window as shown to a PNG file; false when it could not.
bool SavePicture(const TWindow& window, const std::string& pngPath);

}  // namespace platform::testing
