#include "textstore/TDlg3.h"

#include "help/HelpResources.h"
#include "help/TDlgAbout.h"
#include "platform/Commands.h"
#include "settings/Settings.h"
#include "textstore/LocationResources.h"
#include "util/TextHelpers.h"

// Both with two blanks after the first sentence; the first has no full stop at its end.
const char LocationMessages[2][LocationMessageSize] = {
    "The data file VESK.BIN is not in your working directory.  Please enter the full path name of the "
    "directory (folder) containing VESK.BIN",
    "I isn't there either!  Please try again!",
};
int LocationShowCount = 0;
int QuitRequested = 0;

namespace {

// The edit takes at most 79 characters: its limit counts the NUL.
constexpr unsigned DirectoryEditLimit = 80;
// The typed directory is read through 80 characters: 79 and the NUL.
constexpr int DirectoryReadSize = 80;
constexpr unsigned ExplanationLimit = LocationMessageSize;

constexpr platform::TEventEntry LocationDialogEntries[] = {
    platform::OnCommand<&TDlg3::CmSetDataPath>(platform::IdOk),
    platform::OnCommand<&TDlg3::CmQuit>(IDC_LOCATION_QUIT),
    platform::OnCommand<&TDlg3::CmHelp>(IDC_LOCATION_HELP),
};

}  // namespace

// Cancel (also Escape and the close box) is the dialog base's: it ends with 2.
const platform::TEventTable TDlg3::Events{LocationDialogEntries, &platform::TDialog::Events};

TDlg3::TDlg3(platform::TWindow* parent, int templateId)
    : TDialog(parent, templateId),
      Edit(new platform::TEdit(this, IDC_DATA_DIRECTORY, DirectoryEditLimit)),
      Text(new platform::TStatic(this, IDC_LOCATION_TEXT, ExplanationLimit)) {}

void TDlg3::SetupWindow() {
  // The base set-up applies the edit's limit. The edit stays empty, whatever DataPath
  // holds.
  TDialog::SetupWindow();
  Text->SetText(LocationMessages[LocationShowCount == 0 ? 0 : 1]);
  ++LocationShowCount;
}

void TDlg3::CmSetDataPath() {
  // Taken as typed: nothing is trimmed, tested or completed; an empty field makes
  // DataPath empty.
  char directory[DirectoryReadSize];
  Edit->GetText(directory, DirectoryReadSize);
  CopyText(DataPath, DataPathSize, directory);
  EndDialog(platform::IdCancel);
}

void TDlg3::CmQuit() {
  QuitRequested = 1;
  EndDialog(platform::IdCancel);
}

void TDlg3::CmHelp() {
  TDlgAbout page(this, IDD_LOCATION_HELP);
  page.Execute();
}
