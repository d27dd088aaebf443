#pragma once
// What a font handle points to: the description the font was made from. The window
// system's side turns it into a font of its own when it draws or measures.

#include "platform/Font.h"

namespace platform {

struct TFontRecord {
  TFontDescription Description;
};

}  // namespace platform
