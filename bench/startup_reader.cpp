// The reader's start, timed: the entry function of the reader (app/main.cpp) with a text
// view that notes its first paint that shows lines of the book. It prints the
// milliseconds from the entry function's first line to that paint, the 100 ms start-up
// timer and the load included, and ends the run there. Start it in a folder that holds
// VESK.BIN.
#include <chrono>
#include <cstdio>
#include <memory>

#include "app/CommandLine.h"
#include "app/TTamrinApp.h"
#include "platform/Application.h"
#include "view/TTamrinWindow.h"

namespace {

std::chrono::steady_clock::time_point EntryTime;

class TTimedView : public TTamrinWindow {
public:
  TTimedView() : TTamrinWindow(nullptr, "") {}

  void Paint(platform::TDC& dc, bool erase, const platform::TRect& rect) override {
    TTamrinWindow::Paint(dc, erase, rect);
    if (Seen || TextLines.GetItemsInContainer() == 0) return;
    Seen = true;
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - EntryTime;
    std::printf("%.3f\n", elapsed.count());
    std::fflush(stdout);
    platform::TApplication::Current()->PostQuit(0);
  }

private:
  bool Seen = false;
};

class TTimedApp : public TTamrinApp {
protected:
  platform::TWindow* MakeView() override { return new TTimedView; }
};

}  // namespace

int main(int argc, char** argv) {
  EntryTime = std::chrono::steady_clock::now();
  platform::KeepCommandLine(argc, argv);
  auto application = std::make_unique<TTimedApp>();
  if (AsksForBuildMode(argc, argv)) BuildMode = 1;
  const int result = application->Run();
  application.reset();
  return result;
}
