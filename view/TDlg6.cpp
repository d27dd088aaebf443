#include "view/TDlg6.h"

#include <cstdint>

#include "platform/Commands.h"
#include "settings/Settings.h"
#include "view/SpacingResources.h"

namespace {

// The buttons in the order they are asked, and the spacing each stands for.
struct TSpacing {
  int Id;
  std::int32_t LineSpace;
};
constexpr TSpacing Spacings[] = {
    {IDC_TIGHT, -3},
    {IDC_NORMAL, 0},
    {IDC_LOOSE, 5},
    {IDC_VERY_LOOSE, 10},
};

constexpr platform::TEventEntry SpacingDialogEntries[] = {
    platform::OnCommand<&TDlg6::CmSpacingOk>(platform::IdOk),
};

}  // namespace

// Cancel (Escape and the close box) is the dialog base's: it ends with 2.
const platform::TEventTable TDlg6::Events{SpacingDialogEntries, &platform::TDialog::Events};

TDlg6::TDlg6(platform::TWindow* parent, int templateId) : TDialog(parent, templateId) {
  for (std::size_t i = 0; i < Buttons.size(); ++i) {
    Buttons[i] = new platform::TRadioButton(this, Spacings[i].Id);
  }
}

void TDlg6::SetupWindow() {
  TDialog::SetupWindow();
  for (std::size_t i = 0; i < Buttons.size(); ++i) {
    if (LineSpace == Spacings[i].LineSpace) {
      Buttons[i]->SetCheck(platform::CheckState::Checked);
      break;
    }
  }
}

void TDlg6::CmSpacingOk() {
  for (std::size_t i = 0; i < Buttons.size(); ++i) {
    if (Buttons[i]->GetCheck() != platform::CheckState::Unchecked) {
      LineSpace = Spacings[i].LineSpace;
      break;
    }
  }
  EndDialog(0);
}
