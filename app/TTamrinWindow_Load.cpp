// The loading banner, and the load of VESK.BIN into the view or, in build mode, the
// build of VESK.BIN from VESK.TXT.

#include "view/TTamrinWindow.h"

#include <cstdio>
#include <string>

#include "app/CommandIds.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "settings/Settings.h"
#include "textstore/DataFileNames.h"
#include "textstore/ImageBuilder.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"

using platform::TShowCommand;

namespace {

constexpr int BannerTitleX = 150;
constexpr int BannerTitleY = 100;
constexpr int BannerWaitX = 230;
constexpr int BannerWaitY = 140;

constexpr const char* BuildCaption = "Make Binary Data";
constexpr const char* DamagedBookCaption = "Damaged Book File";
constexpr const char* BuildCompleted = "Creation of Binary File completed!";

// What the user reads after a build: the completion message for a build that wrote the
// whole image, or the file that failed and the system's reason.
std::string BuildMessage(const TBuildReport& report) {
  if (!report.Succeeded) {
    std::string text = "The binary file could not be made.\n\n";
    text += platform::NativePath(report.FailedPath);
    text += ": ";
    text += report.Reason;
    return text;
  }
  std::string text = BuildCompleted;
  if (report.Truncated) {
    text += "\n\nThe text was cut after 17,000 lines: the lines after them are not stored.";
  }
  return text;
}

}  // namespace

void TTamrinWindow::ShowLoadingBanner() {
  // Drawn with the context's own default font, not the view's; it stays on the screen
  // while the load holds the thread, until the first repaint after it.
  {
    std::unique_ptr<platform::TDC> dc = GetClientDC();
    dc->SetBkColor(platform::ColorLightGray);
    dc->SetTextColor(platform::ColorBlue);
    dc->TextOut(BannerTitleX, BannerTitleY, "Loading the Orvane");
    dc->SetTextColor(platform::ColorRed);
    dc->TextOut(BannerWaitX, BannerWaitY, "Please Wait");
  }
  LoadTextImage();
}

void TTamrinWindow::LoadTextImage() {
  Invalidate(true);
  TextLines.Flush();
  LineCount = 0;

  char textPath[DataFilePathSize];
  char imagePath[DataFilePathSize];
  std::snprintf(textPath, sizeof textPath, "%s\\%s", DataPath, TextFileName);
  std::snprintf(imagePath, sizeof imagePath, "%s\\%s", DataPath, ImageFileName);

  if (BuildMode) {
    const TBuildReport report = BuildTextImage(TextImage, textPath, imagePath);
    LineCount = report.LinesStored;
    platform::MessageBox(this, BuildMessage(report), BuildCaption,
                         report.Succeeded ? platform::MessageBoxType::Ok
                                          : platform::MessageBoxType::IconExclamation);
    // A build shows no text: TextLines stays empty and the buttons hidden.
    return;
  }

  // A file that cannot be opened or is short leaves the image as it was, zero at this
  // point, so fewer lines or none are loaded.
  const TReadReport read = ReadImageFile(TextImage, imagePath);
  ForEachLoadedLine(TextImage, [this](std::string_view line) {
    TextLines.Add(line);
    ++LineCount;
  });

  TopLine = 0;
  UpdateLayout();
  for (const int id : {IDB_FIND, IDB_EXIT}) {
    if (platform::TWindow* button = ChildWithId(id)) {
      button->Show(TShowCommand::ShowNormal);
    }
  }
  Invalidate(true);

  // A book file that opened but did not give the whole image is damaged: what it held
  // is shown, and the user is told why the book may look short or empty.
  if (read.Opened && !ImageWasReadWhole(read)) {
    platform::MessageBox(this, DamagedBookMessage(platform::NativePath(imagePath), read), DamagedBookCaption,
                         platform::MessageBoxType::IconExclamation);
  }
}
