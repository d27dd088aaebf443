#pragma once
// Command ids that the window library itself gives a meaning to.

namespace platform {

inline constexpr int IdOk = 1;        // a dialog's OK; Enter sends it when no push button takes it
inline constexpr int IdCancel = 2;    // a dialog's Cancel; Escape and the close box send it
inline constexpr int CmExit = 24310;  // the application's exit command: closes the main window

}  // namespace platform
