#pragma once
// The search dialog: the phrase, the Ignore Case box and the numbered list of finds.
// OK runs the scan and leaves the dialog open; Show Section, Show Line and a
// double-click on a find entry set TargetLine and end it. The dialog is the scan's
// host: the scan reads the phrase and the box through it and fills its list.

#include <cstddef>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "search/Scan.h"

class TDlg2 : public platform::TDialog, public TScanHost {
public:
  // Makes the three control objects; the dialog owns them.
  TDlg2(platform::TWindow* parent, int templateId);

  // The base set-up, then the edit shows FoldedPhrase and the box IgnoreCase.
  void SetupWindow() override;

  void CmSearch();
  void CmShowSection();
  void CmShowLine();
  void CmHelp();

  // What the scan needs of the dialog.
  void ReadPhrase(char* buffer, std::size_t size) override;
  bool IgnoreCaseChecked() override;
  void ClearList() override;
  void AppendToList(const char* text) override;
  void ShowMessage(const char* text, const char* caption, bool exclamation) override;
  void ProcessMessages() override;

  platform::TListBox* FindList() const { return ListBox; }
  platform::TEdit* PhraseEdit() const { return Edit; }
  platform::TCheckBox* IgnoreCaseBox() const { return CheckBox; }

  static const platform::TEventTable Events;
  const platform::TEventTable& GetEventTable() const override { return Events; }

private:
  // The find number at the head of the selected entry, or 0 when there is none.
  long SelectedFindNumber() const;
  // Sets TargetLine from `table` for the selected find and ends the dialog, or shows
  // the selection error and leaves it open.
  void GoToSelectedFind(const std::int32_t* table);

  platform::TListBox* ListBox;
  platform::TEdit* Edit;
  platform::TCheckBox* CheckBox;
};
