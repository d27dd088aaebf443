#pragma once
// Scripts for modal loops. Dialogs and message boxes are driven by scripts queued before
// the call that opens them: each modal loop, once its window is shown, runs the next
// queued script inside itself. A modal loop still open at its deadline (no script was
// waiting, or the script left it open) is ended as Escape would end it, and the miss is
// noted, so that a forgotten script cannot hang the run.
//
// The layer tells this driver of every modal loop through its modal observer, which
// InstallModalScripts sets; the shipped programs set none.

#include <functional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"
#include "platform/Resources.h"

namespace platform {
class TDialog;
class TWindow;
}  // namespace platform

namespace platform::testing {

// What a script sees of the modal loop it runs in.
class TModal {
public:
  enum class TKind { Dialog, MessageBox, FontChooser };
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
  // Font chooser: picks the family, style and size in its lists, and the effects, as the
  // user's clicks would, and leaves the focus in its size field; false when the family
  // or style is not offered.
  virtual bool ChooseFont(std::string_view family, std::string_view style, int points, bool underline,
                          bool strikeOut) = 0;
  // Font chooser: the family, style, size and colour it shows: "Family, Style, 12, Black".
  virtual std::string ShownFont() const = 0;
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

// Makes the layer tell the scripts of every modal loop (TestApplication does).
void InstallModalScripts();
void RemoveModalScripts();

}  // namespace platform::testing
