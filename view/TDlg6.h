#pragma once
// The line-spacing dialog: four radio buttons for the spacings -3, 0, 5 and 10 pixels,
// the current one checked; OK takes the first checked one as LineSpace. A new dialog is
// made for every Line Spacing command.

#include <array>

#include "platform/Controls.h"
#include "platform/Dialog.h"

class TDlg6 : public platform::TDialog {
public:
  // Makes the four radio-button objects, ids 101 to 104, in one group.
  TDlg6(platform::TWindow* parent, int templateId);

  // The base set-up, then the button for the current LineSpace; none for another value.
  void SetupWindow() override;

  void CmSpacingOk();

  // cppcheck-suppress CastIntegerToAddressAtReturn ; an element of an array of pointers, not an integer
  platform::TRadioButton* Button(int index) const { return Buttons[static_cast<std::size_t>(index)]; }

  static const platform::TEventTable Events;
  const platform::TEventTable& GetEventTable() const override { return Events; }

private:
  std::array<platform::TRadioButton*, 4> Buttons{};
};
