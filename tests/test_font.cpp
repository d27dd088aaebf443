// Font and line spacing: the font chooser over the view, the view's font and colour,
// the line-spacing dialog, and the rows that follow them at once.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/Resources.h"
#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/DC.h"
#include "platform/FontChooser.h"
#include "platform/FrameWindow.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "settings/Settings.h"
#include "view/SpacingResources.h"
#include "view/TDlg6.h"
#include "support/ViewInFrame.h"
#include "view/TTamrinWindow.h"

namespace {

using platform::testing::OnNextModal;
using platform::testing::TModal;

constexpr platform::TColor Maroon{128, 0, 0};
constexpr int LineTotal = 300;

// A view inside a frame, 640 x 480, holding LineTotal lines, laid out with the real
// fonts of the screen.
class FontTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { AddProgramResources(platform::DefaultModule()); }

  void SetUp() override {
    // No settings file: the view reads none at its set-up and writes none at its end.
    SettingsPath[0] = '\0';
    View = testsupport::MakeViewInFrame(Application, Frame);
    ASSERT_NE(View, nullptr);
    for (int i = 0; i < LineTotal; ++i) {
      View->TextLines.Add(i % 20 == 0 ? "$" + std::to_string(i) + "#Psalm " + std::to_string(i)
                                      : std::to_string(i) + " the LORD is my shepherd");
    }
    View->LineCount = LineTotal;
    LineSpace = 0;
    platform::testing::ResizeClient(*Frame, 640, 480);
    View->UpdateLayout();
  }
  void TearDown() override {
    Frame.reset();
    Application.reset();
    LineSpace = 0;
  }

  // The Font command with `script` driving the chooser it opens.
  void Font(std::function<void(TModal&)> script) {
    bool ran = false;
    OnNextModal([&](TModal& chooser) {
      ran = true;
      EXPECT_EQ(chooser.Kind(), TModal::TKind::FontChooser);
      EXPECT_EQ(chooser.Owner(), View);
      script(chooser);
    });
    View->CmFont();
    EXPECT_TRUE(ran) << "the font chooser did not open";
  }

  // The Line Spacing command: what the dialog shows checked, then `script`.
  std::string LineSpacing(std::function<void(TModal&, TDlg6&)> script) {
    std::string checked;
    OnNextModal([&](TModal& modal) {
      auto* dialog = dynamic_cast<TDlg6*>(modal.Dialog());
      if (dialog == nullptr) {
        ADD_FAILURE() << "not the line-spacing dialog: " << modal.Caption();
        modal.PressKey(platform::TKey::Escape);
        return;
      }
      EXPECT_EQ(modal.Caption(), "Set Line Spacing");
      checked = Checked(*dialog);
      script(modal, *dialog);
    });
    View->CmLineSpacing();
    return checked;
  }

  static std::string Checked(const TDlg6& dialog) {
    const char* names[] = {"Tight", "Normal", "Loose", "Very Loose"};
    std::string checked;
    for (int i = 0; i < 4; ++i) {
      if (dialog.Button(i)->GetCheck() == platform::CheckState::Checked) {
        checked += std::string(checked.empty() ? "" : ", ") + names[i];
      }
    }
    return checked.empty() ? "none" : checked;
  }

  std::unique_ptr<platform::TApplication> Application;
  std::unique_ptr<platform::TFrameWindow> Frame;
  TTamrinWindow* View = nullptr;  // owned by the frame
};

TEST_F(FontTest, TheFirstFontCommandOpensOnTheDefaultFontInBlackAndCancelChangesNothingSeen) {
  const std::int32_t height = View->LineHeight;
  std::string shown;
  Font([&](TModal& chooser) {
    shown = chooser.ShownFont();
    chooser.PressKey(platform::TKey::Escape);
  });
  EXPECT_EQ(shown, "DejaVu Sans, Book, 9, Black");
  // The view now wraps the default font, without owning it, and looks as it did.
  ASSERT_NE(View->TextFont, nullptr);
  EXPECT_FALSE(View->TextFont->OwnsFont());
  EXPECT_EQ(View->TextFont->GetHandle(), platform::DefaultFontHandle());
  EXPECT_EQ(View->TextColor, platform::ColorBlack);
  EXPECT_EQ(View->LineHeight, height);
}

TEST_F(FontTest, AConfirmedLargerFontAndColourChangeTheViewAtOnce) {
  const std::int32_t height = View->LineHeight;
  const std::int32_t perPage = View->LinesPerPage;
  Font([&](TModal& chooser) {
    EXPECT_TRUE(chooser.ChooseFont("Liberation Serif", "Regular", 20, false, false));
    chooser.SelectListEntry(platform::ChooseFontColourListId, 1);  // Maroon
    EXPECT_EQ(chooser.ShownFont(), "Liberation Serif, Regular, 20, Maroon");
    chooser.Click(platform::IdOk);
  });
  ASSERT_NE(View->TextFont, nullptr);
  EXPECT_TRUE(View->TextFont->OwnsFont());
  const platform::TFontDescription chosen = View->TextFont->GetDescription();
  EXPECT_EQ(chosen.Face, "Liberation Serif");
  EXPECT_EQ(chosen.Height, 27);  // 20 points at 96 dots per inch
  EXPECT_EQ(chosen.Weight, 400);
  EXPECT_FALSE(chosen.Italic);
  EXPECT_EQ(View->TextColor, Maroon);
  EXPECT_GT(View->LineHeight, height);
  EXPECT_LT(View->LinesPerPage, perPage);

  // The next repaint sets the chosen colour first; what it draws stays black, blue and red.
  platform::TDrawLog log;
  {
    platform::testing::TRecordingScope recording(log);
    View->Invalidate(true);
    View->UpdateWindow();
  }
  const auto firstColour = std::find_if(log.Calls.begin(), log.Calls.end(), [](const platform::TDrawCall& call) {
    return call.Kind == platform::TDrawCall::TKind::SetTextColor;
  });
  ASSERT_NE(firstColour, log.Calls.end());
  EXPECT_EQ(firstColour->Color, Maroon);
  const std::vector<platform::TDrawCall> texts = log.TextOuts();
  ASSERT_FALSE(texts.empty());
  for (const platform::TDrawCall& text : texts) {
    EXPECT_TRUE(text.Color == platform::ColorBlack || text.Color == platform::ColorBlue ||
                text.Color == platform::ColorRed)
        << text.Text;
    EXPECT_EQ(text.Font, View->TextFont->GetHandle());
  }
}

TEST_F(FontTest, OkWithoutAChangeKeepsTheFontAndASecondChoiceReplacesTheFirst) {
  Font([](TModal& chooser) {
    chooser.ChooseFont("DejaVu Serif", "Bold", 13, true, false);
    chooser.Click(platform::IdOk);
  });
  const platform::TFontDescription first = View->TextFont->GetDescription();
  const platform::TFontHandle firstHandle = View->TextFont->GetHandle();
  const std::int32_t height = View->LineHeight;
  EXPECT_EQ(first.Weight, 700);
  EXPECT_TRUE(first.Underline);

  std::string shown;
  Font([&](TModal& chooser) {
    shown = chooser.ShownFont();
    chooser.PressKey(platform::TKey::Enter);
  });
  EXPECT_EQ(shown, "DejaVu Serif, Bold, 13, Black");
  EXPECT_EQ(View->TextFont->GetDescription(), first);  // the same description back
  EXPECT_NE(View->TextFont->GetHandle(), firstHandle);  // in a new font that replaced it
  EXPECT_EQ(View->LineHeight, height);
}

TEST_F(FontTest, EnterAndEscapeInTheChoosersFieldsConfirmAndCancelTheWholeChooser) {
  // Enter in the size field takes the choice, as the OK button would.
  Font([](TModal& chooser) {
    ASSERT_TRUE(chooser.ChooseFont("Liberation Serif", "Regular", 20, false, false));
    chooser.PressKey(platform::TKey::Enter);
  });
  EXPECT_FALSE(platform::testing::ModalDeadlineMissed()) << "Enter left the chooser open";
  ASSERT_NE(View->TextFont, nullptr);
  EXPECT_EQ(View->TextFont->GetDescription().Face, "Liberation Serif");
  const std::int32_t height = View->LineHeight;

  // Escape there closes the chooser and keeps the font: it does not empty the window of
  // its lists and leave it open.
  platform::testing::ResetModalDeadlineMissed();
  Font([](TModal& chooser) {
    ASSERT_TRUE(chooser.ChooseFont("DejaVu Serif", "Bold", 13, false, false));
    chooser.PressKey(platform::TKey::Escape);
  });
  EXPECT_FALSE(platform::testing::ModalDeadlineMissed()) << "Escape left the chooser open";
  EXPECT_EQ(View->TextFont->GetDescription().Face, "Liberation Serif");
  EXPECT_EQ(View->LineHeight, height);
}

TEST_F(FontTest, TheSpacingDialogShowsTheCurrentSpacingAndOkTakesTheCheckedOne) {
  struct Row {
    std::int32_t Before;
    const char* Checked;
  };
  const Row rows[] = {{1, "none"}, {-3, "Tight"}, {0, "Normal"}, {5, "Loose"}, {10, "Very Loose"}, {7, "none"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Before);
    LineSpace = row.Before;
    EXPECT_EQ(LineSpacing([](TModal& modal, TDlg6&) { modal.Click(platform::IdOk); }), row.Checked);
    EXPECT_EQ(LineSpace, row.Before);  // OK without a click keeps it, also when none is checked
  }
}

TEST_F(FontTest, LooseAndOkMoveTheRowsApartAndEscapeKeepsTheSpacing) {
  LineSpace = 0;
  View->UpdateLayout();
  const std::int32_t height = View->LineHeight;
  LineSpacing([](TModal& modal, TDlg6&) {
    modal.Click(IDC_LOOSE);
    modal.PressKey(platform::TKey::Escape);
  });
  EXPECT_EQ(LineSpace, 0);
  EXPECT_EQ(View->LineHeight, height);

  LineSpacing([](TModal& modal, TDlg6& dialog) {
    modal.Click(IDC_LOOSE);
    EXPECT_EQ(Checked(dialog), "Loose");
    modal.Click(platform::IdOk);
  });
  EXPECT_EQ(LineSpace, 5);
  EXPECT_EQ(View->LineHeight, height + 5);
}

TEST_F(FontTest, TighterRowsAtTheEndOfTheTextKeepTheLastPageFull) {
  LineSpace = 10;
  View->UpdateLayout();
  View->TopLine = LineTotal - View->LinesPerPage;  // the last page
  const std::int32_t perPage = View->LinesPerPage;
  LineSpacing([](TModal& modal, TDlg6&) {
    modal.Click(IDC_TIGHT);
    modal.Click(platform::IdOk);
  });
  EXPECT_EQ(LineSpace, -3);
  EXPECT_GT(View->LinesPerPage, perPage);
  EXPECT_EQ(View->TopLine, LineTotal - View->LinesPerPage);
}

TEST_F(FontTest, TheSpacingButtonsAreOneGroupWithATabStopEach) {
  LineSpace = -3;
  std::vector<std::string> seen;
  LineSpacing([&](TModal& modal, TDlg6& dialog) {
    const auto look = [&] { seen.push_back(std::to_string(modal.FocusedControlId()) + " " + Checked(dialog)); };
    look();                                  // OK has the focus first
    modal.PressKey(platform::TKey::Tab);     // Tab reaches Tight and checks nothing new
    look();
    modal.PressKey(platform::TKey::Tab);
    look();                                  // Normal: focused, not checked
    modal.Click(IDC_VERY_LOOSE);             // a click checks one and clears the others
    look();
    modal.PressKey(platform::TKey::Enter);   // Enter on a radio button: OK
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"1 Tight", "101 Tight", "102 Tight", "104 Very Loose"}));
  EXPECT_EQ(LineSpace, 10);
}

}  // namespace
