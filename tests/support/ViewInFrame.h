#pragma once
// The program's text view inside a frame, shown, for tests of the view's commands.

#include <memory>

#include "app/CommandIds.h"
#include "platform/Application.h"
#include "platform/FrameWindow.h"
#include "view/TTamrinWindow.h"

namespace testsupport {

// Makes the view in a frame, and an application when none runs. The start-up load is
// stopped: the test fills the view itself. Returns the view, which the frame owns; null
// when the frame could not be made.
inline TTamrinWindow* MakeViewInFrame(std::unique_ptr<platform::TApplication>& application,
                                      std::unique_ptr<platform::TFrameWindow>& frame) {
  if (!platform::TApplication::Current()) {
    application = std::make_unique<platform::TApplication>("Quorvel tests");
  }
  auto* view = new TTamrinWindow(nullptr);
  frame = std::make_unique<platform::TFrameWindow>(nullptr, "The Orvane", view, false);
  if (!frame->Create()) return nullptr;
  view->KillTimer(LOAD_TIMER_ID);
  frame->Show(platform::TShowCommand::ShowNormal);
  return view;
}

}  // namespace testsupport
