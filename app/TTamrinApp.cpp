#include "app/TTamrinApp.h"

#include "app/CommandIds.h"
#include "app/Resources.h"
#include "app/TSDIDecFrame.h"
#include "settings/Settings.h"
#include "util/Version.h"

using platform::TShowCommand;

TTamrinApp::TTamrinApp() : TApplication(ApplicationName) {
  platform::SetDesktopId(QuorvelDesktopId);
  FormSettingsPath();
  AddProgramResources(platform::DefaultModule());
}

void TTamrinApp::InitMainWindow() {
  // A start that asks for a maximised window shows a normal one; hidden and
  // minimised-without-activation starts stay as they are.
  const TShowCommand shown = GetShowCommand();
  if (shown != TShowCommand::Hide && shown != TShowCommand::ShowMinNoActive) {
    SetShowCommand(TShowCommand::ShowNormal);
  }

  auto* frame = new TSDIDecFrame(nullptr, GetName(), MakeView(), false);
  frame->SetIcon(IDI_QUORVEL);
  frame->SetIconSm(IDI_QUORVEL);
  frame->AssignMenu(IDM_MAIN);
  frame->SetAcceleratorTable(IDA_MAIN);
  // No sizing border and no maximise button: the reader keeps the size it opens with.
  frame->Attr.Style = platform::WindowStyle::Overlapped | platform::WindowStyle::SysMenu |
                      platform::WindowStyle::MinimizeBox;
  SetMainWindow(frame);
  frame->SetMenuDescr(IDM_MAIN);
}
