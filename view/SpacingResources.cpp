#include "view/SpacingResources.h"

#include "platform/Commands.h"
#include "platform/DialogTemplate.h"

namespace {

using platform::TControlKind;
using platform::TDialogControl;
using platform::TDialogTemplate;
using namespace platform::WindowStyle;
using namespace platform::DialogStyle;
using namespace platform::ControlStyle;

constexpr platform::TStyle Shown = Child | Visible | TabStop;

// Template order is the tab order: OK, then the four buttons. No control opens a group,
// so the four radio buttons are one group; there is no Cancel button (Escape and the
// close box cancel).
constexpr TDialogControl SpacingControls[] = {
    // kind                      id              text          x    y    w   h   style
    {TControlKind::PushButton,   platform::IdOk, "OK",         144, 100, 50, 14, Shown | Center},
    {TControlKind::RadioButton,  IDC_TIGHT,      "Tight",      52,  17,  44, 13, Shown | AutoRadioButton},
    {TControlKind::RadioButton,  IDC_NORMAL,     "Normal",     52,  31,  44, 13, Shown | AutoRadioButton},
    {TControlKind::RadioButton,  IDC_LOOSE,      "Loose",      52,  45,  44, 13, Shown | AutoRadioButton},
    {TControlKind::RadioButton,  IDC_VERY_LOOSE, "Very Loose", 52,  59,  52, 13, Shown | AutoRadioButton},
};

constexpr TDialogTemplate SpacingDialog{
    IDD_LINE_SPACING,
    "Set Line Spacing",
    0, 0, 202, 120,
    "MS Sans Serif", 8,
    Popup | Visible | Caption | SysMenu | ModalFrame | ContextHelp | SetFont | Look3D,
    SpacingControls,
};

}  // namespace

void AddSpacingResources(platform::TModule& module) {
  module.Add(SpacingDialog);
}
