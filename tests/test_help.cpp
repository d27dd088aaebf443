// The information pages: every way of closing each of them, the Help menu's two
// commands, the about box's texts and icons, and the line break of the search help.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandIds.h"
#include "app/Resources.h"
#include "help/HelpResources.h"
#include "help/TDlgAbout.h"
#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/DialogTemplate.h"
#include "platform/Font.h"
#include "platform/FrameWindow.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"
#include "settings/Settings.h"
#include "util/TextHelpers.h"
#include "support/LeftOpenGuard.h"
#include "support/ViewInFrame.h"
#include "view/TTamrinWindow.h"

namespace fs = std::filesystem;
using platform::TControlKind;
using platform::TDialogControl;
using platform::TDialogTemplate;
using platform::testing::OnNextModal;
using platform::testing::RunAfter;
using platform::testing::TModal;

namespace {

struct TPage {
  int TemplateId;
  const char* Caption;
  int CloseId;  // the page's only control that takes the focus
};
constexpr TPage Pages[] = {
    {IDD_ABOUT, "About QUORVEL", platform::IdOk},
    {IDD_GENERAL_HELP, "General Help", platform::IdCancel},
    {IDD_SEARCH_HELP, "Using the Selection Box", platform::IdCancel},
    {IDD_LOCATION_HELP, "Help on the location of the data file VESK.BIN", platform::IdCancel},
};

using testsupport::TLeftOpenGuard;

const TDialogTemplate& TemplateOf(int id) {
  const TDialogTemplate* found = platform::DefaultModule().FindDialog(id);
  if (!found) {
    ADD_FAILURE() << "no template " << id;
    static const TDialogTemplate none{};
    return none;
  }
  return *found;
}

const TDialogControl* ControlOf(const TDialogTemplate& dialog, int id) {
  for (const TDialogControl& control : dialog.Controls) {
    if (control.Id == id) return &control;
  }
  return nullptr;
}

// The pages open over a text view in a frame, as the Help menu opens them.
class HelpTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { AddProgramResources(platform::DefaultModule()); }

  void SetUp() override {
    char pattern[] = "/tmp/quorvel-help-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Directory = pattern;
    CopyText(SettingsPath, SettingsPathSize, (Directory / "quorvel.ini").string());
    platform::testing::ClearModalScripts();
    View = testsupport::MakeViewInFrame(Application, Frame);
    ASSERT_NE(View, nullptr);
  }

  void TearDown() override {
    Frame.reset();
    Application.reset();
    fs::remove_all(Directory);
  }

  fs::path Directory;
  std::unique_ptr<platform::TApplication> Application;
  std::unique_ptr<platform::TFrameWindow> Frame;
  TTamrinWindow* View = nullptr;  // owned by the frame
};

TEST_F(HelpTest, EveryPageClosesByItsButtonEscapeEnterAndTheCloseBox) {
  struct Way {
    const char* Name;
    void (*Close)(TModal&, const TPage&);
    bool ByCloseButton;  // the result is the Close button's id; otherwise Cancel's
  };
  const Way ways[] = {
      {"Close button", [](TModal& modal, const TPage& page) { modal.Click(page.CloseId); }, true},
      {"Escape", [](TModal& modal, const TPage&) { modal.PressKey(platform::TKey::Escape); }, false},
      {"Enter", [](TModal& modal, const TPage&) { modal.PressKey(platform::TKey::Enter); }, true},
      {"close box", [](TModal& modal, const TPage&) { modal.CloseBox(); }, false},
  };
  for (const TPage& page : Pages) {
    for (const Way& way : ways) {
      SCOPED_TRACE(std::string(page.Caption) + ", " + way.Name);
      bool ran = false;
      TLeftOpenGuard guard;
      OnNextModal(guard.Guarding([&](TModal& modal) {
        ran = true;
        EXPECT_EQ(modal.Kind(), TModal::TKind::Dialog);
        EXPECT_EQ(modal.Caption(), page.Caption);
        EXPECT_EQ(modal.FocusedControlId(), page.CloseId);
        way.Close(modal, page);
      }));
      TDlgAbout dialog(View, page.TemplateId);
      EXPECT_EQ(dialog.Execute(), way.ByCloseButton ? page.CloseId : platform::IdCancel);
      EXPECT_TRUE(ran);
      EXPECT_FALSE(dialog.IsExecuting());
    }
  }
}

TEST_F(HelpTest, TheHelpMenuOpensTheAboutBoxAndTheGeneralHelpOverTheView) {
  struct Row {
    int Command;
    int TemplateId;
    const char* Caption;
  };
  const Row rows[] = {
      {CM_ABOUT, IDD_ABOUT, "About QUORVEL"},
      {CM_INTRODUCTION, IDD_GENERAL_HELP, "General Help"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Caption);
    View->TopLine = 0;
    bool ran = false;
    TLeftOpenGuard guard;
    OnNextModal(guard.Guarding([&](TModal& modal) {
      ran = true;
      EXPECT_EQ(modal.Caption(), row.Caption);
      ASSERT_NE(modal.Dialog(), nullptr);
      EXPECT_NE(dynamic_cast<TDlgAbout*>(modal.Dialog()), nullptr);
      EXPECT_EQ(modal.Dialog()->GetTemplateId(), row.TemplateId);
      EXPECT_EQ(modal.Dialog()->GetParent(), View);
      modal.PressKey(platform::TKey::Escape);
    }));
    View->RouteCommand(row.Command);
    EXPECT_TRUE(ran);
  }
}

TEST_F(HelpTest, TheAboutBoxShowsIconOneAtTheLeftIconTwoAtTheRightAndItsTexts) {
  const TDialogTemplate& about = TemplateOf(IDD_ABOUT);
  std::vector<const TDialogControl*> icons;
  for (const TDialogControl& control : about.Controls) {
    if (control.Kind == TControlKind::Icon) icons.push_back(&control);
  }
  ASSERT_EQ(icons.size(), 2u);
  const TDialogControl* left = icons[0]->X < icons[1]->X ? icons[0] : icons[1];
  const TDialogControl* right = left == icons[0] ? icons[1] : icons[0];
  EXPECT_STREQ(left->Text, "1");
  EXPECT_STREQ(right->Text, "2");
  // Both name icons that the program's resources hold.
  EXPECT_NE(platform::DefaultModule().FindIcon(IDI_QUORVEL), nullptr);
  EXPECT_NE(platform::DefaultModule().FindIcon(IDI_SECOND), nullptr);

  // The fixed texts, and nothing else but the five notices.
  std::vector<std::string> fixed;
  for (const TDialogControl& control : about.Controls) {
    if (control.Kind == TControlKind::Static &&
        (control.Id < IDC_ABOUT_RIGHTS || control.Id > IDC_ABOUT_DISCLAIMER)) {
      fixed.emplace_back(control.Text);
    }
  }
  EXPECT_EQ(fixed, (std::vector<std::string>{"The Orvane (With Search Index)", "Quorvel "}));
  const TDialogControl* close = ControlOf(about, platform::IdOk);
  ASSERT_NE(close, nullptr);
  EXPECT_STREQ(close->Text, "Close");

  // Each notice in its role, in plain printable ASCII.
  struct Notice {
    int Id;
    std::vector<std::string_view> Holds;
  };
  const Notice notices[] = {
      {IDC_ABOUT_RIGHTS, {"the Quorvel developers", "2026"}},
      {IDC_ABOUT_VERSION, {"Version 1.0", "Dec 2026"}},
      {IDC_ABOUT_THANKS, {"thanks", "bible-kjv-text", "King James", "obtained"}},
      {IDC_ABOUT_COPYING, {"free", "copied", "passed on", "nobody changes"}},
      {IDC_ABOUT_DISCLAIMER, {"No responsibility"}},
  };
  for (const Notice& notice : notices) {
    SCOPED_TRACE(notice.Id);
    const TDialogControl* control = ControlOf(about, notice.Id);
    ASSERT_NE(control, nullptr);
    const std::string_view text = control->Text;
    for (std::string_view part : notice.Holds) {
      EXPECT_NE(SubstringPosition(text, part), -1) << part;
    }
    for (const char c : text) {
      EXPECT_TRUE(c >= ' ' && c <= '~') << "byte " << static_cast<int>(c);
    }
  }

  // On the screen the box opens with its Close button as the default button, which
  // Enter presses.
  TLeftOpenGuard guard;
  OnNextModal(guard.Guarding([&](TModal& modal) {
    const platform::TRect leftIcon = modal.ControlRect(IDC_ABOUT_THANKS);
    EXPECT_GT(leftIcon.Width(), 0);
    modal.PressKey(platform::TKey::Enter);
  }));
  EXPECT_EQ(TDlgAbout(View, IDD_ABOUT).Execute(), platform::IdOk);
}

// Greedy word wrapping as a static text does it: the number of rows `text` takes in
// `width` pixels, each explicit line feed starting a new row.
int RowsWhenWrapped(platform::TDC& dc, std::string_view text, int width) {
  int rows = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    ++rows;
    std::string row;
    std::size_t at = 0;
    while (at < line.size()) {
      std::size_t next = line.find(' ', at);
      if (next == std::string_view::npos) next = line.size();
      const std::string candidate = row.empty() ? std::string(line.substr(at, next - at))
                                                : row + " " + std::string(line.substr(at, next - at));
      if (!row.empty() && dc.GetTextExtent(candidate) > width) {
        ++rows;
        row = std::string(line.substr(at, next - at));
      } else {
        row = candidate;
      }
      at = next + 1;
    }
    start = end + 1;
  }
  return rows;
}

TEST_F(HelpTest, TheNoticesAndTheSearchHelpsTwoLinesFitTheirRectangles) {
  struct Row {
    int TemplateId;
    int ControlId;
    int ExpectedRows;  // 0: as many as the rectangle holds
  };
  const Row rows[] = {
      {IDD_ABOUT, IDC_ABOUT_RIGHTS, 1},
      {IDD_ABOUT, IDC_ABOUT_VERSION, 1},
      {IDD_ABOUT, IDC_ABOUT_THANKS, 0},
      {IDD_ABOUT, IDC_ABOUT_COPYING, 0},
      {IDD_ABOUT, IDC_ABOUT_DISCLAIMER, 0},
      {IDD_SEARCH_HELP, 106, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.TemplateId) + ", text " + std::to_string(row.ControlId));
    const TDialogTemplate& page = TemplateOf(row.TemplateId);
    const TDialogControl* control = ControlOf(page, row.ControlId);
    ASSERT_NE(control, nullptr);
    TLeftOpenGuard guard;
    OnNextModal(guard.Guarding([&](TModal& modal) {
      const platform::TRect rect = modal.ControlRect(row.ControlId);
      // The page's own font (its points at 96 dots per inch), measured on a context of
      // the view.
      platform::TFont font({page.FontFace, (page.FontPoints * 96 + 36) / 72});
      std::unique_ptr<platform::TDC> dc = View->GetClientDC();
      dc->SelectObject(font);
      int rowsShown = RowsWhenWrapped(*dc, control->Text, rect.Width());
      const int rowHeight = dc->GetTextMetrics().Height;
      if (row.ExpectedRows > 0) {
        EXPECT_EQ(rowsShown, row.ExpectedRows);
      }
      EXPECT_LE(rowsShown * rowHeight, rect.Height() + rowHeight / 2);
      modal.PressKey(platform::TKey::Escape);
    }));
    TDlgAbout(View, row.TemplateId).Execute();
  }
}

TEST(HelpResources, TheSearchHelpsTextHoldsTwoLinesPartedByOneLineFeed) {
  AddProgramResources(platform::DefaultModule());
  const TDialogControl* text = ControlOf(TemplateOf(IDD_SEARCH_HELP), 106);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text->Text,
               "Be carefull to enter the text correctly!  Spaces and punctuation are significant."
               "\x0a"
               "The following examples would fail to find the line: ");
}

}  // namespace
