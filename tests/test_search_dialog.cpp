// The search dialog in real windows, driven through its controls: what it shows when it
// opens, what OK lists, the selection errors, the way Show Line, Show Section and a
// double-click lead the view to a find, what happens when the user acts while a scan
// runs, and Help over the dialog.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/Resources.h"
#include "help/HelpResources.h"
#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/FrameWindow.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"
#include "search/SearchResources.h"
#include "search/SearchState.h"
#include "support/SearchStateReset.h"
#include "search/TDlg2.h"
#include "settings/Settings.h"
#include "textstore/TextImage.h"
#include "util/TextHelpers.h"
#include "support/LeftOpenGuard.h"
#include "support/ViewInFrame.h"
#include "view/TTamrinWindow.h"

namespace fs = std::filesystem;
using platform::testing::OnNextModal;
using platform::testing::RunAfter;
using platform::testing::TModal;

namespace {

// The lines of the fixture book that matter; every other line is filler that holds none
// of the phrases searched for and does not begin with a number.
struct TBookLine {
  std::int32_t Index;
  const char* Text;
};
constexpr TBookLine BookLines[] = {
    {0, "$1#Psalm 1"},
    {1, "1 Blessed is the man that walketh not in the counsel of the ungodly,"},
    {2, "2 But his delight is in the law of the LORD;"},
    {3, "3 And he shall be like a tree planted by the rivers of water,"},
    {100, "$2#Psalm 2"},
    {101, "1 Why do the heathen rage,"},
    {110, "7 I will declare the decree: the LORD hath said unto me,"},
    {150, "8 Ask of me, and I shall give thee the heathen for thine inheritance,"},
};

// What OK lists for "LORD": find 1 in line 2 of Psalm 1, find 2 in line 110 of Psalm 2,
// each line without its verse number.
const std::vector<std::string> LordEntries = {
    " ",
    "1.) Found In:     'Psalm 1'",
    "              But his delight is in the law of the LORD;",
    " ",
    "2.) Found In:     'Psalm 2'",
    "              I will declare the decree: the LORD hath said unto me,",
};
constexpr std::int32_t LordLineOfFind[] = {-1, 107};
constexpr std::int32_t LordSectionOfFind[] = {-3, 97};

// "heathen": lines 101 and 150, both in Psalm 2.
constexpr int HeathenEntryCount = 6;
constexpr std::int32_t HeathenLineOfFind[] = {98, 147};
constexpr std::int32_t HeathenSection = 97;

constexpr int FirstFindEntry = 1;
constexpr int SecondFindEntry = 4;
constexpr int SecondLineEntry = 5;

using testsupport::TLeftOpenGuard;

std::vector<std::string> EntriesOf(const TDlg2& dialog) {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(std::max(dialog.FindList()->GetCount(), 0)));
  for (int i = 0; i < dialog.FindList()->GetCount(); ++i) {
    entries.emplace_back(dialog.FindList()->GetString(i));
  }
  return entries;
}

TDlg2* SearchDialogOf(TModal& modal) {
  EXPECT_EQ(modal.Kind(), TModal::TKind::Dialog);
  auto* dialog = dynamic_cast<TDlg2*>(modal.Dialog());
  EXPECT_NE(dialog, nullptr) << "the modal loop is not the search dialog's: " << modal.Caption();
  return dialog;
}

// Replaces the edit's text as the user would: selecting it all and typing over it is
// not something the driver offers, so the old text goes through the control object.
void TypePhrase(TModal& modal, TDlg2& dialog, std::string_view phrase) {
  dialog.PhraseEdit()->SetText("");
  modal.TypeText(IDC_PHRASE, phrase);
}

using testsupport::ResetSearchState;

// Each test gets the shared search state of a fresh start, the fixture book in the text
// image and in a laid-out view inside a frame, and a settings file of its own.
class SearchDialogTest : public ::testing::Test {
protected:
  static constexpr std::int32_t ShortBook = 200;
  // Long enough that a scan pumps messages some thousands of times after its first find.
  static constexpr std::int32_t LongBook = SlotCount;

  static void SetUpTestSuite() { AddProgramResources(platform::DefaultModule()); }

  void SetUp() override { SetUpBook(ShortBook); }

  void SetUpBook(std::int32_t lineCount) {
    TearDownView();
    char pattern[] = "/tmp/quorvel-search-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Directory = pattern;
    CopyText(SettingsPath, SettingsPathSize, (Directory / "quorvel.ini").string());
    platform::testing::ClearModalScripts();
    ResetSearchState();

    TextImage.Clear();
    std::vector<std::string> lines(static_cast<std::size_t>(lineCount));
    for (std::int32_t i = 0; i < lineCount; ++i) {
      lines[i] = "plain text of row " + std::to_string(i) + ", with nothing to find";
    }
    for (const TBookLine& line : BookLines) {
      lines[line.Index] = line.Text;
    }
    for (std::int32_t i = 0; i < lineCount; ++i) {
      TextImage.StoreLine(i, lines[i]);
    }
    TextImage.SetLineCount(lineCount);

    View = testsupport::MakeViewInFrame(Application, Frame);
    ASSERT_NE(View, nullptr);
    for (const std::string& line : lines) {
      View->TextLines.Add(line);
    }
    View->LineCount = lineCount;
    platform::testing::ResizeClient(*Frame, 640, 480);
    View->UpdateLayout();
    ASSERT_GT(View->LinesPerPage, 1);
    ASSERT_LT(View->LinesPerPage, 90);
  }

  void TearDownView() {
    Frame.reset();
    View = nullptr;
    if (!Directory.empty()) {
      fs::remove_all(Directory);
      Directory.clear();
    }
  }

  void TearDown() override {
    TearDownView();
    Application.reset();
    TextImage.Clear();
    ResetSearchState();
  }

  // The Find command with `script` driving the search dialog it opens.
  void Find(platform::testing::TModalScript script) {
    bool ran = false;
    TLeftOpenGuard guard;
    OnNextModal(guard.Guarding([&, script = std::move(script)](TModal& modal) {
      ran = true;
      script(modal);
    }));
    View->CmFind();
    EXPECT_TRUE(ran) << "the search dialog did not open";
  }

  // A search for `phrase` in a fresh dialog, then Cancel.
  void SearchAndCancel(std::string_view phrase, bool ignoreCase) {
    Find([&](TModal& modal) {
      TDlg2* dialog = SearchDialogOf(modal);
      ASSERT_NE(dialog, nullptr);
      TypePhrase(modal, *dialog, phrase);
      if (ignoreCase != dialog->IgnoreCaseChecked()) {
        modal.Click(IDC_IGNORE_CASE);
      }
      modal.Click(platform::IdOk);
      modal.Click(platform::IdCancel);
    });
  }

  fs::path Directory;
  std::unique_ptr<platform::TApplication> Application;
  std::unique_ptr<platform::TFrameWindow> Frame;
  TTamrinWindow* View = nullptr;  // owned by the frame
};

TEST_F(SearchDialogTest, FirstOpeningShowsAnEmptyPhraseAClearBoxAndAnEmptyList) {
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(modal.Caption(), "Lines found Containing the Search words");
    EXPECT_EQ(dialog->GetParent(), View);
    EXPECT_EQ(dialog->PhraseEdit()->Text(), "");
    EXPECT_EQ(dialog->IgnoreCaseBox()->GetCheck(), platform::CheckState::Unchecked);
    EXPECT_EQ(dialog->FindList()->GetCount(), 0);
    EXPECT_EQ(dialog->FindList()->GetSelIndex(), -1);
    modal.Click(platform::IdCancel);
  });
  EXPECT_EQ(TargetLine, 0);
  EXPECT_EQ(View->TopLine, 0);
}

TEST_F(SearchDialogTest, OkListsTheFindsAndLeavesTheDialogOpen) {
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    modal.TypeText(IDC_PHRASE, "LORD");
    modal.Click(platform::IdOk);
    EXPECT_TRUE(dialog->IsExecuting());
    EXPECT_TRUE(dialog->IsVisible());
    EXPECT_EQ(EntriesOf(*dialog), LordEntries);
    EXPECT_STREQ(SearchPhrase, "LORD");
    EXPECT_EQ(FindCount, 2);
    for (int find = 1; find <= 2; ++find) {
      SCOPED_TRACE(find);
      EXPECT_EQ(LineOfFind[find], LordLineOfFind[find - 1]);
      EXPECT_EQ(SectionStartOfFind[find], LordSectionOfFind[find - 1]);
    }

    // A second OK with another phrase replaces the list.
    TypePhrase(modal, *dialog, "heathen");
    modal.Click(platform::IdOk);
    const std::vector<std::string> entries = EntriesOf(*dialog);
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(HeathenEntryCount));
    EXPECT_EQ(entries[FirstFindEntry], "1.) Found In:     'Psalm 2'");
    EXPECT_EQ(entries[SecondLineEntry],
              "              Ask of me, and I shall give thee the heathen for thine inheritance,");
    modal.Click(platform::IdCancel);
  });
}

TEST_F(SearchDialogTest, ThePhraseIsTakenThroughThirtySixBytes) {
  const std::string typed(40, 'x');
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    modal.TypeText(IDC_PHRASE, typed);
    EXPECT_EQ(dialog->PhraseEdit()->Text(), typed.substr(0, 35));
    // A text set by the program goes past what the user can type; the scan still
    // takes at most 35 characters of it.
    dialog->PhraseEdit()->SetText(typed);
    modal.Click(platform::IdOk);
    EXPECT_EQ(std::string(SearchPhrase), typed.substr(0, 35));
    modal.Click(platform::IdCancel);
  });
}

TEST_F(SearchDialogTest, ReopeningShowsTheLastAcceptedPhraseAndBox) {
  struct Row {
    const char* Typed;
    bool IgnoreCase;
    const char* Shown;
  };
  const Row rows[] = {
      {"Lord", true, "lord"},
      {"The LORD", false, "The LORD"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Typed);
    SearchAndCancel(row.Typed, row.IgnoreCase);
    Find([&](TModal& modal) {
      TDlg2* dialog = SearchDialogOf(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->PhraseEdit()->Text(), row.Shown);
      EXPECT_EQ(dialog->IgnoreCaseBox()->GetCheck(),
                row.IgnoreCase ? platform::CheckState::Checked : platform::CheckState::Unchecked);
      // The list belongs to the dialog: a new one starts empty.
      EXPECT_EQ(dialog->FindList()->GetCount(), 0);
      modal.Click(platform::IdCancel);
    });
  }
}

TEST_F(SearchDialogTest, ARefusedPhraseShowsItsMessageOverTheDialog) {
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    modal.TypeText(IDC_PHRASE, "LORD");
    modal.Click(platform::IdOk);
    bool shown = false;
    OnNextModal([&](TModal& box) {
      shown = true;
      EXPECT_EQ(box.Kind(), TModal::TKind::MessageBox);
      EXPECT_EQ(box.Caption(), "Incomplete Answer");
      EXPECT_EQ(box.Text(), "You have not entered a Phrase to be searched for!");
      EXPECT_TRUE(box.HasExclamationIcon());
      EXPECT_EQ(box.Owner(), dialog);
      box.Click(platform::IdOk);
    });
    TypePhrase(modal, *dialog, " ;:, ");
    modal.Click(platform::IdOk);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialog->IsExecuting());
    // The previous search's entries stay and still lead to their finds.
    EXPECT_EQ(EntriesOf(*dialog), LordEntries);
    modal.Click(platform::IdCancel);
  });
}

TEST_F(SearchDialogTest, TheFiveHundredthFindShowsTooVagueWithoutAnIcon) {
  SetUpBook(600);
  for (std::int32_t i = 0; i < 600; ++i) {
    TextImage.StoreLine(i, "selah");
  }
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    bool shown = false;
    OnNextModal([&](TModal& box) {
      shown = true;
      EXPECT_EQ(box.Caption(), "Too Vague");
      EXPECT_EQ(box.Text(), "Too many finds!  Please try a more specific search-phrase!");
      EXPECT_FALSE(box.HasExclamationIcon());
      EXPECT_EQ(box.Owner(), dialog);
      box.Click(platform::IdOk);
    });
    modal.TypeText(IDC_PHRASE, "selah");
    modal.Click(platform::IdOk);
    EXPECT_TRUE(shown);
    EXPECT_EQ(FindCount, MaxFindCount);
    modal.Click(platform::IdCancel);
  });
}

// How the user asks for the selected find.
enum class TChoice { ShowLine, ShowSection, DoubleClick };

const char* NameOf(TChoice choice) {
  switch (choice) {
    case TChoice::ShowLine: return "Show Line";
    case TChoice::ShowSection: return "Show Section";
    case TChoice::DoubleClick: return "double-click";
  }
  return "";
}

// Selects `entry` (none when -1) and asks for it.
void Choose(TModal& modal, TChoice choice, int entry) {
  if (choice == TChoice::DoubleClick) {
    modal.DoubleClickListEntry(IDC_FIND_LIST, entry);
    return;
  }
  if (entry >= 0) {
    modal.SelectListEntry(IDC_FIND_LIST, entry);
  }
  modal.Click(choice == TChoice::ShowLine ? IDC_SHOW_LINE : IDC_SHOW_SECTION);
}

TEST_F(SearchDialogTest, AnEntryWithoutAFindNumberIsASelectionError) {
  struct Row {
    const char* Phrase;
    int Entry;  // -1: nothing selected
    TChoice Choice;
  };
  const Row rows[] = {
      {"LORD", -1, TChoice::ShowLine},
      {"LORD", -1, TChoice::ShowSection},
      {"LORD", 0, TChoice::ShowLine},           // a spacer
      {"LORD", 3, TChoice::ShowSection},
      {"LORD", 0, TChoice::DoubleClick},
      {"LORD", 2, TChoice::ShowLine},           // a line entry, listed without its number
      {"LORD", 5, TChoice::ShowSection},
      {"LORD", 2, TChoice::DoubleClick},
      {"zebra", 10, TChoice::ShowLine},         // the no-match line
      {"zebra", 10, TChoice::DoubleClick},
      {"zebra", 4, TChoice::ShowSection},
  };
  constexpr std::int32_t EarlierTarget = 42;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Phrase) + ", entry " + std::to_string(row.Entry) + ", " +
                 NameOf(row.Choice));
    TargetLine = EarlierTarget;
    Find([&](TModal& modal) {
      TDlg2* dialog = SearchDialogOf(modal);
      ASSERT_NE(dialog, nullptr);
      TypePhrase(modal, *dialog, row.Phrase);
      modal.Click(platform::IdOk);
      const std::vector<std::string> listed = EntriesOf(*dialog);
      bool shown = false;
      OnNextModal([&](TModal& box) {
        shown = true;
        EXPECT_EQ(box.Kind(), TModal::TKind::MessageBox);
        EXPECT_EQ(box.Caption(), "Selection Error");
        EXPECT_EQ(box.Text(), "You have not selected a numbered option");
        EXPECT_TRUE(box.HasExclamationIcon());
        EXPECT_EQ(box.Owner(), dialog);
        box.Click(platform::IdOk);
      });
      Choose(modal, row.Choice, row.Entry);
      EXPECT_TRUE(shown);
      EXPECT_EQ(TargetLine, EarlierTarget);
      EXPECT_TRUE(dialog->IsExecuting());
      EXPECT_TRUE(dialog->IsVisible());
      EXPECT_EQ(EntriesOf(*dialog), listed);
      modal.Click(platform::IdCancel);
    });
    EXPECT_EQ(TargetLine, EarlierTarget);
    EXPECT_EQ(View->TopLine, EarlierTarget);
  }
}

TEST_F(SearchDialogTest, AChosenFindSetsTargetLineAndTheViewGoesThere) {
  struct Row {
    TChoice Choice;
    int Entry;
    std::int32_t Target;
  };
  const Row rows[] = {
      {TChoice::ShowLine, SecondFindEntry, LordLineOfFind[1]},
      {TChoice::ShowSection, SecondFindEntry, LordSectionOfFind[1]},
      {TChoice::DoubleClick, SecondFindEntry, LordLineOfFind[1]},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(NameOf(row.Choice));
    TargetLine = 0;
    platform::testing::TriggerScroll(*View, platform::testing::TScrollAction::ToTop);
    ASSERT_EQ(View->TopLine, 0);
    Find([&](TModal& modal) {
      TDlg2* dialog = SearchDialogOf(modal);
      ASSERT_NE(dialog, nullptr);
      TypePhrase(modal, *dialog, "LORD");
      modal.Click(platform::IdOk);
      Choose(modal, row.Choice, row.Entry);
      // Ended, the dialog closes once the script hands control back to its loop.
      EXPECT_EQ(TargetLine, row.Target);
    });
    EXPECT_EQ(TargetLine, row.Target);
    EXPECT_EQ(View->TopLine, row.Target);
  }
}

TEST_F(SearchDialogTest, ShowLineEndsTheDialogWithTheResultOfCancel) {
  TDlg2 dialog(View, IDD_SEARCH);
  TLeftOpenGuard guard;
  OnNextModal(guard.Guarding([&](TModal& modal) {
    modal.TypeText(IDC_PHRASE, "heathen");
    modal.Click(platform::IdOk);
    modal.SelectListEntry(IDC_FIND_LIST, SecondFindEntry);
    modal.Click(IDC_SHOW_LINE);
  }));
  EXPECT_EQ(dialog.Execute(), platform::IdCancel);
  EXPECT_EQ(TargetLine, HeathenLineOfFind[1]);
  // The dialog does not move the view: that is the Find command's part.
  EXPECT_EQ(View->TopLine, 0);
}

TEST_F(SearchDialogTest, AFindWithATargetBelowOneLeavesTheViewWhereItIs) {
  platform::testing::DragThumb(*View, 60);
  ASSERT_EQ(View->TopLine, 60);
  Find([&](TModal& modal) {
    modal.TypeText(IDC_PHRASE, "LORD");
    modal.Click(platform::IdOk);
    modal.SelectListEntry(IDC_FIND_LIST, FirstFindEntry);
    modal.Click(IDC_SHOW_LINE);
  });
  EXPECT_EQ(TargetLine, LordLineOfFind[0]);
  EXPECT_EQ(View->TopLine, 60);
}

TEST_F(SearchDialogTest, ClosingWithoutAChoiceReturnsTheViewToTheEarlierFind) {
  Find([&](TModal& modal) {
    modal.TypeText(IDC_PHRASE, "heathen");
    modal.Click(platform::IdOk);
    modal.SelectListEntry(IDC_FIND_LIST, SecondFindEntry);
    modal.Click(IDC_SHOW_SECTION);
  });
  ASSERT_EQ(View->TopLine, HeathenSection);

  struct Way {
    const char* Name;
    void (*Close)(TModal&);
  };
  const Way ways[] = {
      {"Cancel", [](TModal& modal) { modal.Click(platform::IdCancel); }},
      {"Escape", [](TModal& modal) { modal.PressKey(platform::TKey::Escape); }},
      {"close box", [](TModal& modal) { modal.CloseBox(); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.Name);
    platform::testing::TriggerScroll(*View, platform::testing::TScrollAction::ToTop);
    ASSERT_EQ(View->TopLine, 0);
    Find([&](TModal& modal) {
      modal.TypeText(IDC_PHRASE, "LORD");
      modal.Click(platform::IdOk);
      way.Close(modal);
    });
    EXPECT_EQ(TargetLine, HeathenSection);
    EXPECT_EQ(View->TopLine, HeathenSection);
  }
}

TEST_F(SearchDialogTest, TabGoesInTemplateOrderAndEnterSearchesFromTheEditOrPressesTheFocusedButton) {
  std::vector<int> order;
  int listedAfterEnter = 0;
  bool openAfterEnter = false;
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    order.push_back(modal.FocusedControlId());
    for (int i = 0; i < 8; ++i) {
      modal.PressKey(platform::TKey::Tab);
      order.push_back(modal.FocusedControlId());
    }
    // No button is the default: Enter in the edit control sends OK, which searches.
    modal.TypeText(IDC_PHRASE, "Lord");
    modal.PressKey(platform::TKey::Enter);
    listedAfterEnter = dialog->FindList()->GetCount();
    openAfterEnter = dialog->IsExecuting();
    // Enter on a focused push button presses that button: Tab from the edit reaches
    // OK, then Show Section, then Cancel.
    for (int i = 0; i < 3; ++i) modal.PressKey(platform::TKey::Tab);
    ASSERT_EQ(modal.FocusedControlId(), platform::IdCancel);
    modal.PressKey(platform::TKey::Enter);
  });
  // The static label has no stop; the rest follow the template.
  EXPECT_EQ(order, (std::vector<int>{IDC_PHRASE, platform::IdOk, IDC_SHOW_SECTION, platform::IdCancel,
                                     IDC_SEARCH_HELP, IDC_FIND_LIST, IDC_IGNORE_CASE, IDC_SHOW_LINE,
                                     IDC_PHRASE}));
  EXPECT_GT(listedAfterEnter, 0);
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(TargetLine, 0);
}

TEST_F(SearchDialogTest, HelpOverTheDialogLeavesItAsItWas) {
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    modal.TypeText(IDC_PHRASE, "Lord");
    modal.Click(IDC_IGNORE_CASE);
    modal.Click(platform::IdOk);
    modal.SelectListEntry(IDC_FIND_LIST, SecondFindEntry);
    const std::vector<std::string> listed = EntriesOf(*dialog);
    bool shown = false;
    OnNextModal([&](TModal& page) {
      shown = true;
      EXPECT_EQ(page.Kind(), TModal::TKind::Dialog);
      EXPECT_EQ(page.Caption(), "Using the Selection Box");
      ASSERT_NE(page.Dialog(), nullptr);
      EXPECT_EQ(page.Dialog()->GetParent(), dialog);
      EXPECT_EQ(page.Dialog()->GetTemplateId(), IDD_SEARCH_HELP);
      page.Click(platform::IdCancel);
    });
    modal.Click(IDC_SEARCH_HELP);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialog->IsExecuting());
    EXPECT_EQ(EntriesOf(*dialog), listed);
    EXPECT_EQ(dialog->FindList()->GetSelIndex(), SecondFindEntry);
    EXPECT_EQ(dialog->PhraseEdit()->Text(), "Lord");
    EXPECT_EQ(dialog->IgnoreCaseBox()->GetCheck(), platform::CheckState::Checked);
    // The selection still leads to its find.
    modal.Click(IDC_SHOW_LINE);
  });
  EXPECT_EQ(View->TopLine, LordLineOfFind[1]);
}

// Runs `action` from inside the message processing of the scan that OK starts, once it
// has listed its first find and is still short of `beforeLine`. The watch ends with this
// object, so that no check outlives the dialog or the test's locals.
class TDuringScan {
public:
  TDuringScan(TDlg2& dialog, std::int32_t beforeLine, std::function<void()> action)
      : State(std::make_shared<TState>()) {
    State->Dialog = &dialog;
    State->BeforeLine = beforeLine;
    State->Action = std::move(action);
    Watch(State);
  }
  ~TDuringScan() { State->Dialog = nullptr; }
  TDuringScan(const TDuringScan&) = delete;
  TDuringScan& operator=(const TDuringScan&) = delete;
  bool Ran() const { return State->Ran; }

private:
  struct TState {
    TDlg2* Dialog = nullptr;
    std::int32_t BeforeLine = 0;
    std::function<void()> Action;
    bool Ran = false;
  };
  static void Watch(const std::shared_ptr<TState>& state) {
    RunAfter(0, [state] {
      if (!state->Dialog || state->Ran) return;
      if (state->Dialog->FindList()->GetCount() >= 2 && ScanLineIndex < state->BeforeLine) {
        state->Ran = true;
        state->Action();
        return;
      }
      Watch(state);
    });
  }
  std::shared_ptr<TState> State;
};

class LongSearchDialogTest : public SearchDialogTest {
protected:
  void SetUp() override { SetUpBook(LongBook); }
};

TEST_F(LongSearchDialogTest, OkDuringAScanRunsTheNewScanInsideIt) {
  Find([&](TModal& modal) {
    TDlg2* dialog = SearchDialogOf(modal);
    ASSERT_NE(dialog, nullptr);
    modal.TypeText(IDC_PHRASE, "heathen");
    std::vector<std::string> listedBefore;
    const TDuringScan duringScan(*dialog, 150, [&] {
      listedBefore = EntriesOf(*dialog);
      TypePhrase(modal, *dialog, "LORD");
      modal.Click(platform::IdOk);
    });
    modal.Click(platform::IdOk);
    ASSERT_TRUE(duringScan.Ran()) << "the scan processed no messages after its first find";
    // The outer scan had listed its first find when OK came again.
    ASSERT_GE(listedBefore.size(), 2u);
    EXPECT_EQ(listedBefore[FirstFindEntry], "1.) Found In:     'Psalm 2'");
    // The inner scan cleared the list and ran to its end; the interrupted one then left
    // its loop at once, so its later find (line 150) was never listed.
    EXPECT_EQ(EntriesOf(*dialog), LordEntries);
    EXPECT_EQ(FindCount, 2);
    EXPECT_EQ(LineOfFind[2], LordLineOfFind[1]);
    EXPECT_STREQ(SearchPhrase, "LORD");
    EXPECT_GT(ScanLineIndex, LongBook);
    modal.Click(platform::IdCancel);
  });
}

TEST_F(LongSearchDialogTest, ADialogEndedDuringAScanClosesWhenTheScanHasFinished) {
  struct Row {
    const char* Name;
    void (*Act)(TModal&);
    std::int32_t Target;
  };
  const Row rows[] = {
      {"Cancel", [](TModal& modal) { modal.Click(platform::IdCancel); }, 0},
      {"Escape", [](TModal& modal) { modal.PressKey(platform::TKey::Escape); }, 0},
      {"Show Line", [](TModal& modal) {
         modal.SelectListEntry(IDC_FIND_LIST, FirstFindEntry);
         modal.Click(IDC_SHOW_LINE);
       }, HeathenLineOfFind[0]},
      {"double-click", [](TModal& modal) {
         modal.DoubleClickListEntry(IDC_FIND_LIST, FirstFindEntry);
       }, HeathenLineOfFind[0]},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    TargetLine = 0;
    Find([&](TModal& modal) {
      TDlg2* dialog = SearchDialogOf(modal);
      ASSERT_NE(dialog, nullptr);
      TypePhrase(modal, *dialog, "heathen");
      bool stillOpen = false;
      const TDuringScan duringScan(*dialog, 150, [&] {
        row.Act(modal);
        stillOpen = dialog->IsVisible() && dialog->IsExecuting();
      });
      modal.Click(platform::IdOk);
      ASSERT_TRUE(duringScan.Ran()) << "the scan processed no messages after its first find";
      EXPECT_TRUE(stillOpen);
      // The scan ran to its end: both finds are listed.
      EXPECT_EQ(dialog->FindList()->GetCount(), HeathenEntryCount);
      EXPECT_EQ(FindCount, 2);
      EXPECT_TRUE(dialog->IsVisible());
    });
    EXPECT_EQ(TargetLine, row.Target);
    EXPECT_EQ(View->TopLine, row.Target);
  }
}

}  // namespace
