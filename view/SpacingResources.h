#pragma once
// The line-spacing dialog's template and the ids that its controls and event table share.

#include "platform/Resources.h"

inline constexpr int IDD_LINE_SPACING = 6;   // dialog template 6, "Set Line Spacing"

inline constexpr int IDC_TIGHT = 101;        // LineSpace -3
inline constexpr int IDC_NORMAL = 102;       // LineSpace 0
inline constexpr int IDC_LOOSE = 103;        // LineSpace 5
inline constexpr int IDC_VERY_LOOSE = 104;   // LineSpace 10

// Adds dialog template 6 to `module`.
void AddSpacingResources(platform::TModule& module);
