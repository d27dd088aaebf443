#pragma once
// The location dialog: asks for the directory that holds VESK.BIN when the probe cannot
// open it there. OK takes the typed directory as DataPath, Quit asks the program to end,
// Help shows the page on where the data file must lie; Cancel (Escape, the close box)
// changes nothing. A new dialog is made for every showing.

#include <cstddef>

#include "platform/Controls.h"
#include "platform/Dialog.h"

// Room for one explanation: 256 characters and the NUL.
inline constexpr std::size_t LocationMessageSize = 257;

// The explanation of the first showing in a run, and of every later one.
extern const char LocationMessages[2][LocationMessageSize];
// The number of location dialogs set up in this run.
extern int LocationShowCount;
// Set by Quit; never reset.
extern int QuitRequested;

class TDlg3 : public platform::TDialog {
public:
  // Makes the edit (at most 79 characters) and the static control objects.
  TDlg3(platform::TWindow* parent, int templateId);

  // The base set-up, then the explanation for this showing.
  void SetupWindow() override;

  void CmSetDataPath();
  void CmQuit();
  void CmHelp();

  platform::TEdit* DirectoryEdit() const { return Edit; }
  platform::TStatic* Explanation() const { return Text; }

  static const platform::TEventTable Events;
  const platform::TEventTable& GetEventTable() const override { return Events; }

private:
  platform::TEdit* Edit;
  platform::TStatic* Text;
};
