#pragma once
// The base of every window, frame, dialog and control.
//
// A TWindow object exists before and after its window: the constructor only records
// attributes, Create() makes the window (and, through SetupWindow, the windows of its
// children), Destroy() removes the window and keeps the object. Events reach the
// object through its class's event table (EventTable.h).
//
// Painting: every window has a surface that holds what is on the screen. When the
// window has been invalidated, the next paint erases the surface with the window
// class's background brush (when the invalidation asked for erasing) and calls Paint.
// A device context from GetClientDC draws on the same surface outside Paint, and what
// it draws stays on the screen until the next paint.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Colour.h"
#include "platform/DC.h"
#include "platform/EventTable.h"
#include "platform/Geometry.h"
#include "platform/Styles.h"

namespace platform {

class TApplication;
struct TNativeWindow;  // the window system's side, defined by the platform

// Attributes recorded before the window is made.
struct TWindowAttributes {
  TStyle Style = WindowStyle::Child | WindowStyle::Visible;
  int Id = 0;                       // child id, as found by ChildWithId
  int X = 0, Y = 0, W = 0, H = 0;   // pixels; W or H 0 for a top-level window: the default size
};

// The window class: what the window system does for every window of the class.
struct TWindowClass {
  TColor BackgroundBrush = ColorLightGray;  // erases the client area before a paint
  bool HasBackgroundBrush = true;
};

inline constexpr TColor StockLightGrayBrush = ColorLightGray;

// The vertical scroll bar's state, set as one record. Range Min..Max, page Page;
// the thumb can take the positions Min to Max - max(Page - 1, 0), and the bar is hidden
// while that range is empty (one page covers it).
struct TScrollInfo {
  unsigned Mask = 0;   // which fields to set: the ScrollInfoMask bits
  int Min = 0;
  int Max = 0;
  unsigned Page = 0;
  int Pos = 0;
  int TrackPos = 0;    // ignored when setting
};
namespace ScrollInfoMask {
inline constexpr unsigned Range = 0x1;
inline constexpr unsigned Page = 0x2;
inline constexpr unsigned Pos = 0x4;
inline constexpr unsigned TrackPos = 0x10;
inline constexpr unsigned All = Range | Page | Pos | TrackPos;   // 23
}  // namespace ScrollInfoMask

class TWindow {
public:
  // A window with no parent becomes a top-level window when it is made. A window made
  // with a parent is one of its children and belongs to it: make it with new; the
  // parent deletes it. A modal dialog is the exception: its parent only owns it (see
  // SetOwner), and the code that runs it owns the object.
  explicit TWindow(TWindow* parent = nullptr, std::string_view title = {});
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  TWindowAttributes Attr;

  // The parent, or for a modal dialog its owner.
  TWindow* GetParent() const { return Parent; }
  // Makes this window a child of `parent` (before it is created): the parent lists it
  // among its children, creates its window in SetupWindow and deletes it in its own
  // destructor.
  void SetParent(TWindow* parent);
  const std::string& GetTitle() const { return Title; }
  void SetCaption(std::string_view title);
  void SetBkgndColor(TColor color);
  TColor GetBkgndColor() const { return Background; }

  // Makes the window. Top-level windows are made hidden unless Attr.Style has Visible;
  // children become visible with their parent unless hidden. Calls SetupWindow once the
  // window exists. False when the window system refused.
  bool Create();
  bool IsCreated() const;
  // Removes the window (and its children's), keeping the objects. When the main
  // window is destroyed the application posts the quit request with code 0; when a
  // frame's client is destroyed, the frame posts itself the close request.
  void Destroy(int returnValue = 0);

  // The close operation: asks CanClose and, when it says yes, destroys the window.
  // For the application's main window the application's CanClose is asked first.
  virtual void CloseWindow(int returnValue = 0);
  // Asks the children; nothing in the base refuses.
  virtual bool CanClose();

  // Overridables.
  virtual void SetupWindow();                       // base: creates the children's windows
  virtual void GetWindowClass(TWindowClass& windowClass);
  virtual void Paint(TDC& dc, bool erase, const TRect& rect);  // base: draws nothing
  virtual const TEventTable& GetEventTable() const { return Events; }

  // Operations on the window; harmless no-ops before Create.
  void Show(TShowCommand command);
  bool IsVisible() const;
  void Invalidate(bool erase = true);
  void UpdateWindow();                              // paints now if invalid
  TRect GetClientRect() const;                      // without the scroll bar
  TRect GetWindowRect() const;                      // in screen pixels, frame included
  bool SetTimer(unsigned id, unsigned milliseconds);
  bool KillTimer(unsigned id);
  TWindow* ChildWithId(int id) const;               // the child made with Attr.Id == id
  const std::vector<TWindow*>& GetChildren() const { return Children; }
  void SetFocus();
  // Sets the vertical scroll bar from `info` (Mask says which fields); shows or hides
  // the bar as the range requires, which changes the client size (a size event follows
  // at once, as on the original system). Returns the new position.
  int SetScrollInfo(const TScrollInfo& info, bool redraw = true);
  TScrollInfo GetScrollInfo() const;
  // A device context on the client area, drawing on the window's surface; outside
  // Paint what it draws shows at once and stays until the next paint.
  std::unique_ptr<TDC> GetClientDC();

  // Events: finds the entry in the event table chain and runs it; otherwise the
  // default handling. Returns true when an entry took it.
  bool Dispatch(TEventKind kind, const TEventArgs& args);
  // A command from a menu, accelerator or child: this window's table, then its
  // parents', then the application's.
  void RouteCommand(int id);

  TNativeWindow* Native() const { return NativePart.get(); }

  // The kinds of native window the platform makes.
  enum class TNativeKind { Window, Frame, Dialog, Button, Edit, ListBox, CheckBox, RadioButton,
                           Static, Icon };
  TNativeKind Kind() const { return NativeKind(); }

  static const TEventTable Events;

protected:
  // Makes `owner` this window's parent for placement, modality, message boxes and
  // commands, without making this window one of its children: the owner's CanClose,
  // Destroy and destructor never reach it, and the owner never deletes it. The owner
  // must outlive the window's use of it (the owner may be deleted first; the window is
  // then not to be used). Modal dialogs are made so.
  void SetOwner(TWindow* owner);

  // Default handling of the size and scroll events; handlers run it first.
  void EvSize(unsigned sizeType, const TSize& size);
  void EvVScroll(unsigned scrollCode, unsigned thumbPosition, TScrollBarHandle scrollBar);

  // The kind of native window this class makes; dialogs and controls name theirs.
  virtual TNativeKind NativeKind() const { return TNativeKind::Window; }

  // Called by the platform when the window is gone (after Destroy or with its parent).
  virtual void WindowDestroyed();

private:
  friend struct TNativeWindow;
  friend class TApplication;
  TWindow* Parent = nullptr;
  bool OwnedOnly = false;  // Parent is an owner, not a parent that lists this window
  std::string Title;
  TColor Background = ColorLightGray;
  std::vector<TWindow*> Children;
  std::unique_ptr<TNativeWindow> NativePart;
};

}  // namespace platform
