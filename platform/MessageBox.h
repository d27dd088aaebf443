#pragma once
// Message boxes: modal, owned by a window, with a text, a caption and an OK button.

#include <string_view>

namespace platform {

class TWindow;

namespace MessageBoxType {
inline constexpr unsigned Ok = 0x0;
inline constexpr unsigned IconExclamation = 0x30;
}  // namespace MessageBoxType

// Shows the box over the owner's top-level window (disabled meanwhile) and returns
// IdOk when it is closed, or 0 at once when a quit request is pending. The text is
// shown as bytes, one character each.
int MessageBox(TWindow* owner, std::string_view text, std::string_view caption,
               unsigned type = MessageBoxType::Ok);

}  // namespace platform
