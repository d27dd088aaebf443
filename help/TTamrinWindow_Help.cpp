// The Help menu's pages, each opened over the view.

#include "view/TTamrinWindow.h"

#include "help/HelpResources.h"
#include "help/TDlgAbout.h"

void TTamrinWindow::CmAbout() {
  TDlgAbout(this, IDD_ABOUT).Execute();
}

void TTamrinWindow::CmIntroduction() {
  TDlgAbout(this, IDD_GENERAL_HELP).Execute();
}
