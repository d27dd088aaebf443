#pragma once
// The text view: the main frame's client window, which shows the book one line per row
// and receives every menu command but Exit. Its members are spread over the subsystems
// that give them their meaning:
//   app/TTamrinWindow.cpp             construction, set-up, event table, timer, destruction
//   app/TTamrinWindow_Locate.cpp      finding the data file (the dialog: textstore/TDlg3)
//   app/TTamrinWindow_Load.cpp        the loading banner, the load and the build
//   view/TTamrinWindow_Layout.cpp     layout and scrolling
//   view/TTamrinWindow_Paint.cpp      painting and match highlighting
//   view/TTamrinWindow_Font.cpp       font and line spacing (the dialog: view/TDlg6)
//   search/TTamrinWindow_Find.cpp     the Find command
//   help/TTamrinWindow_Help.cpp       the Help menu's pages

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Colour.h"
#include "platform/Controls.h"
#include "platform/DC.h"
#include "platform/EventTable.h"
#include "platform/Font.h"
#include "platform/FrameWindow.h"
#include "util/StringArray.h"

class TTamrinWindow : public platform::TFrameWindow {
public:
  explicit TTamrinWindow(platform::TWindow* parent, std::string_view title = {});
  ~TTamrinWindow() override;

  // Start-up and shutdown.
  void SetupWindow() override;
  void GetWindowClass(platform::TWindowClass& windowClass) override;
  void EvTimer(unsigned timerId);
  void CmExitButton();

  // Finding the data file.
  void LocateDataFile();
  void AskDataPath();

  // Loading and building the text image.
  void ShowLoadingBanner();
  void LoadTextImage();

  // Layout and scrolling.
  void UpdateLayout();
  void EvSize(unsigned sizeType, const platform::TSize& size);
  void EvVScroll(unsigned scrollCode, unsigned thumbPosition, platform::TScrollBarHandle scrollBar);
  void GoToTargetLine();

  // Painting.
  void Paint(platform::TDC& dc, bool erase, const platform::TRect& rect) override;
  // Splits `text` at the first occurrence of `phrase` in `searched` (the text itself or
  // its folded copy, of the same length): before, the match, and after it.
  static void SplitAtMatch(std::string_view searched, std::string_view text, std::string_view phrase,
                           std::string& before, std::string& match, std::string& after);

  // Font and line spacing.
  void CmFont();
  void CmLineSpacing();

  // The search.
  void CmFind();

  // Help pages.
  void CmAbout();
  void CmIntroduction();

  static const platform::TEventTable Events;
  const platform::TEventTable& GetEventTable() const override { return Events; }

  // The view's state.
  TStringArray TextLines;
  std::int32_t LineCount = 0;
  std::int32_t TopLine = 0;
  std::int32_t LinesPerPage = 0;
  std::int32_t LineHeight = 0;
  std::unique_ptr<platform::TFont> TextFont;   // none until the first Font command
  platform::TColor TextColor = platform::ColorBlack;
  platform::TButton* FindButton = nullptr;     // owned by the view as its child
  platform::TButton* ExitButton = nullptr;

private:
  platform::TScrollInfo ScrollInfo;            // filled by every layout
};

// Build mode: set by the entry function when the program is started with the single
// argument create_binary_data.
extern int BuildMode;
