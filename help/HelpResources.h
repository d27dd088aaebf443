#pragma once
// The four information pages' templates and their ids.

#include "platform/Resources.h"

inline constexpr int IDD_ABOUT = 22000;          // "About QUORVEL"
inline constexpr int IDD_GENERAL_HELP = 3;       // "General Help"
inline constexpr int IDD_SEARCH_HELP = 4;        // "Using the Selection Box"
inline constexpr int IDD_LOCATION_HELP = 5;      // "Help on the location of the data file VESK.BIN"

// The about box's own controls; its Close button is OK (1), the help pages' Close is
// Cancel (2).
inline constexpr int IDC_ABOUT_TITLE = 22001;
inline constexpr int IDC_ABOUT_RIGHTS = 101;
inline constexpr int IDC_ABOUT_VERSION = 102;
inline constexpr int IDC_ABOUT_THANKS = 103;
inline constexpr int IDC_ABOUT_COPYING = 104;
inline constexpr int IDC_ABOUT_DISCLAIMER = 105;

// Adds templates 22000, 3, 4 and 5 to `module`.
void AddHelpResources(platform::TModule& module);
