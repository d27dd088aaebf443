// Finding the book: the probe, the location dialog that asks for its folder until the
// file opens there or the user quits, and a damaged book named once it is loaded. Each
// test runs the whole program in a working folder of its own.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/TTamrinApp.h"
#include "help/HelpResources.h"
#include "platform/Commands.h"
#include "platform/DC.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"
#include "settings/Settings.h"
#include "support/Fixtures.h"
#include "textstore/ImageBuilder.h"
#include "textstore/LocationResources.h"
#include "textstore/TDlg3.h"
#include "textstore/TextImage.h"
#include "view/TTamrinWindow.h"

namespace {

namespace fs = std::filesystem;
using platform::testing::OnNextModal;
using platform::testing::TModal;

constexpr const char* FirstMessage =
    "The data file VESK.BIN is not in your working directory.  Please enter the full path name of the "
    "directory (folder) containing VESK.BIN";
constexpr const char* LaterMessage = "I isn't there either!  Please try again!";

// What one showing of the location dialog looked like.
struct TShowing {
  std::string Caption;
  std::string Message;
  std::string Edit;
};

class LocationTest : public ::testing::Test {
protected:
  void SetUp() override {
    Previous = fs::current_path();
    fs::current_path(Temp.Path());
    LocationShowCount = 0;
    QuitRequested = 0;
    BuildMode = 0;
    DataPath[0] = '\0';
    TextImage.Clear();
  }
  void TearDown() override {
    fs::current_path(Previous);
    TextImage.Clear();
  }

  // A book of three lines in `folder`.
  void MakeBook(const fs::path& folder) {
    fs::create_directories(folder);
    testsupport::WriteWholeFile(folder / "VESK.TXT", "$1#Psalm 1\n1 Blessed is the man\n");
    auto image = std::make_unique<TTextImage>();
    ASSERT_TRUE(BuildTextImage(*image, (folder / "VESK.TXT").string(), (folder / "VESK.BIN").string()).Succeeded);
  }

  // Queues a script for the next location dialog that records it, then does `then`.
  void OnLocationDialog(const std::function<void(TModal&)>& then) {
    OnNextModal([this, then](TModal& modal) {
      auto* dialog = dynamic_cast<TDlg3*>(modal.Dialog());
      ASSERT_NE(dialog, nullptr) << modal.Caption();
      Showings.push_back({modal.Caption(), dialog->Explanation()->Text(), dialog->DirectoryEdit()->Text()});
      then(modal);
    });
  }

  // Runs the program until it has loaded (then closes it) or has ended by itself, and
  // returns its exit code; a run that does neither in time fails.
  int RunProgram() {
    platform::TDrawLog log;
    platform::testing::TRecordingScope recording(log);
    TTamrinApp app;
    const auto loaded = platform::testing::RunWhen(
        [&app] {
          auto* view = dynamic_cast<TTamrinWindow*>(app.GetMainWindow()->GetClientWindow());
          return view != nullptr && view->ExitButton->IsVisible();
        },
        [this, &app] {
          auto* view = dynamic_cast<TTamrinWindow*>(app.GetMainWindow()->GetClientWindow());
          LinesLoaded = view->LineCount;
          platform::testing::CloseBox(*app.GetMainWindow());
        },
        [&app] { app.PostQuit(app.QuitPending() ? 0 : 99); }, 8000);
    const int code = app.Run();
    Banners = 0;
    for (const platform::TDrawCall& call : log.TextOuts()) Banners += call.Text == "Loading the Orvane" ? 1 : 0;
    return code;
  }

  std::string StoredSettings() const { return Temp.ReadFile("quorvel.ini"); }

  testsupport::TTempDirectory Temp{"quorvel-location"};
  fs::path Previous;
  std::vector<TShowing> Showings;
  int LinesLoaded = -1;
  int Banners = 0;
};

TEST_F(LocationTest, ABookInTheWorkingFolderLoadsWithoutAQuestion) {
  MakeBook(Temp.Path());
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_TRUE(Showings.empty());
  EXPECT_EQ(LinesLoaded, 3);
}

TEST_F(LocationTest, OkWithTheBooksFolderLoadsItAndTheNextStartGoesStraightThere) {
  const fs::path books = Temp.Path() / "Psalmen f\xC3\xBCr alle";  // typed with its ü
  MakeBook(books);
  OnLocationDialog([&](TModal& modal) {
    modal.TypeText(IDC_DATA_DIRECTORY, books.string());
    modal.PressKey(platform::TKey::Enter);  // no default button: Enter sends OK
  });
  EXPECT_EQ(RunProgram(), 0);
  ASSERT_EQ(Showings.size(), 1u);
  EXPECT_EQ(Showings[0].Caption, "Location of VESK.BIN");
  EXPECT_EQ(Showings[0].Message, FirstMessage);
  EXPECT_EQ(Showings[0].Edit, "");
  EXPECT_EQ(LinesLoaded, 3);
  EXPECT_EQ(StoredSettings(), "[Quorvel]\nDataPath=" + books.string() + "\nLineSpace=1\n");

  Showings.clear();
  LocationShowCount = 0;
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_TRUE(Showings.empty());
  EXPECT_EQ(LinesLoaded, 3);
}

TEST_F(LocationTest, EscapeAndTheCloseBoxAskAgainWithTheSecondText) {
  MakeBook(Temp.Path() / "books");
  const std::string books = (Temp.Path() / "books").string();
  DataPath[0] = '\0';
  OnLocationDialog([](TModal& modal) {
    modal.TypeText(IDC_DATA_DIRECTORY, "/typed but cancelled");
    modal.PressKey(platform::TKey::Escape);  // Cancel: the template has no button for it
  });
  OnLocationDialog([](TModal& modal) { modal.CloseBox(); });
  OnLocationDialog([&](TModal& modal) {
    // A folder typed with a trailing separator doubles it, harmlessly.
    modal.TypeText(IDC_DATA_DIRECTORY, books + "/");
    modal.Click(platform::IdOk);
  });
  EXPECT_EQ(RunProgram(), 0);
  ASSERT_EQ(Showings.size(), 3u);
  EXPECT_EQ(Showings[0].Message, FirstMessage);
  for (std::size_t i = 1; i < Showings.size(); ++i) {
    EXPECT_EQ(Showings[i].Message, LaterMessage);
    EXPECT_EQ(Showings[i].Edit, "");  // every showing starts empty
  }
  EXPECT_EQ(LocationShowCount, 3);
  EXPECT_EQ(LinesLoaded, 3);
  EXPECT_EQ(std::string(DataPath), books + "/");
}

TEST_F(LocationTest, TheFieldTakesSeventyNineBytesAndAnEmptyOneLooksAtTheRoot) {
  std::string typed = "/" + std::string(120, 'x');
  std::string afterLong;
  OnLocationDialog([&](TModal& modal) {
    modal.TypeText(IDC_DATA_DIRECTORY, typed);
    modal.Click(platform::IdOk);
  });
  OnLocationDialog([&](TModal& modal) {
    afterLong = DataPath;
    modal.Click(platform::IdOk);  // empty: DataPath becomes empty, the path /VESK.BIN
  });
  OnLocationDialog([&](TModal& modal) { modal.Click(IDC_LOCATION_QUIT); });
  const bool rootHasBook = fs::exists("/VESK.BIN");
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(afterLong, typed.substr(0, 79));
  if (!rootHasBook) {
    EXPECT_EQ(Showings.size(), 3u);
    EXPECT_STREQ(DataPath, "");
  }
}

TEST_F(LocationTest, QuitAfterAWrongFolderStoresItAndStillRunsTheBannerAndAnEmptyLoadOnce) {
  OnLocationDialog([](TModal& modal) {
    modal.TypeText(IDC_DATA_DIRECTORY, "/no/such/folder");
    modal.Click(platform::IdOk);
  });
  OnLocationDialog([](TModal& modal) { modal.Click(IDC_LOCATION_QUIT); });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Showings.size(), 2u);
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_EQ(Banners, 1);
  EXPECT_EQ(TextImage.LineCount(), 0);
  EXPECT_EQ(StoredSettings(), "[Quorvel]\nDataPath=/no/such/folder\nLineSpace=1\n");
}

TEST_F(LocationTest, HelpOverTheDialogLeavesTheTypedTextAsItWas) {
  MakeBook(Temp.Path() / "books");
  std::string page, before, after;
  OnLocationDialog([&](TModal& modal) {
    auto* dialog = dynamic_cast<TDlg3*>(modal.Dialog());
    modal.TypeText(IDC_DATA_DIRECTORY, (Temp.Path() / "books").string());
    before = dialog->DirectoryEdit()->Text();
    OnNextModal([&](TModal& help) {
      page = help.Caption();
      EXPECT_EQ(help.Dialog()->GetParent(), dialog);
      help.PressKey(platform::TKey::Escape);
    });
    modal.Click(IDC_LOCATION_HELP);
    after = dialog->DirectoryEdit()->Text();
    EXPECT_TRUE(dialog->IsExecuting());
    modal.Click(platform::IdOk);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(page, "Help on the location of the data file VESK.BIN");
  EXPECT_EQ(after, before);
  EXPECT_EQ(LinesLoaded, 3);
}

TEST_F(LocationTest, ASignalWhileTheDialogAsksEndsTheRunWithoutALoad) {
  OnLocationDialog([](TModal&) { std::raise(SIGTERM); });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Showings.size(), 1u);  // the asking ended: no dialog came back
  EXPECT_EQ(Banners, 0);           // and no banner, no load
  EXPECT_EQ(StoredSettings(), "[Quorvel]\nDataPath=" + Temp.Path().string() + "\nLineSpace=1\n");
}

TEST_F(LocationTest, WhatIsNotARegularFileIsNoBookAndBringsTheQuestion) {
  ASSERT_EQ(::mkfifo("VESK.BIN", 0600), 0);
  fs::create_directory(Temp.Path() / "dir");
  fs::create_directory(Temp.Path() / "dir" / "VESK.BIN");
  OnLocationDialog([&](TModal& modal) {
    modal.TypeText(IDC_DATA_DIRECTORY, (Temp.Path() / "dir").string());
    modal.Click(platform::IdOk);
  });
  OnLocationDialog([](TModal& modal) { modal.Click(IDC_LOCATION_QUIT); });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(Showings.size(), 2u);
}

TEST_F(LocationTest, ADamagedBookIsLoadedAsFarAsItGoesAndNamedOnce) {
  MakeBook(Temp.Path());
  fs::resize_file(Temp.Path() / "VESK.BIN", 4 + 257 * 2);
  std::string caption, text;
  bool exclamation = false;
  OnNextModal([&](TModal& box) {
    caption = box.Caption();
    text = box.Text();
    exclamation = box.HasExclamationIcon();
    box.Click(platform::IdOk);
  });
  EXPECT_EQ(RunProgram(), 0);
  EXPECT_EQ(caption, "Damaged Book File");
  EXPECT_TRUE(exclamation);
  EXPECT_NE(text.find("only 518 of its 4369004 bytes"), std::string::npos) << text;
  EXPECT_NE(text.find((Temp.Path() / "VESK.BIN").string()), std::string::npos) << text;
  EXPECT_EQ(LinesLoaded, 3);  // the two lines it holds and the empty last one
}

}  // namespace
