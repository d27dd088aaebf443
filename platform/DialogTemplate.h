#pragma once
// Dialog templates as data tables, one per dialog, in the resource file of the
// subsystem that shows it. Positions and sizes are dialog units: the platform turns
// them into pixels from the template's font as the original system did, x by the
// font's average character width / 4 and y by its character height / 8.

#include <span>

#include "platform/Styles.h"

namespace platform {

enum class TControlKind { PushButton, Edit, ListBox, CheckBox, RadioButton, Static, Icon };

inline constexpr int NoControlId = 65535;  // a control nobody looks up

struct TDialogControl {
  TControlKind Kind;
  int Id;
  const char* Text;   // for an Icon control: the icon resource id in decimal
  int X, Y, Width, Height;
  TStyle Style;       // WindowStyle, ControlStyle bits; Child and Visible included
};

struct TDialogTemplate {
  int Id;
  const char* Caption;
  int X, Y, Width, Height;
  const char* FontFace;
  int FontPoints;
  TStyle Style;                            // WindowStyle and DialogStyle bits
  std::span<const TDialogControl> Controls; // template order, which is the tab order
};

}  // namespace platform
