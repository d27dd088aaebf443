// Finding the data file before the load: the probe, and the location dialog that asks
// for the directory until the file opens there or the user quits.

#include "view/TTamrinWindow.h"

#include <cstdio>

#include "platform/Application.h"
#include "platform/Files.h"
#include "settings/Settings.h"
#include "textstore/DataFileNames.h"
#include "textstore/LocationResources.h"
#include "textstore/TDlg3.h"

namespace {

bool QuitPending() {
  const platform::TApplication* application = platform::TApplication::Current();
  return application != nullptr && application->QuitPending();
}

}  // namespace

void TTamrinWindow::LocateDataFile() {
  for (;;) {
    char imagePath[DataFilePathSize];
    std::snprintf(imagePath, sizeof imagePath, "%s\\%s", DataPath, ImageFileName);
    // The probe only tests that the file opens. Something that is not a regular file
    // does not count: a FIFO would hold the reader, and a directory holds no book.
    platform::TBinaryFile probe;
    if (probe.Open(imagePath, platform::TOpenMode::ReadOnly)) {
      probe.Close();
      return;
    }
    AskDataPath();
    if (QuitRequested) {
      if (platform::TApplication* application = platform::TApplication::Current()) {
        application->PostQuit(0);
      }
      return;
    }
    // A quit asked for otherwise while the dialog was open (a signal, the session
    // ending) ends the asking: every later dialog would return at once.
    if (QuitPending()) {
      return;
    }
  }
}

void TTamrinWindow::AskDataPath() {
  TDlg3 dialog(this, IDD_LOCATION);
  dialog.Execute();
}
