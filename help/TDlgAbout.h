#pragma once
// An information page: a modal dialog that shows the static texts of its template and
// closes by its one Close button, Escape, Enter or the close box. Everything it does is
// the dialog base's: OK and Cancel end it.

#include "platform/Dialog.h"

class TDlgAbout : public platform::TDialog {
public:
  TDlgAbout(platform::TWindow* parent, int templateId);
};
