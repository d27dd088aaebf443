#pragma once
// The search dialog's template and the ids that its controls and event table share.

#include "platform/Resources.h"

inline constexpr int IDD_SEARCH = 2;             // dialog template 2

inline constexpr int IDC_FIND_LIST = 101;        // the list of finds
inline constexpr int IDC_PHRASE = 102;           // the phrase edit control
inline constexpr int IDC_TEXT_TO_FIND = 103;     // the edit control's label
inline constexpr int IDC_SHOW_SECTION = 104;
inline constexpr int IDC_IGNORE_CASE = 105;
inline constexpr int IDC_SHOW_LINE = 106;
inline constexpr int IDC_SEARCH_HELP = 9;        // opens the page "Using the Selection Box"

// Adds dialog template 2 to `module`.
void AddSearchResources(platform::TModule& module);
