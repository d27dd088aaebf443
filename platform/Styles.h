#pragma once
// Style bits of windows, dialogs and controls, and the show commands. The values are
// our own; what each bit does is what the window library's style of that meaning did.

#include <cstdint>

namespace platform {

using TStyle = std::uint32_t;

namespace WindowStyle {
inline constexpr TStyle Overlapped = 0;            // a top-level window with a title bar
inline constexpr TStyle Child = 1u << 0;           // lies inside its parent's client area
inline constexpr TStyle Popup = 1u << 1;           // a top-level window (dialogs)
inline constexpr TStyle Visible = 1u << 2;         // shown as soon as it is created
inline constexpr TStyle Caption = 1u << 3;         // title bar
inline constexpr TStyle SysMenu = 1u << 4;         // system menu and close box
inline constexpr TStyle MinimizeBox = 1u << 5;     // minimise button
inline constexpr TStyle MaximizeBox = 1u << 6;     // maximise button; without it, none can maximise
inline constexpr TStyle ThickFrame = 1u << 7;      // sizing border; without it, the size is fixed
inline constexpr TStyle VScroll = 1u << 8;         // the window's own vertical scroll bar
inline constexpr TStyle Border = 1u << 9;          // thin border
inline constexpr TStyle TabStop = 1u << 10;        // Tab stops at this control
inline constexpr TStyle Group = 1u << 11;          // first control of a group
inline constexpr TStyle HScroll = 1u << 12;        // the window's own horizontal scroll bar
inline constexpr TStyle OverlappedWindow = Caption | SysMenu | MinimizeBox | MaximizeBox | ThickFrame;
}  // namespace WindowStyle

namespace DialogStyle {
inline constexpr TStyle ModalFrame = 1u << 16;     // dialog frame, no sizing
inline constexpr TStyle ContextHelp = 1u << 17;    // a "?" caption button, which does nothing here
inline constexpr TStyle SetFont = 1u << 18;        // the template names its font
inline constexpr TStyle Look3D = 1u << 19;
}  // namespace DialogStyle

namespace ControlStyle {
inline constexpr TStyle Center = 1u << 20;         // push button text centred (buttons), centred text (statics)
inline constexpr TStyle DefaultButton = 1u << 21;  // the dialog's default push button
inline constexpr TStyle AutoCheckBox = 1u << 22;   // a check box that toggles itself
inline constexpr TStyle AutoRadioButton = 1u << 23;// a radio button that clears its group's others
inline constexpr TStyle Notify = 1u << 24;         // list box and static notifications
inline constexpr TStyle Sunken = 1u << 25;         // static: sunken edge
inline constexpr TStyle NoPrefix = 1u << 26;       // static: '&' shown as it is
inline constexpr TStyle Icon = 1u << 27;           // static: shows an icon resource
inline constexpr TStyle Left = 0;                  // left-aligned text (the default)
}  // namespace ControlStyle

// Show commands, as handed to a program at start and to Show().
enum class TShowCommand : int {
  Hide = 0,
  ShowNormal = 1,
  ShowMinimized = 2,
  ShowMaximized = 3,
  ShowNoActivate = 4,
  Show = 5,
  Minimize = 6,
  ShowMinNoActive = 7,
  ShowNA = 8,
  Restore = 9,
  ShowDefault = 10,
};

}  // namespace platform
