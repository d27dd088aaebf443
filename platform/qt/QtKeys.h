#pragma once
// Our key codes and modifiers as the window system names them.

#include <Qt>

#include "platform/Resources.h"

namespace platform {

inline Qt::Key QtKeyOf(TKey key) {
  switch (key) {
    case TKey::Tab: return Qt::Key_Tab;
    case TKey::Enter: return Qt::Key_Return;
    case TKey::Escape: return Qt::Key_Escape;
    case TKey::F4: return Qt::Key_F4;
    default: return static_cast<Qt::Key>(static_cast<int>(key));  // letters: their capital code
  }
}

inline Qt::KeyboardModifiers QtModifiersOf(unsigned modifiers) {
  Qt::KeyboardModifiers qt = Qt::NoModifier;
  if (modifiers & KeyModifier::Control) qt |= Qt::ControlModifier;
  if (modifiers & KeyModifier::Alt) qt |= Qt::AltModifier;
  if (modifiers & KeyModifier::Shift) qt |= Qt::ShiftModifier;
  return qt;
}

}  // namespace platform
