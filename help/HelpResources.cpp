#include "help/HelpResources.h"

#include "platform/Commands.h"
#include "platform/DialogTemplate.h"
#include "util/Version.h"

namespace {

using platform::NoControlId;
using platform::TControlKind;
using platform::TDialogControl;
using platform::TDialogTemplate;
using namespace platform::WindowStyle;
using namespace platform::DialogStyle;
using namespace platform::ControlStyle;

constexpr platform::TStyle Shown = Child | Visible;
constexpr platform::TStyle HelpPageStyle =
    Popup | Visible | Caption | SysMenu | ModalFrame | ContextHelp | SetFont | Look3D;

// The about box's icons name the program's icon resources 1 and 2 in decimal.
constexpr const char* ProgramIcon = "1";
constexpr const char* SecondIcon = "2";

// Template 22000, the about box. Its Close button is OK and the default push button.
// The notices 101 to 105 are ours; each fits the rectangle the template gives it.
constexpr TDialogControl AboutControls[] = {
    // kind                    id                    text                               x    y    w    h    style
    {TControlKind::Static,     IDC_ABOUT_TITLE,      "The Orvane (With Search Index)",  42,  14,  200, 8,   Shown | Center | NoPrefix | Group},
    {TControlKind::Static,     NoControlId,          "Quorvel ",                        108, 4,   60,  8,   Shown | Center | NoPrefix | Group},
    {TControlKind::Icon,       NoControlId,          ProgramIcon,                       32,  28,  18,  17,  Shown | Icon},
    {TControlKind::PushButton, platform::IdOk,       "Close",                           241, 143, 40,  14,  Shown | DefaultButton | TabStop},
    {TControlKind::Static,     IDC_ABOUT_RIGHTS,     "(c) 2026 the Quorvel developers", 92,  24,  100, 12,  Shown | Left},
    {TControlKind::Static,     IDC_ABOUT_VERSION,    QuorvelVersionLine,                100, 36,  84,  8,   Shown | Left},
    {TControlKind::Static,     IDC_ABOUT_THANKS,
     "Our thanks to the maintainers of Debian's bible-kjv-text package for the plain text of "
     "the King James Psalms, which can be obtained with that package.",               24,  56,  252, 20,  Shown | Left | Border | Sunken},
    {TControlKind::Static,     IDC_ABOUT_COPYING,
     "Quorvel is free. It may be copied and passed on freely, provided that nobody changes "
     "it in any way.",                                                                 4,   84,  288, 20,  Shown | Left},
    {TControlKind::Static,     IDC_ABOUT_DISCLAIMER,
     "No responsibility is accepted for anything that this program does or fails to do.",
                                                                                       4,   128, 132, 24,  Shown | Left | Sunken},
    {TControlKind::Icon,       NoControlId,          SecondIcon,                        248, 28,  18,  17,  Shown | Icon},
};

constexpr TDialogTemplate AboutBox{
    IDD_ABOUT,
    "About QUORVEL",
    12, 8, 303, 166,
    "Times New Roman", 10,
    Popup | Caption | SysMenu | ModalFrame | SetFont,
    AboutControls,
};

// The help pages' static texts are looked up by nobody; their ids are those of the
// templates all the same.
enum GeneralHelpText {
  IDC_GENERAL_CONTENTS = 101,
  IDC_GENERAL_FONT = 102,
  IDC_GENERAL_FIND = 103,
  IDC_GENERAL_LOADING = 104,
  IDC_GENERAL_LOCATION = 105,
  IDC_GENERAL_EXAMPLE = 106,
};

// Template 3, the general help page. Its Close button is Cancel, the only control
// that takes the focus, so Enter presses it.
constexpr TDialogControl GeneralHelpControls[] = {
    {TControlKind::PushButton, platform::IdCancel, "Close", 260, 116, 32, 13, Shown | TabStop | Center},
    {TControlKind::Static, IDC_GENERAL_CONTENTS,
     "The program contains most of the 1662 version of The Orvane including the Psalms.  It also "
     "has a Search-Routines to find specific phrases.",
     12, 4, 280, 15, Shown | Left},
    {TControlKind::Static, IDC_GENERAL_FONT,
     "If a specific font is selected, be careful to choose one wich will allow about 100 "
     "characters per line to appear in the selection window.",
     12, 56, 276, 16, Shown | Left},
    {TControlKind::Static, IDC_GENERAL_FIND,
     "Click the 'Find' button, or the 'Find|Find' menu item to open the Search Window",
     12, 100, 244, 16, Shown | Left},
    {TControlKind::Static, IDC_GENERAL_LOADING,
     "The Orvane (VESK) as listed here contains almost 1,600 lines of text and may, therefore, "
     "take several seconds to load on slower PCs  -  please be patient.",
     12, 76, 272, 20, Shown | Left},
    {TControlKind::Static, IDC_GENERAL_LOCATION,
     "If the application can not find the data file VESK.BIN in the working directory (folder) "
     "it will ask you for its location.  Enter the full pathname in the box for example:",
     12, 24, 280, 16, Shown | Left},
    {TControlKind::Static, IDC_GENERAL_EXAMPLE, "D:\\MiscData\\Library", 112, 43, 68, 11, Shown | Left},
};

constexpr TDialogTemplate GeneralHelp{
    IDD_GENERAL_HELP,
    "General Help",
    0, 0, 301, 132,
    "Times New Roman", 14,
    HelpPageStyle,
    GeneralHelpControls,
};

enum SearchHelpText {
  IDC_SEARCH_HOW = 101,
  IDC_SEARCH_LIST = 102,
  IDC_SEARCH_CHOOSE = 103,
  IDC_SEARCH_TIPS = 104,
  IDC_SEARCH_CASE = 105,
  IDC_SEARCH_EXACT = 106,
  IDC_SEARCH_MISSPELT = 107,
  IDC_SEARCH_FULL_STOP = 108,
  IDC_SEARCH_DOUBLE_SPACE = 109,
  IDC_SEARCH_EXAMPLE_LINE = 111,
  IDC_SEARCH_DOUBLE_CLICK = 112,
  IDC_SEARCH_SPLIT = 113,
  IDC_SEARCH_SPLIT_PHRASE = 114,
  IDC_SEARCH_SPLIT_FIRST = 115,
  IDC_SEARCH_SPLIT_SECOND = 116,
  IDC_SEARCH_SPLIT_FOUND = 117,
};

// Template 4, the page that explains the search dialog. Text 106 is two lines, parted
// by one line feed.
constexpr TDialogControl SearchHelpControls[] = {
    {TControlKind::PushButton, platform::IdCancel, "Close", 316, 268, 50, 14, Shown | TabStop | Center},
    {TControlKind::Static, IDC_SEARCH_HOW,
     "To search the Orvane, enter the phrase you are looking for into the box and press OK.",
     20, 17, 396, 11, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_LIST,
     "A window showing all the occurrances of the selected phrase will be produced.  In general "
     "these will be shown in pairs.  A numbered entry showing the 'section' of the Orvane in "
     "which the specific line occurs.  The actual line is shown immediately beneath.",
     20, 36, 408, 25, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_CHOOSE,
     "Highlight the numbered entry you wish to inspect with a single left mouse-button click and "
     "then press the 'Show Section' button to move to the start of the section containing the "
     "line, or press the 'Show Line' button to move straight to the required line.",
     20, 64, 416, 18, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_TIPS, "Some tips:", 20, 104, 48, 12, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_CASE,
     "If a case-sensitive search would be helpful, then uncheck the 'ignore case' box",
     20, 116, 372, 16, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_EXACT,
     "Be carefull to enter the text correctly!  Spaces and punctuation are significant.\n"
     "The following examples would fail to find the line: ",
     20, 130, 252, 16, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_MISSPELT,
     "mercy endureth forever    (incorrect spelling of for ever)", 62, 167, 200, 9, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_FULL_STOP,
     "mercy endureth for ever.  (full stop at end of line)", 62, 175, 224, 9, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_DOUBLE_SPACE,
     "mercy  endureth for ever  (double space in the line)", 62, 183, 192, 13, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_EXAMPLE_LINE,
     "for his mercy endureth for ever;   (Psalm 136)", 62, 154, 181, 12, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_DOUBLE_CLICK,
     "You may also move to the required line by double left clicking the numbered entry.",
     20, 80, 284, 8, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_SPLIT,
     "The system will find an entry split accross two lines but not one split across more than "
     "two so when seeking the entry;",
     16, 212, 388, 22, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_SPLIT_PHRASE,
     "'The Resurrection of the body' an entry split as:", 16, 220, 160, 10, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_SPLIT_FIRST,
     "Forgiveness of sins; The Resurection", 156, 232, 124, 10, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_SPLIT_SECOND,
     "of the body, And the life everlasting", 156, 240, 124, 9, Shown | Left},
    {TControlKind::Static, IDC_SEARCH_SPLIT_FOUND,
     "will be sucessfully located.", 16, 244, 92, 10, Shown | Left},
};

constexpr TDialogTemplate SearchHelp{
    IDD_SEARCH_HELP,
    "Using the Selection Box",
    0, 0, 446, 292,
    "MS Sans Serif", 8,
    HelpPageStyle,
    SearchHelpControls,
};

enum LocationHelpText {
  IDC_LOCATION_WHERE = 101,
  IDC_LOCATION_ELSEWHERE = 102,
  IDC_LOCATION_ASKED = 103,
  IDC_LOCATION_EXAMPLE = 104,
};

// Template 5, the page that explains where VESK.BIN must lie.
constexpr TDialogControl LocationHelpControls[] = {
    {TControlKind::PushButton, platform::IdCancel, "Close", 252, 96, 50, 14, Shown | TabStop | Center},
    {TControlKind::Static, IDC_LOCATION_WHERE,
     "Quorvel will expect to find the data file VESK.BIN, which contains the text of Orvane, in "
     "your working directory.  That is, in the directory or folder where you placed the "
     "application QUORVEL.EXE.",
     32, 20, 316, 19, Shown | Left},
    {TControlKind::Static, IDC_LOCATION_ELSEWHERE,
     "In most cases this is the most obvious and convenient location for the data, it can, "
     "however, be placed in any location convenient to you.",
     32, 40, 316, 16, Shown | Left},
    {TControlKind::Static, IDC_LOCATION_ASKED,
     "If, having searched for the file, Quorvel can not find it, it will ask you where it is.  "
     "Simply enter the full path name of the directory (folder) containing the data file in the "
     "box and press OK.  Quorvel will then remember where the data file is.  For example:",
     32, 64, 320, 26, Shown | Left},
    {TControlKind::Static, IDC_LOCATION_EXAMPLE, "D:\\MiscData\\LibraryText4", 136, 92, 104, 16, Shown | Left},
};

constexpr TDialogTemplate LocationHelp{
    IDD_LOCATION_HELP,
    "Help on the location of the data file VESK.BIN",
    0, 0, 370, 120,
    "MS Sans Serif", 10,
    HelpPageStyle,
    LocationHelpControls,
};

}  // namespace

void AddHelpResources(platform::TModule& module) {
  module.Add(AboutBox);
  module.Add(GeneralHelp);
  module.Add(SearchHelp);
  module.Add(LocationHelp);
}
