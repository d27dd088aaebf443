#pragma once
// The font a font handle names, as the window system draws it.

#include <QFont>

#include "platform/Font.h"

namespace platform {

// The description's face (the default GUI font's when empty), pixel height (the default
// size when 0), weight, italic, underline and strike-out.
QFont QtFontOf(TFontHandle handle);

}  // namespace platform
