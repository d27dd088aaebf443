#pragma once
// The location dialog's template and the ids that its controls and event table share.

#include "platform/Resources.h"

inline constexpr int IDD_LOCATION = 1;            // dialog template 1, "Location of VESK.BIN"

inline constexpr int IDC_LOCATION_TEXT = 101;     // the explanation
inline constexpr int IDC_DATA_DIRECTORY = 102;    // the edit control for the directory
inline constexpr int IDC_LOCATION_QUIT = 103;
inline constexpr int IDC_LOCATION_HELP = 9;

// Adds dialog template 1 to `module`.
void AddLocationResources(platform::TModule& module);
