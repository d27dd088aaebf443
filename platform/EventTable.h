#pragma once
// Event tables: each window and dialog class has one static table that maps events
// (scroll, size, timer, child notifications) and command ids (menu items, buttons,
// accelerators) to its member functions. A lookup that finds no entry goes on in the
// table of the base class, and finally to the window's default handling.
//
//   const platform::TEventEntry TTamrinWindow::EventEntries[] = {
//       platform::OnVScroll<&TTamrinWindow::EvVScroll>(),
//       platform::OnCommand<&TTamrinWindow::CmFind>(CM_FIND),
//   };
//   const platform::TEventTable TTamrinWindow::Events{EventEntries, &TFrameWindow::Events};

#include <cstddef>
#include <span>

#include "platform/Geometry.h"

namespace platform {

class TWindow;

enum class TEventKind {
  Command,   // a menu item, accelerator, button click: Id is the command id
  Notify,    // a notification from the child control Id, with code Code
  VScroll,   // the window's vertical scroll bar
  Size,      // the client area has a new size
  Timer,     // a window timer ticked
};

// Scroll codes that the vertical scroll bar delivers.
namespace TScrollCode {
inline constexpr unsigned LineUp = 0;
inline constexpr unsigned LineDown = 1;
inline constexpr unsigned PageUp = 2;
inline constexpr unsigned PageDown = 3;
inline constexpr unsigned ThumbPosition = 4;   // the drag ended at Position
inline constexpr unsigned ThumbTrack = 5;      // the thumb is being dragged, now at Position
inline constexpr unsigned Top = 6;
inline constexpr unsigned Bottom = 7;
inline constexpr unsigned EndScroll = 8;
}  // namespace TScrollCode

// Notification codes of child controls.
namespace TNotifyCode {
inline constexpr unsigned Clicked = 0;          // push button, check box, radio button
inline constexpr unsigned ListDoubleClick = 2;  // list box: an entry was double-clicked
inline constexpr unsigned ListSelChange = 1;    // list box: the selection changed
}  // namespace TNotifyCode

// Opaque handle of the control that sent a scroll event; null for a window's own bar.
using TScrollBarHandle = const void*;

// What an event carries; each kind fills its own fields.
struct TEventArgs {
  int Id = 0;                         // Command, Notify
  unsigned Code = 0;                  // Notify: notification; VScroll: scroll code
  unsigned Position = 0;              // VScroll: the 16-bit thumb position
  TScrollBarHandle ScrollBar = nullptr;
  unsigned SizeType = 0;              // Size: 0 restored, 1 minimised, 2 maximised
  TSize Size;                         // Size: the new client size
  unsigned TimerId = 0;               // Timer
};

struct TEventEntry {
  TEventKind Kind;
  int Id;             // Command and Notify entries; 0 for the others
  unsigned Code;      // Notify entries
  void (*Invoke)(TWindow& window, const TEventArgs& args);
};

struct TEventTable {
  std::span<const TEventEntry> Entries;
  const TEventTable* Base = nullptr;

  // The first entry, in this table or a base's, that takes the event; null when none.
  const TEventEntry* Find(TEventKind kind, int id, unsigned code) const;
};

namespace detail {
template <class>
struct MemberClass;
template <class C, class R, class... A>
struct MemberClass<R (C::*)(A...)> {
  using Type = C;
};
template <auto Member>
using ClassOf = typename MemberClass<decltype(Member)>::Type;
}  // namespace detail

// Member: void Cm...()
template <auto Member>
constexpr TEventEntry OnCommand(int id) {
  return {TEventKind::Command, id, 0, [](TWindow& window, const TEventArgs&) {
            (static_cast<detail::ClassOf<Member>&>(window).*Member)();
          }};
}

// Member: void Cm...(), run when child control `id` sends notification `code`.
template <auto Member>
constexpr TEventEntry OnNotify(int id, unsigned code) {
  return {TEventKind::Notify, id, code, [](TWindow& window, const TEventArgs&) {
            (static_cast<detail::ClassOf<Member>&>(window).*Member)();
          }};
}

// Member: void EvVScroll(unsigned scrollCode, unsigned thumbPosition, TScrollBarHandle)
template <auto Member>
constexpr TEventEntry OnVScroll() {
  return {TEventKind::VScroll, 0, 0, [](TWindow& window, const TEventArgs& args) {
            (static_cast<detail::ClassOf<Member>&>(window).*Member)(args.Code, args.Position,
                                                                    args.ScrollBar);
          }};
}

// Member: void EvSize(unsigned sizeType, const TSize& clientSize)
template <auto Member>
constexpr TEventEntry OnSize() {
  return {TEventKind::Size, 0, 0, [](TWindow& window, const TEventArgs& args) {
            (static_cast<detail::ClassOf<Member>&>(window).*Member)(args.SizeType, args.Size);
          }};
}

// Member: void EvTimer(unsigned timerId)
template <auto Member>
constexpr TEventEntry OnTimer() {
  return {TEventKind::Timer, 0, 0, [](TWindow& window, const TEventArgs& args) {
            (static_cast<detail::ClassOf<Member>&>(window).*Member)(args.TimerId);
          }};
}

}  // namespace platform
