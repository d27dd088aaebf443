#include "help/TDlgAbout.h"

TDlgAbout::TDlgAbout(platform::TWindow* parent, int templateId) : TDialog(parent, templateId) {}
