#pragma once
// Icon 1, the program's own (an open book with a red bookmark), and icon 2, shown in
// the about box (a magnifying glass over lines of text).

#include "platform/Resources.h"

extern const platform::TIconResource QuorvelIcon;
extern const platform::TIconResource SecondIcon;
