// The application shell: the command line, the start-up sequence in real windows, the
// loading banner, build mode, and every way of ending the run.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/TTamrinApp.h"
#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/DC.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"
#include "search/SearchResources.h"
#include "search/SearchState.h"
#include "support/Fixtures.h"
#include "support/SearchStateReset.h"
#include "settings/Settings.h"
#include "textstore/ImageBuilder.h"
#include "textstore/TextImage.h"
#include "view/TTamrinWindow.h"

namespace fs = std::filesystem;
using platform::testing::RunAfter;

namespace {

TEST(CommandLine, OnlyTheSingleExactArgumentAsksForBuildMode) {
  struct Row {
    std::vector<const char*> Args;
    bool Build;
  };
  const Row rows[] = {
      {{"quorvel"}, false},
      {{"quorvel", "create_binary_data"}, true},
      {{"quorvel", "CREATE_BINARY_DATA"}, false},
      {{"quorvel", "create_binary_data", "extra"}, false},
      {{"quorvel", "create_binary_dat"}, false},
      {{"quorvel", "create_binary_data "}, false},
      {{"quorvel", "-platform", "create_binary_data"}, false},
  };
  for (const Row& row : rows) {
    std::string shown;
    for (const char* arg : row.Args) shown += std::string(arg) + " ";
    SCOPED_TRACE(shown);
    std::vector<const char*> argv = row.Args;
    argv.push_back(nullptr);
    EXPECT_EQ(AsksForBuildMode(static_cast<int>(row.Args.size()), argv.data()), row.Build);
  }
}

// Each test runs in a directory of its own, which is the working directory and so the
// data directory of the run.
class AppTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/quorvel-app-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Directory = pattern;
    Previous = fs::current_path();
    fs::current_path(Directory);
    BuildMode = 0;
    TextImage.Clear();
    DataPath[0] = '\0';
    platform::testing::ClearModalScripts();
  }
  void TearDown() override {
    fs::current_path(Previous);
    fs::remove_all(Directory);
    BuildMode = 0;
    TextImage.Clear();
  }

  void WriteText(const std::string& text) {
    std::ofstream(Directory / "VESK.TXT", std::ios::binary) << text;
  }
  // Builds VESK.BIN from `text` with the program's own builder, leaving the program's
  // image untouched.
  void WriteImage(const std::string& text) {
    WriteText(text);
    auto image = std::make_unique<TTextImage>();
    const TBuildReport report =
        BuildTextImage(*image, (Directory / "VESK.TXT").string(), (Directory / "VESK.BIN").string());
    ASSERT_TRUE(report.Succeeded) << report.Reason;
  }

  static TTamrinWindow* ViewOf(TTamrinApp& app) {
    return dynamic_cast<TTamrinWindow*>(app.GetMainWindow()->GetClientWindow());
  }

  // Runs `action` as soon as the load has shown the view's buttons; a run whose load
  // never finishes fails and ends rather than hanging the suite.
  [[nodiscard]] static platform::testing::TWait WhenLoaded(TTamrinApp& app, std::function<void()> action) {
    return platform::testing::RunWhen(
        [&app] {
          TTamrinWindow* view = ViewOf(app);
          return view != nullptr && view->ExitButton->IsVisible();
        },
        std::move(action),
        [&app] {
          ADD_FAILURE() << "the load did not finish";
          app.PostQuit(99);
        });
  }

  fs::path Directory;
  fs::path Previous;
};

TEST_F(AppTest, StartsEmptyThenLoadsTheBookAtTheFirstTick) {
  WriteImage("$1#Psalm 1\n1 Blessed is the man\nthat walketh not\n");
  platform::TDrawLog log;
  platform::testing::TRecordingScope recording(log);

  TTamrinApp app;
  bool sawEmpty = false;
  bool sawLoaded = false;
  RunAfter(20, [&] {
    TTamrinWindow* view = ViewOf(app);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(app.GetMainWindow()->GetTitle(), "The Orvane");
    EXPECT_EQ(view->TextLines.GetItemsInContainer(), 0);
    EXPECT_FALSE(view->FindButton->IsVisible());
    EXPECT_FALSE(view->ExitButton->IsVisible());
    EXPECT_EQ(LineOfFind[0], -1);
    EXPECT_EQ(SectionStartOfFind[499], -1);
    sawEmpty = true;
  });
  const auto loaded = WhenLoaded(app, [&] {
    TTamrinWindow* view = ViewOf(app);
    // Three lines stored, plus the empty line every image ends with.
    EXPECT_EQ(view->LineCount, 4);
    ASSERT_EQ(view->TextLines.GetItemsInContainer(), 4);
    EXPECT_EQ(view->TextLines[1], "1 Blessed is the man");
    EXPECT_EQ(view->TextLines[3], "");
    EXPECT_EQ(view->TopLine, 0);
    EXPECT_TRUE(view->FindButton->IsVisible());
    EXPECT_TRUE(view->ExitButton->IsVisible());
    const platform::TRect viewRect = view->GetWindowRect();
    for (auto [button, y] : {std::pair{view->FindButton, 270}, std::pair{view->ExitButton, 300}}) {
      const platform::TRect rect = button->GetWindowRect();
      EXPECT_EQ(rect.Left - viewRect.Left, 500);
      EXPECT_EQ(rect.Top - viewRect.Top, y);
      EXPECT_EQ(rect.Width(), 60);
      EXPECT_EQ(rect.Height(), 25);
    }
    sawLoaded = true;
    platform::testing::CloseBox(*app.GetMainWindow());
  });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(sawEmpty);
  EXPECT_TRUE(sawLoaded);

  // The banner: the default font, light grey cells, the title in blue, the plea in red.
  const std::vector<platform::TDrawCall> texts = log.TextOuts();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, "Loading the Orvane");
  EXPECT_EQ(texts[0].X, 150);
  EXPECT_EQ(texts[0].Y, 100);
  EXPECT_EQ(texts[0].Color, platform::ColorBlue);
  EXPECT_EQ(texts[0].Background, platform::ColorLightGray);
  EXPECT_EQ(texts[0].Font, platform::DefaultFontHandle());
  EXPECT_EQ(texts[1].Text, "Please Wait");
  EXPECT_EQ(texts[1].X, 230);
  EXPECT_EQ(texts[1].Y, 140);
  EXPECT_EQ(texts[1].Color, platform::ColorRed);
  EXPECT_EQ(texts[1].Background, platform::ColorLightGray);
}

TEST_F(AppTest, EveryWayOfEndingTheRunReturnsZero) {
  WriteImage("one line\n");
  struct Way {
    const char* Name;
    void (*End)(TTamrinApp&);
  };
  const Way ways[] = {
      {"File, Exit", [](TTamrinApp& app) {
         platform::testing::ChooseMenuItem(*app.GetMainWindow(), CM_EXIT);
       }},
      {"Alt+F4", [](TTamrinApp& app) {
         platform::testing::PressKey(*app.GetMainWindow(), platform::TKey::F4,
                                     platform::KeyModifier::Alt);
       }},
      {"close box", [](TTamrinApp& app) { platform::testing::CloseBox(*app.GetMainWindow()); }},
      {"Exit button", [](TTamrinApp& app) {
         platform::testing::ClickButton(*ViewOf(app)->ExitButton);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.Name);
    TextImage.Clear();
    fs::remove(Directory / "quorvel.ini");
    {
      TTamrinApp app;
      bool ended = false;
      const auto loaded = WhenLoaded(app, [&] {
        way.End(app);
        ended = true;
      });
      // A run that does not end fails here rather than hanging the suite; the check
      // does nothing once this run is over.
      auto running = std::make_shared<bool>(true);
      RunAfter(5000, [running, &app] {
        if (*running) {
          ADD_FAILURE() << "the run did not end";
          app.PostQuit(99);
        }
      });
      EXPECT_EQ(app.Run(), 0);
      *running = false;
      EXPECT_TRUE(ended);
    }
    // The view's destructor wrote the settings as the run left them.
    EXPECT_EQ(testsupport::ReadWholeFile(Directory / "quorvel.ini"),
              "[Quorvel]\nDataPath=" + Directory.string() + "\nLineSpace=1\n");
  }
}

// One of the view's children: the view's destructor deletes it, and so counts its runs.
class TDestructionWitness : public platform::TWindow {
public:
  TDestructionWitness(platform::TWindow* parent, int& count) : TWindow(parent), Count(count) {}
  ~TDestructionWitness() override { ++Count; }

private:
  int& Count;
};

TEST_F(AppTest, AQuitPostedWhileAModalOrAScanRunsEndsTheRunWithZeroAndTheViewGoesOnce) {
  std::string book;
  for (int i = 0; i < 4000; ++i) {
    book += i % 40 == 0   ? "$" + std::to_string(i) + "#Psalm " + std::to_string(i) + "\n"
            : i % 40 == 1 ? "1 the Lord is good\n"
                          : "2 and his mercy endureth\n";
  }
  WriteImage(book);
  using platform::testing::OnNextModal;
  using platform::testing::TModal;
  struct Way {
    const char* Name;
    std::function<void(TTamrinApp&, bool&)> Start;  // sets its flag when the quit was posted where it should be
  };
  const Way ways[] = {
      {"search dialog", [](TTamrinApp& app, bool& posted) {
         OnNextModal([&](TModal&) {
           app.PostQuit(0);
           posted = true;
         });
       }},
      {"help page over the search dialog", [](TTamrinApp& app, bool& posted) {
         OnNextModal([&](TModal& dialog) {
           OnNextModal([&](TModal& page) {
             posted = page.Caption() == "Using the Selection Box";
             app.PostQuit(0);
           });
           dialog.Click(IDC_SEARCH_HELP);
         });
       }},
      {"message box over the search dialog", [](TTamrinApp& app, bool& posted) {
         OnNextModal([&](TModal& dialog) {
           OnNextModal([&](TModal& box) {
             posted = box.Kind() == TModal::TKind::MessageBox;
             app.PostQuit(0);
           });
           dialog.TypeText(IDC_PHRASE, "!!");
           dialog.Click(platform::IdOk);
         });
       }},
      {"scan", [](TTamrinApp& app, bool& posted) {
         OnNextModal([&](TModal& dialog) {
           dialog.TypeText(IDC_PHRASE, "Lord");
           // Runs from the scan's own message processing, part-way through the book.
           static platform::testing::TWait scanning{nullptr};
           scanning = platform::testing::RunWhen([] { return ScanLineIndex > 0; },
                                      [&] {
                                        posted = ScanLineIndex < 4000;
                                        app.PostQuit(0);
                                      },
                                      [&] { app.PostQuit(0); });
           dialog.Click(platform::IdOk);
         });
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.Name);
    TextImage.Clear();
    int destroyed = 0;
    bool posted = false;
    {
      TTamrinApp app;
      const auto loaded = WhenLoaded(app, [&] {
        new TDestructionWitness(ViewOf(app), destroyed);
        way.Start(app, posted);
        platform::testing::ChooseMenuItem(*app.GetMainWindow(), CM_FIND);
      });
      EXPECT_EQ(app.Run(), 0);
      EXPECT_EQ(destroyed, 0);
    }
    EXPECT_TRUE(posted);
    EXPECT_EQ(destroyed, 1);
  }
  testsupport::ResetSearchState();
}

TEST_F(AppTest, ANewStartHasTheDefaultFontInBlackAndTheStoredSpacing) {
  WriteImage("$1#Psalm 1\n1 Blessed is the man\n");
  std::ofstream(Directory / "quorvel.ini") << "[Quorvel]\nLineSpace=10\n";
  TTamrinApp app;
  const auto loaded = WhenLoaded(app, [&] {
    TTamrinWindow* view = ViewOf(app);
    EXPECT_EQ(view->TextFont, nullptr);
    EXPECT_EQ(view->TextColor, platform::ColorBlack);
    EXPECT_EQ(LineSpace, 10);
    const platform::TTextMetrics metrics = view->GetClientDC()->GetTextMetrics();
    EXPECT_EQ(view->LineHeight, metrics.Height + metrics.ExternalLeading + 10);
    platform::testing::CloseBox(*app.GetMainWindow());
  });
  EXPECT_EQ(app.Run(), 0);
}

TEST_F(AppTest, TheFrameCannotBeResizedOrMaximised) {
  WriteImage("x\n");
  TTamrinApp app;
  RunAfter(50, [&] {
    const platform::testing::TWindowDecoration decoration =
        platform::testing::Decoration(*app.GetMainWindow());
    EXPECT_TRUE(decoration.HasMinimizeButton);
    EXPECT_FALSE(decoration.HasMaximizeButton);
    EXPECT_TRUE(decoration.HasCloseButton);
    EXPECT_TRUE(decoration.FixedSize);
    const std::vector<std::string> menu = platform::testing::MenuTexts(*app.GetMainWindow());
    const std::vector<std::string> expected = {
        "&File", "&Line Spacing", "&Font...\tCtrl+F", "", "E&xit\tAlt+F4",
        "&Find", "&Find ",
        "&Help", "&Introduction", "", "&About..."};
    EXPECT_EQ(menu, expected);
    app.PostQuit(0);
  });
  EXPECT_EQ(app.Run(), 0);
}

TEST_F(AppTest, TheShowCommandIsAdjustedBeforeTheWindowShows) {
  WriteImage("x\n");
  struct Row {
    platform::TShowCommand Asked;
    platform::TShowCommand Used;
    bool Minimized;
  };
  const Row rows[] = {
      {platform::TShowCommand::ShowMaximized, platform::TShowCommand::ShowNormal, false},
      {platform::TShowCommand::ShowNormal, platform::TShowCommand::ShowNormal, false},
      {platform::TShowCommand::ShowMinimized, platform::TShowCommand::ShowNormal, false},
      {platform::TShowCommand::ShowMinNoActive, platform::TShowCommand::ShowMinNoActive, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.Asked));
    TTamrinApp app;
    app.SetShowCommand(row.Asked);
    RunAfter(50, [&] {
      EXPECT_EQ(app.GetShowCommand(), row.Used);
      EXPECT_EQ(platform::testing::Decoration(*app.GetMainWindow()).Minimized, row.Minimized);
      app.PostQuit(0);
    });
    EXPECT_EQ(app.Run(), 0);
  }
}

TEST_F(AppTest, BuildModeBuildsTheImageAndShowsNoText) {
  WriteText("$1#Psalm 1\n1 Blessed\r\nlast line without a line feed");
  // The probe looks for VESK.BIN first, so one must be there, of any content.
  std::ofstream(Directory / "VESK.BIN") << "old";
  BuildMode = 1;

  TTamrinApp app;
  std::string caption, text;
  platform::testing::OnNextModal([&](platform::testing::TModal& box) {
    caption = box.Caption();
    text = box.Text();
    EXPECT_FALSE(box.HasExclamationIcon());
    TTamrinWindow* view = ViewOf(app);
    EXPECT_EQ(view->LineCount, 3);
    EXPECT_EQ(view->TextLines.GetItemsInContainer(), 0);
    EXPECT_FALSE(view->FindButton->IsVisible());
    EXPECT_FALSE(view->ExitButton->IsVisible());
    box.Click(platform::IdOk);
  });
  // After the message box: still no text and no buttons.
  const auto shown = platform::testing::RunWhen([&] { return !text.empty(); }, [&] {
    TTamrinWindow* view = ViewOf(app);
    EXPECT_EQ(view->TextLines.GetItemsInContainer(), 0);
    EXPECT_FALSE(view->FindButton->IsVisible());
    EXPECT_EQ(view->LineCount, 3);
    platform::testing::CloseBox(*app.GetMainWindow());
  }, [&] {
    ADD_FAILURE() << "no completion message";
    app.PostQuit(99);
  });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(caption, "Make Binary Data");
  EXPECT_EQ(text, "Creation of Binary File completed!");

  // The image in memory and on disk hold the new text.
  EXPECT_EQ(TextImage.LineCount(), 4);
  EXPECT_EQ(TextImage.Line(2), "last line without a line feed");
  EXPECT_EQ(fs::file_size(Directory / "VESK.BIN"), ImageSize);
}

TEST_F(AppTest, BuildModeReportsATextFileThatCannotBeRead) {
  std::ofstream(Directory / "VESK.BIN") << "old";
  BuildMode = 1;

  TTamrinApp app;
  std::string caption, text;
  platform::testing::OnNextModal([&](platform::testing::TModal& box) {
    caption = box.Caption();
    text = box.Text();
    box.Click(platform::IdOk);
    RunAfter(50, [&] { platform::testing::CloseBox(*app.GetMainWindow()); });
  });
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(caption, "Make Binary Data");
  EXPECT_EQ(text.find("Creation of Binary File completed!"), std::string::npos);
  EXPECT_NE(text.find((Directory / "VESK.TXT").string()), std::string::npos) << text;
  EXPECT_NE(text.find("No such file or directory"), std::string::npos) << text;
  // Nothing was written over the old file.
  EXPECT_EQ(fs::file_size(Directory / "VESK.BIN"), 3u);
}

}  // namespace
