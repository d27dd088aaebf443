#pragma once
// The one window system of the process.

namespace platform {

// Starts it on the command line kept by KeepCommandLine, once; later calls do nothing.
void EnsureWindowSystem();

}  // namespace platform
