// Finding the data file before the load.

#include "view/TTamrinWindow.h"

#include <cstdio>

#include "platform/Files.h"
#include "settings/Settings.h"
#include "textstore/DataFileNames.h"

void TTamrinWindow::LocateDataFile() {
  // The probe only tests that VESK.BIN opens in DataPath. The dialog that asks the
  // user for the directory when it does not comes with the settings; until then a
  // missing file leaves the view empty after the load.
  char imagePath[DataFilePathSize];
  std::snprintf(imagePath, sizeof imagePath, "%s\\%s", DataPath, ImageFileName);
  platform::TBinaryFile probe;
  if (probe.Open(imagePath, platform::TOpenMode::ReadOnly)) {
    probe.Close();
    return;
  }
  AskDataPath();
}

void TTamrinWindow::AskDataPath() {
  // The location dialog comes with its own change.
}
