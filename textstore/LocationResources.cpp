#include "textstore/LocationResources.h"

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
// Enter in the edit control sends OK. The explanation here is replaced before the
// dialog shows, so the user never reads it.
constexpr TDialogControl LocationControls[] = {
    // kind                     id                  text    x    y   w    h   style
    {TControlKind::Edit,        IDC_DATA_DIRECTORY, "",     16,  64, 204, 13, Shown | Border | TabStop | Left},
    {TControlKind::PushButton,  platform::IdOk,     "OK",   176, 96, 50,  14, Shown | TabStop | Center},
    {TControlKind::PushButton,  IDC_LOCATION_QUIT,  "Quit", 93,  96, 44,  14, Shown | TabStop | Center},
    {TControlKind::PushButton,  IDC_LOCATION_HELP,  "Help", 4,   96, 50,  14, Shown | TabStop | Center},
    {TControlKind::Static,      IDC_LOCATION_TEXT,
     "I can not find the data file VESK.BIN in the working direcfory.  Please enter the full path of "
     "the directory containing VESK.BIN.",                  24,  22, 184, 34, Shown | Notify | Left},
};

constexpr TDialogTemplate LocationDialog{
    IDD_LOCATION,
    "Location of VESK.BIN",
    0, 0, 240, 120,
    "MS Sans Serif", 8,
    Popup | Visible | Caption | SysMenu | ModalFrame | ContextHelp | SetFont | Look3D,
    LocationControls,
};

}  // namespace

void AddLocationResources(platform::TModule& module) {
  module.Add(LocationDialog);
}
