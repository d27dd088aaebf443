// The Find command: the search dialog over the view, then the go-to.

#include "view/TTamrinWindow.h"

#include "search/SearchResources.h"
#include "search/TDlg2.h"

void TTamrinWindow::CmFind() {
  TDlg2 dialog(this, IDD_SEARCH);
  dialog.Execute();
  // However the dialog closed: the view is repainted with the current phrase and goes
  // to TargetLine, which Cancel leaves at the last chosen find.
  Invalidate(true);
  GoToTargetLine();
}
