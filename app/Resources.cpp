#include "app/Resources.h"

#include "app/CommandIds.h"
#include "app/Icons.h"
#include "help/HelpResources.h"
#include "search/SearchResources.h"
#include "textstore/LocationResources.h"
#include "view/SpacingResources.h"

namespace {

using platform::TAccelerator;
using platform::TAcceleratorTable;
using platform::TMenuItem;
using platform::TMenuPopup;
using platform::TMenuResource;

// Menu 100. A null text is a separator; after a tab stands the key label.
constexpr TMenuItem FileMenu[] = {
    {"&Line Spacing", CM_LINESPACING},
    {"&Font...\tCtrl+F", CM_FONT},
    {nullptr, 0},
    {"E&xit\tAlt+F4", CM_EXIT},
};
constexpr TMenuItem FindMenu[] = {
    {"&Find ", CM_FIND},
};
constexpr TMenuItem HelpMenu[] = {
    {"&Introduction", CM_INTRODUCTION},
    {nullptr, 0},
    {"&About...", CM_ABOUT},
};
constexpr TMenuPopup MainMenuPopups[] = {
    {"&File", FileMenu},
    {"&Find", FindMenu},
    {"&Help", HelpMenu},
};
constexpr TMenuResource MainMenu{IDM_MAIN, MainMenuPopups};

// Accelerator table 100. Alt+F4 is not in it: it is the system's own close key.
constexpr TAccelerator MainKeys[] = {
    {platform::TKey::F, platform::KeyModifier::Control, CM_FONT},
};
constexpr TAcceleratorTable MainAccelerators{IDA_MAIN, MainKeys};

}  // namespace

void AddProgramResources(platform::TModule& module) {
  module.Add(MainMenu);
  module.Add(MainAccelerators);
  module.Add(QuorvelIcon);
  module.Add(SecondIcon);
  AddLocationResources(module);
  AddSearchResources(module);
  AddSpacingResources(module);
  AddHelpResources(module);
}
