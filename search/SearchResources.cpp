#include "search/SearchResources.h"

#include "platform/Commands.h"
#include "platform/DialogTemplate.h"

namespace {

using platform::TControlKind;
using platform::TDialogControl;
using platform::TDialogTemplate;
using namespace platform::WindowStyle;
using namespace platform::DialogStyle;
using namespace platform::ControlStyle;

constexpr platform::TStyle Shown = Child | Visible;

// Template order is the tab order. None of the buttons is the default push button, so
// Enter clicks the focused one, or presses OK when the focus is elsewhere.
constexpr TDialogControl SearchControls[] = {
    // kind                     id                  text             x    y    w    h    style
    {TControlKind::Edit,        IDC_PHRASE,         "",              68,  13,  216, 13,  Shown | Border | TabStop | Left},
    {TControlKind::PushButton,  platform::IdOk,     "OK",            360, 288, 50,  14,  Shown | TabStop | Center},
    {TControlKind::PushButton,  IDC_SHOW_SECTION,   "Show  Section", 224, 284, 60,  13,  Shown | TabStop | Center},
    {TControlKind::PushButton,  platform::IdCancel, "Cancel",        360, 268, 50,  14,  Shown | TabStop | Center},
    {TControlKind::PushButton,  IDC_SEARCH_HELP,    "Help",          360, 248, 50,  14,  Shown | TabStop | Center},
    {TControlKind::ListBox,     IDC_FIND_LIST,      "",              16,  40,  304, 236, Shown | Border | VScroll | TabStop | Notify},
    {TControlKind::Static,      IDC_TEXT_TO_FIND,   "Text to find",  24,  16,  40,  8,   Shown | Left},
    {TControlKind::CheckBox,    IDC_IGNORE_CASE,    "Ignore Case",   312, 12,  60,  13,  Shown | TabStop | AutoCheckBox},
    {TControlKind::PushButton,  IDC_SHOW_LINE,      "Show Line",     132, 284, 60,  13,  Shown | TabStop | Center},
};

constexpr TDialogTemplate SearchDialog{
    IDD_SEARCH,
    "Lines found Containing the Search words",
    0, 0, 417, 312,
    "MS Sans Serif", 8,
    Popup | Visible | Caption | SysMenu | ModalFrame | ContextHelp | SetFont | Look3D,
    SearchControls,
};

}  // namespace

void AddSearchResources(platform::TModule& module) {
  module.Add(SearchDialog);
}
