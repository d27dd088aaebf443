// The view's construction, set-up, event table, start-up timer and destruction.

#include "view/TTamrinWindow.h"

#include "app/CommandIds.h"
#include "search/SearchState.h"
#include "platform/Application.h"
#include "settings/Settings.h"
#include "textstore/TDlg3.h"

using platform::TShowCommand;
using platform::TWindow;

int BuildMode = 0;

namespace {

// The view's buttons, at fixed pixel positions of its client area whatever its size or
// scroll position.
constexpr int ButtonX = 500;
constexpr int FindButtonY = 270;
constexpr int ExitButtonY = 300;
constexpr int ButtonWidth = 60;
constexpr int ButtonHeight = 25;

constexpr platform::TEventEntry ViewEventEntries[] = {
    platform::OnVScroll<&TTamrinWindow::EvVScroll>(),
    platform::OnSize<&TTamrinWindow::EvSize>(),
    platform::OnCommand<&TTamrinWindow::CmFont>(CM_FONT),
    platform::OnCommand<&TTamrinWindow::CmFind>(CM_FIND),
    platform::OnCommand<&TTamrinWindow::CmLineSpacing>(CM_LINESPACING),
    platform::OnCommand<&TTamrinWindow::CmAbout>(CM_ABOUT),
    platform::OnCommand<&TTamrinWindow::CmIntroduction>(CM_INTRODUCTION),
    platform::OnCommand<&TTamrinWindow::CmFind>(IDB_FIND),
    platform::OnCommand<&TTamrinWindow::CmExitButton>(IDB_EXIT),
    platform::OnTimer<&TTamrinWindow::EvTimer>(),
};

}  // namespace

const platform::TEventTable TTamrinWindow::Events{ViewEventEntries, &platform::TFrameWindow::Events};

TTamrinWindow::TTamrinWindow(TWindow* parent, std::string_view title) : TFrameWindow(parent, title) {
  // TextLines, TextFont, TextColor and the counters start at their member initialisers.
  SetBkgndColor(platform::ColorLightGray);
  Attr.Style |= platform::WindowStyle::VScroll;

  // Made now, their windows come with the set-up; the view deletes them.
  FindButton = new platform::TButton(this, IDB_FIND, "Find", ButtonX, FindButtonY, ButtonWidth,
                                     ButtonHeight);
  ExitButton = new platform::TButton(this, IDB_EXIT, "Exit", ButtonX, ExitButtonY, ButtonWidth,
                                     ButtonHeight);
}

void TTamrinWindow::GetWindowClass(platform::TWindowClass& windowClass) {
  TFrameWindow::GetWindowClass(windowClass);
  windowClass.BackgroundBrush = platform::StockLightGrayBrush;
  windowClass.HasBackgroundBrush = true;
}

void TTamrinWindow::SetupWindow() {
  ResetFindTable();

  // The generic window set-up, which makes the buttons' windows; the frame's own set-up
  // is not run for the view.
  TWindow::SetupWindow();  // NOLINT(bugprone-parent-virtual-call): the frame's set-up is skipped on purpose

  // The book is found and loaded at the first tick, once the main window is on the
  // screen with its empty view.
  SetTimer(LOAD_TIMER_ID, LOAD_TIMER_PERIOD_MS);

  // The buttons stay hidden until a load has finished.
  for (const int id : {IDB_FIND, IDB_EXIT}) {
    if (TWindow* button = ChildWithId(id)) {
      button->Show(TShowCommand::Hide);
    }
  }

  ReadSettings();
}

void TTamrinWindow::EvTimer(unsigned /*timerId*/) {
  // Stopped before anything else, so the rest runs once per run, however long it holds
  // the thread.
  KillTimer(LOAD_TIMER_ID);
  LocateDataFile();
  // A quit that came while the location dialog asked, other than its own Quit, means
  // the user wants to stop: no banner, and no load or build is started. After Quit in
  // the dialog the banner and the load or build run as they always did.
  const platform::TApplication* application = platform::TApplication::Current();
  if (!QuitRequested && application != nullptr && application->QuitPending()) {
    return;
  }
  ShowLoadingBanner();
}

void TTamrinWindow::CmExitButton() {
  // The view is not the main window: this destroys the view's window, and the frame,
  // told that its client is gone, closes itself as it does for its close box.
  CloseWindow(0);
}

TTamrinWindow::~TTamrinWindow() {
  WriteSettings();
  if (IsCreated()) {
    Destroy(0);
  }
  // TextLines goes with its strings; the base classes release the buttons.
}
