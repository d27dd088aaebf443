// The search dialog's set-up, its commands and its side of the scan.

#include "search/TDlg2.h"

#include <cstdint>

#include "help/HelpResources.h"
#include "help/TDlgAbout.h"
#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/EventTable.h"
#include "platform/MessageBox.h"
#include "search/SearchResources.h"
#include "search/SearchState.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"

namespace {

// A list entry is read back through 256 characters and a NUL; only its leading find
// number matters.
constexpr int SelectedEntryChars = 256;
constexpr std::size_t SelectedEntrySize = SelectedEntryChars + 1;

constexpr platform::TEventEntry SearchDialogEntries[] = {
    platform::OnCommand<&TDlg2::CmSearch>(platform::IdOk),
    platform::OnCommand<&TDlg2::CmShowSection>(IDC_SHOW_SECTION),
    platform::OnCommand<&TDlg2::CmHelp>(IDC_SEARCH_HELP),
    platform::OnNotify<&TDlg2::CmShowLine>(IDC_FIND_LIST, platform::TNotifyCode::ListDoubleClick),
    platform::OnCommand<&TDlg2::CmShowLine>(IDC_SHOW_LINE),
};

}  // namespace

// Cancel (also Escape and the close box) is the dialog base's: it ends with 2.
const platform::TEventTable TDlg2::Events{SearchDialogEntries, &platform::TDialog::Events};

TDlg2::TDlg2(platform::TWindow* parent, int templateId)
    : TDialog(parent, templateId),
      ListBox(new platform::TListBox(this, IDC_FIND_LIST)),
      Edit(new platform::TEdit(this, IDC_PHRASE, PhraseReadSize)),
      CheckBox(new platform::TCheckBox(this, IDC_IGNORE_CASE)) {}

void TDlg2::SetupWindow() {
  // The base set-up applies the edit's text limit before the phrase goes in.
  TDialog::SetupWindow();
  Edit->SetText({FoldedPhrase, BoundedLength(FoldedPhrase, sizeof FoldedPhrase)});
  CheckBox->SetCheck(IgnoreCase ? platform::CheckState::Checked : platform::CheckState::Unchecked);
}

void TDlg2::CmSearch() {
  RunScan(*this, TextImage);
}

void TDlg2::CmShowSection() {
  GoToSelectedFind(SectionStartOfFind);
}

void TDlg2::CmShowLine() {
  GoToSelectedFind(LineOfFind);
}

void TDlg2::CmHelp() {
  TDlgAbout(this, IDD_SEARCH_HELP).Execute();
}

long TDlg2::SelectedFindNumber() const {
  char selected[SelectedEntrySize] = {};
  ListBox->GetSelString(selected, SelectedEntryChars);
  return TextToLong(selected);
}

void TDlg2::GoToSelectedFind(const std::int32_t* table) {
  // Only find entries begin with a number; spacers, found lines and the no-match line
  // begin with blanks and text, and nothing selected reads as 0.
  const long findNumber = SelectedFindNumber();
  if (findNumber < 1 || findNumber > MaxFindCount) {
    platform::MessageBox(this, "You have not selected a numbered option", "Selection Error",
                         platform::MessageBoxType::Ok | platform::MessageBoxType::IconExclamation);
    return;
  }
  TargetLine = table[findNumber];
  // The same result as Cancel; a scan still running finishes before the dialog closes.
  EndDialog(platform::IdCancel);
}

void TDlg2::ReadPhrase(char* buffer, std::size_t size) {
  // Through 36 bytes, so that at most 35 characters are taken whatever the edit holds.
  char phrase[PhraseReadSize] = {};
  Edit->GetText(phrase, static_cast<int>(sizeof phrase));
  CopyText(buffer, size, {phrase, BoundedLength(phrase, sizeof phrase)});
}

bool TDlg2::IgnoreCaseChecked() {
  return CheckBox->GetCheck() == platform::CheckState::Checked;
}

void TDlg2::ClearList() {
  ListBox->ClearList();
}

void TDlg2::AppendToList(const char* text) {
  ListBox->AddString(text);
}

void TDlg2::ShowMessage(const char* text, const char* caption, bool exclamation) {
  platform::MessageBox(this, text, caption,
                       exclamation ? platform::MessageBoxType::Ok | platform::MessageBoxType::IconExclamation
                                   : platform::MessageBoxType::Ok);
}

void TDlg2::ProcessMessages() {
  if (platform::TApplication* application = platform::TApplication::Current()) {
    application->ProcessMessages();
  }
}
