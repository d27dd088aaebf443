#include "platform/testing/TestApplication.h"

#include <QApplication>

#include <cstdlib>

#include "platform/Application.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/testing/ModalScripts.h"

namespace platform::testing {

TestApplication::TestApplication(int& argc, char** argv) {
  // No display is needed: Qt's offscreen platform, unless the environment names one.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  KeepCommandLine(argc, argv);
  EnsureWindowSystem();
  InstallModalScripts();
}

TestApplication::~TestApplication() { RemoveModalScripts(); }

}  // namespace platform::testing
