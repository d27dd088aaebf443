// The entry function: makes the application, decides the build mode from the command
// line, runs the application and returns its quit code.

#include <memory>

#include "app/CommandLine.h"
#include "app/TTamrinApp.h"
#include "platform/Application.h"
#include "view/TTamrinWindow.h"

int main(int argc, char** argv) {
  // The window system takes its own options from a copy, so argv stays as it was given.
  platform::KeepCommandLine(argc, argv);

  auto application = std::make_unique<TTamrinApp>();
  if (AsksForBuildMode(argc, argv)) {
    BuildMode = 1;
  }
  const int result = application->Run();
  // Destroying the application destroys the frame and the view, whose destructor
  // writes the settings.
  application.reset();
  return result;
}
