// Dialogs from templates: dialog units, their keys, tab order, controls bound by id,
// radio groups, notifications, and a dialog ended while one of its commands is still
// running.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QRadioButton>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/qt/QtDialogUnits.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"
#include "search/SearchResources.h"

using namespace platform;
using platform::testing::OnNextModal;
using platform::testing::TModal;

namespace {

constexpr int TestTemplateId = 9001;
constexpr int PlainTemplateId = 9002;
constexpr int EditId = 102, ListId = 101, CheckId = 105, DoId = 106, RadioA = 201, RadioB = 202;

constexpr TStyle Shown = WindowStyle::Child | WindowStyle::Visible;
constexpr TStyle Tab = WindowStyle::TabStop;

constexpr TDialogControl TestControls[] = {
    {TControlKind::Edit, EditId, "", 10, 10, 100, 13, Shown | Tab | WindowStyle::Border},
    {TControlKind::PushButton, DoId, "Do", 10, 30, 50, 14, Shown | Tab},
    {TControlKind::ListBox, ListId, nullptr, 10, 50, 100, 60, Shown | Tab | WindowStyle::VScroll},
    {TControlKind::CheckBox, CheckId, "Check", 120, 10, 60, 13, Shown | Tab | ControlStyle::AutoCheckBox},
    {TControlKind::RadioButton, RadioA, "A", 120, 30, 40, 13, Shown | Tab | ControlStyle::AutoRadioButton},
    {TControlKind::RadioButton, RadioB, "B", 120, 45, 40, 13, Shown | Tab | ControlStyle::AutoRadioButton},
    {TControlKind::Static, NoControlId, "Label", 120, 60, 40, 8, Shown},
};
constexpr TDialogTemplate TestTemplate{TestTemplateId, "Test Dialog", 0, 0, 200, 120, "MS Sans Serif", 8,
                                       WindowStyle::Popup | WindowStyle::Caption | WindowStyle::SysMenu |
                                           DialogStyle::ModalFrame | DialogStyle::SetFont,
                                       TestControls};

// A page with one default push button and no other, as the about box has.
constexpr TDialogControl PlainControls[] = {
    {TControlKind::Static, NoControlId, "Text", 10, 10, 100, 8, Shown},
    {TControlKind::PushButton, 77, "Default", 10, 30, 50, 14, Shown | Tab | ControlStyle::DefaultButton},
};
constexpr TDialogTemplate PlainTemplate{PlainTemplateId, "Plain", 0, 0, 100, 60, "MS Sans Serif", 8,
                                        WindowStyle::Popup | WindowStyle::Caption | WindowStyle::SysMenu,
                                        PlainControls};

constexpr int DefaultTemplateId = 9003;
constexpr TDialogControl DefaultControls[] = {
    {TControlKind::Edit, EditId, "", 10, 10, 100, 13, Shown | Tab | WindowStyle::Border},
    {TControlKind::PushButton, IdCancel, "Cancel", 10, 30, 50, 14, Shown | Tab | ControlStyle::DefaultButton},
};
constexpr TDialogTemplate DefaultTemplate{DefaultTemplateId, "Default", 0, 0, 100, 60, "MS Sans Serif", 8,
                                          WindowStyle::Popup | WindowStyle::Caption | WindowStyle::SysMenu,
                                          DefaultControls};

// Four radio buttons with tab stops as the line-spacing dialog has them, with a check box
// without a tab stop and a static text among them, then a second group opened by
// WindowStyle::Group and a hidden control with a tab stop.
constexpr int SpacingTemplateId = 9004;
constexpr int OkId = IdOk, Tight = 101, Normal = 102, Loose = 103, VeryLoose = 104;
constexpr int Second1 = 111, Second2 = 112, NoStopId = 120, HiddenId = 121, LabelId = 130;
constexpr TDialogControl SpacingControls[] = {
    {TControlKind::PushButton, OkId, "OK", 144, 100, 50, 14, Shown | Tab},
    {TControlKind::RadioButton, Tight, "Tight", 52, 17, 44, 13, Shown | Tab | ControlStyle::AutoRadioButton},
    {TControlKind::RadioButton, Normal, "Normal", 52, 31, 44, 13, Shown | Tab | ControlStyle::AutoRadioButton},
    {TControlKind::CheckBox, NoStopId, "No stop", 120, 45, 60, 13, Shown | ControlStyle::AutoCheckBox},
    {TControlKind::Static, LabelId, "Two\nlines", 4, 4, 40, 20, Shown},
    {TControlKind::RadioButton, Loose, "Loose", 52, 45, 44, 13, Shown | Tab | ControlStyle::AutoRadioButton},
    {TControlKind::RadioButton, VeryLoose, "Very Loose", 52, 59, 52, 13, Shown | Tab | ControlStyle::AutoRadioButton},
    {TControlKind::RadioButton, Second1, "One", 120, 17, 44, 13,
     Shown | Tab | WindowStyle::Group | ControlStyle::AutoRadioButton},
    {TControlKind::RadioButton, Second2, "Two", 120, 31, 44, 13, Shown | Tab | ControlStyle::AutoRadioButton},
    {TControlKind::PushButton, HiddenId, "Hidden", 120, 60, 50, 14, WindowStyle::Child | Tab},
};
constexpr TDialogTemplate SpacingTemplate{SpacingTemplateId, "Set Line Spacing", 0, 0, 202, 120, "MS Sans Serif", 8,
                                          WindowStyle::Popup | WindowStyle::Caption | WindowStyle::SysMenu |
                                              DialogStyle::ModalFrame | DialogStyle::ContextHelp,
                                          SpacingControls};

class TSpacingDialog : public TDialog {
public:
  TSpacingDialog() : TDialog(nullptr, SpacingTemplateId), Label(new TStatic(this, LabelId)) {
    for (const int id : {Tight, Normal, Loose, VeryLoose, Second1, Second2}) Radios.push_back(new TRadioButton(this, id));
  }
  TRadioButton* Radio(int id) const {
    for (TRadioButton* radio : Radios) {
      if (radio->GetId() == id) return radio;
    }
    return nullptr;
  }
  // Which radio buttons are checked, object by object: "Tight, Loose".
  std::string Checked() const {
    std::string names;
    const char* const labels[] = {"Tight", "Normal", "Loose", "Very Loose", "One", "Two"};
    for (std::size_t i = 0; i < Radios.size(); ++i) {
      if (Radios[i]->GetCheck() == CheckState::Checked) names += std::string(names.empty() ? "" : ", ") + labels[i];
    }
    return names;
  }
  std::vector<TRadioButton*> Radios;
  TStatic* Label;
};

// What the screen shows checked, in template order, as a person would read it.
std::string CheckedOnScreen() {
  std::string names;
  QWidget* dialog = QApplication::activeModalWidget();
  if (dialog == nullptr) return "no dialog";
  for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
    if (radio->isChecked()) names += std::string(names.empty() ? "" : ", ") + radio->text().toStdString();
  }
  return names;
}

// A key as the window system delivers it to the focused control.
void SendKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* dialog = QApplication::activeModalWidget();
  ASSERT_NE(dialog, nullptr);
  QWidget* target = dialog->focusWidget();
  ASSERT_NE(target, nullptr);
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
}

class TTestDialog : public TDialog {
public:
  explicit TTestDialog(int templateId = TestTemplateId)
      : TDialog(nullptr, templateId),
        Edit(new TEdit(this, EditId, 6)),
        List(new TListBox(this, ListId)),
        Check(new TCheckBox(this, CheckId)),
        A(new TRadioButton(this, RadioA)),
        B(new TRadioButton(this, RadioB)) {}

  void SetupWindow() override {
    TDialog::SetupWindow();
    List->AddString("zero");
    List->AddString("one");
  }
  void CmDo() {
    Heard.push_back("do");
    if (EndDuringCommand) {
      // Ended, then still busy: the dialog closes only once this returns.
      EndDialog(42);
      platform::testing::ProcessEventsFor(30);
      StillShownAfterEnd = IsExecuting();
    }
  }
  void CmDoubleClick() { Heard.push_back("double-click " + std::to_string(List->GetSelIndex())); }

  static const TEventTable Events;
  const TEventTable& GetEventTable() const override { return Events; }

  TEdit* Edit;
  TListBox* List;
  TCheckBox* Check;
  TRadioButton* A;
  TRadioButton* B;
  std::vector<std::string> Heard;
  bool EndDuringCommand = false;
  bool StillShownAfterEnd = false;
};

constexpr TEventEntry TestDialogEntries[] = {
    OnCommand<&TTestDialog::CmDo>(DoId),
    OnNotify<&TTestDialog::CmDoubleClick>(ListId, TNotifyCode::ListDoubleClick),
};
const TEventTable TTestDialog::Events{TestDialogEntries, &TDialog::Events};

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    DefaultModule().Add(TestTemplate);
    DefaultModule().Add(PlainTemplate);
    DefaultModule().Add(DefaultTemplate);
    DefaultModule().Add(SpacingTemplate);
  }
};

TEST(DialogUnits, AverageWidthIsTheAlphabetOverFiftyTwoRoundedAndUnitsRoundToNearest) {
  struct Row {
    int AlphabetWidth, Height;
    int AverageWidth;
    int X, XPixels, Y, YPixels;
  };
  const Row rows[] = {
      {312, 13, 6, 10, 15, 13, 21},   // 312 / 52 = 6: 10 units are 15 pixels, 13 units 21.125
      {337, 13, 6, 1, 2, 4, 7},       // 6.48 rounds down; 1.5 and 6.5 pixels round up
      {338, 13, 7, 4, 7, 8, 13},      // 6.5 rounds up to 7
      {390, 16, 8, 202, 404, 120, 240},
      {0, 0, 1, 4, 1, 8, 1},          // a font that measures nothing still gives a unit
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("alphabet " + std::to_string(row.AlphabetWidth) + ", height " + std::to_string(row.Height));
    const TDialogUnits units = TDialogUnits::FromMetrics(row.AlphabetWidth, row.Height);
    EXPECT_EQ(units.AverageWidth, row.AverageWidth);
    EXPECT_EQ(units.X(row.X), row.XPixels);
    EXPECT_EQ(units.Y(row.Y), row.YPixels);
  }
}

TEST_F(DialogTest, ControlsArePlacedInPixelsOfTheTemplateFont) {
  // Eight points at 96 dots per inch are 11 pixels.
  const QFont font = DialogFont("MS Sans Serif", 8);
  EXPECT_EQ(font.pixelSize(), 11);
  const TDialogUnits units = TDialogUnits::ForFont(font);
  EXPECT_GT(units.AverageWidth, 3);
  EXPECT_GT(units.Height, 8);
  TRect expected{units.X(52), units.Y(31), units.X(52) + units.X(44), units.Y(31) + units.Y(13)};
  TRect shown;
  OnNextModal([&](TModal& modal) {
    shown = modal.ControlRect(Normal);
    modal.PressKey(TKey::Escape);
  });
  TSpacingDialog dialog;
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_EQ(shown.Left, expected.Left);
  EXPECT_EQ(shown.Top, expected.Top);
  EXPECT_EQ(shown.Right, expected.Right);
  EXPECT_EQ(shown.Bottom, expected.Bottom);
}

TEST_F(DialogTest, EscapeAndTheCloseBoxCancelEnterFollowsTheButtonsOrSendsOk) {
  struct Row {
    const char* Name;
    int Template;
    void (*Act)(TModal&);
    int Result;
  };
  const Row rows[] = {
      {"Escape", TestTemplateId, [](TModal& m) { m.PressKey(TKey::Escape); }, IdCancel},
      {"close box", TestTemplateId, [](TModal& m) { m.CloseBox(); }, IdCancel},
      // The focus in the edit and no default button: Enter sends OK.
      {"Enter, no default button", TestTemplateId, [](TModal& m) { m.PressKey(TKey::Enter); }, IdOk},
      // The focus in the edit: Enter clicks the default button, here Cancel.
      {"Enter, a default button", DefaultTemplateId, [](TModal& m) { m.PressKey(TKey::Enter); }, IdCancel},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    OnNextModal([&](TModal& modal) {
      EXPECT_EQ(modal.FocusedControlId(), EditId);
      row.Act(modal);
    });
    TTestDialog dialog(row.Template);
    EXPECT_EQ(dialog.Execute(), row.Result);
    EXPECT_FALSE(dialog.IsExecuting());
  }
}

TEST_F(DialogTest, EnterClicksTheFocusedPushButton) {
  TTestDialog dialog;
  OnNextModal([&](TModal& modal) {
    EXPECT_EQ(modal.FocusedControlId(), EditId);  // the first control with a tab stop
    modal.PressKey(TKey::Tab);
    EXPECT_EQ(modal.FocusedControlId(), DoId);    // template order
    modal.PressKey(TKey::Enter);
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_EQ(dialog.Heard, std::vector<std::string>{"do"});
}

TEST_F(DialogTest, ControlObjectsKeepWhatTheUserDoes) {
  TTestDialog dialog;
  OnNextModal([&](TModal& modal) {
    modal.TypeText(EditId, "abcdefgh");  // limit 6: five characters
    modal.Click(CheckId);
    modal.Click(RadioA);
    modal.Click(RadioB);
    modal.SelectListEntry(ListId, 1);
    modal.DoubleClickListEntry(ListId, 0);
    EXPECT_EQ(modal.ControlRect(EditId).Width() > 0, true);
    modal.PressKey(TKey::Escape);
  });
  dialog.Execute();
  EXPECT_EQ(dialog.Edit->Text(), "abcde");
  char buffer[4];
  EXPECT_EQ(dialog.Edit->GetText(buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(dialog.Check->GetCheck(), CheckState::Checked);
  // One group: checking B cleared A.
  EXPECT_EQ(dialog.A->GetCheck(), CheckState::Unchecked);
  EXPECT_EQ(dialog.B->GetCheck(), CheckState::Checked);
  EXPECT_EQ(dialog.Heard, std::vector<std::string>{"double-click 0"});
  EXPECT_EQ(dialog.List->GetSelIndex(), 0);
  char entry[8];
  EXPECT_EQ(dialog.List->GetSelString(entry, 3), 3);
  EXPECT_STREQ(entry, "zer");
}

TEST_F(DialogTest, ADialogEndedDuringACommandClosesWhenTheCommandReturns) {
  TTestDialog dialog;
  dialog.EndDuringCommand = true;
  OnNextModal([&](TModal& modal) { modal.Click(DoId); });
  EXPECT_EQ(dialog.Execute(), 42);
  EXPECT_TRUE(dialog.StillShownAfterEnd);
  EXPECT_FALSE(dialog.IsExecuting());
}

TEST_F(DialogTest, NestedModalsRunTheirOwnScripts) {
  TTestDialog outer;
  std::string innerCaption;
  OnNextModal([&](TModal& modal) {
    OnNextModal([&](TModal& inner) {
      innerCaption = inner.Caption();
      inner.PressKey(TKey::Escape);
    });
    TDialog inner(modal.Dialog(), PlainTemplateId);
    EXPECT_EQ(inner.Execute(), IdCancel);
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(outer.Execute(), IdCancel);
  EXPECT_EQ(innerCaption, "Plain");
}

TEST_F(DialogTest, TabFollowsTemplateOrderAmongVisibleTabStopsAndWrapsBothWays) {
  std::vector<int> forward, backward;
  OnNextModal([&](TModal& modal) {
    forward.push_back(modal.FocusedControlId());
    for (int i = 0; i < 7; ++i) {
      modal.PressKey(TKey::Tab);
      forward.push_back(modal.FocusedControlId());
    }
    for (int i = 0; i < 2; ++i) {
      SendKey(Qt::Key_Backtab, Qt::ShiftModifier);
      backward.push_back(modal.FocusedControlId());
    }
    modal.PressKey(TKey::Escape);
  });
  TSpacingDialog dialog;
  EXPECT_EQ(dialog.Execute(), IdCancel);
  // Every radio button has its own stop; the static, the box without a stop and the
  // hidden button are passed over.
  EXPECT_EQ(forward, (std::vector<int>{OkId, Tight, Normal, Loose, VeryLoose, Second1, Second2, OkId}));
  EXPECT_EQ(backward, (std::vector<int>{Second2, Second1}));
}

TEST_F(DialogTest, AnEditsLimitCountsBytesAndNeverHalvesACharacter) {
  // The test dialog's edit takes 5 bytes: "é" is two.
  TTestDialog dialog;
  std::vector<std::string> seen;
  OnNextModal([&](TModal& modal) {
    modal.TypeText(EditId, "\xC3\xA9\xC3\xA9\xC3\xA9");
    seen.push_back(dialog.Edit->Text());
    modal.TypeText(EditId, "ab");
    seen.push_back(dialog.Edit->Text());
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_EQ(seen, (std::vector<std::string>{"\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9" "a"}));
  char buffer[8];
  EXPECT_EQ(dialog.Edit->GetText(buffer, sizeof buffer), 5);
}

TEST_F(DialogTest, TabFromAControlWithoutAStopGoesOnInTemplateOrder) {
  std::vector<int> seen;
  OnNextModal([&](TModal& modal) {
    modal.Click(NoStopId);  // a click gives it the focus, though Tab never stops there
    seen.push_back(modal.FocusedControlId());
    modal.PressKey(TKey::Tab);
    seen.push_back(modal.FocusedControlId());
    modal.Click(NoStopId);
    SendKey(Qt::Key_Backtab, Qt::ShiftModifier);
    seen.push_back(modal.FocusedControlId());
    modal.PressKey(TKey::Escape);
  });
  TSpacingDialog dialog;
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_EQ(seen, (std::vector<int>{NoStopId, Loose, Normal}));
}

TEST_F(DialogTest, ADialogEndedInItsSetUpReturnsItsResultWithoutShowing) {
  class TEndsInSetUp : public TTestDialog {
  public:
    void SetupWindow() override {
      TTestDialog::SetupWindow();
      EndDialog(7);
    }
  };
  TEndsInSetUp dialog;
  // No script is queued: a dialog that showed would run into its deadline.
  EXPECT_EQ(dialog.Execute(), 7);
  EXPECT_FALSE(dialog.IsExecuting());
  EXPECT_FALSE(dialog.IsCreated());
  // Nothing the dialog queued fires later, after its locals are gone.
  platform::testing::ProcessEventsFor(20);
}

TEST_F(DialogTest, AModalDialogIsOwnedByItsParentButIsNotOneOfItsChildren) {
  class TRefusingDialog : public TTestDialog {
  public:
    explicit TRefusingDialog(TWindow* owner) { SetOwner(owner); }
    bool CanClose() override {
      ++Asked;
      return false;
    }
    int Asked = 0;
  };
  auto parent = std::make_unique<TWindow>(nullptr, "Owner");
  ASSERT_TRUE(parent->Create());
  TRefusingDialog dialog(parent.get());
  EXPECT_EQ(dialog.GetParent(), parent.get());
  EXPECT_TRUE(parent->GetChildren().empty());
  bool ownerCouldClose = false;
  OnNextModal([&](TModal& modal) {
    EXPECT_EQ(modal.Owner(), parent.get());
    ownerCouldClose = parent->CanClose();
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_TRUE(ownerCouldClose);
  EXPECT_EQ(dialog.Asked, 0);
  // The owner goes first; deleting it leaves the dialog object alone.
  parent.reset();
  EXPECT_EQ(dialog.Asked, 0);
}

TEST_F(DialogTest, AListBoxShowsOnlyTheScrollBarsOfItsStyles) {
  TTestDialog dialog;
  std::vector<std::pair<bool, bool>> seen;
  OnNextModal([&](TModal& modal) {
    auto* list = QApplication::activeModalWidget()->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    const auto bars = [list] {
      platform::testing::ProcessEventsFor(10);
      return std::pair{list->verticalScrollBar()->isVisible(), list->horizontalScrollBar()->isVisible()};
    };
    seen.push_back(bars());  // two short entries
    for (int i = 0; i < 40; ++i) dialog.List->AddString(std::string(200, 'w'));
    seen.push_back(bars());  // longer and wider than the box
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  // WS_VSCROLL: a vertical bar only while the entries overflow; never a horizontal one.
  EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{{false, false}, {true, false}}));
}

TEST_F(DialogTest, TheSearchListOfLongSplitFindsShowsNoHorizontalBar) {
  AddSearchResources(DefaultModule());
  TDialog dialog(nullptr, IDD_SEARCH);
  auto* list = new TListBox(&dialog, IDC_FIND_LIST);
  bool horizontal = true;
  OnNextModal([&](TModal& modal) {
    // Entries as "way of sinners" lists them on the Psalms: wider than the box.
    for (int i = 0; i < 5; ++i) {
      list->AddString("             1 Blessed is the man that walketh not in the counsel of the ungodly, nor "
                      "standeth in the way of sinners, nor sitteth in the seat of the scornful.");
    }
    platform::testing::ProcessEventsFor(10);
    horizontal = QApplication::activeModalWidget()->findChild<QListWidget*>()->horizontalScrollBar()->isVisible();
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_FALSE(horizontal);
}

TEST_F(DialogTest, RadioButtonsClearOnlyTheirOwnGroupAndSetCheckTouchesOneButton) {
  TSpacingDialog dialog;
  dialog.Radio(Normal)->SetCheck(CheckState::Checked);
  dialog.Radio(Second2)->SetCheck(CheckState::Checked);
  std::vector<std::string> seen;
  OnNextModal([&](TModal& modal) {
    seen.push_back(CheckedOnScreen());
    modal.Click(Loose);      // clears Normal, leaves the second group
    seen.push_back(dialog.Checked() + " / " + CheckedOnScreen());
    modal.Click(Loose);      // a checked automatic button stays checked
    seen.push_back(dialog.Checked() + " / " + CheckedOnScreen());
    modal.Click(Second1);
    seen.push_back(dialog.Checked() + " / " + CheckedOnScreen());
    // Setting a check from the program changes that button only, and can clear it.
    dialog.Radio(Loose)->SetCheck(CheckState::Unchecked);
    dialog.Radio(Tight)->SetCheck(CheckState::Checked);
    dialog.Radio(VeryLoose)->SetCheck(CheckState::Checked);
    seen.push_back(dialog.Checked() + " / " + CheckedOnScreen());
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "Normal, Two",
                      "Loose, Two / Loose, Two",
                      "Loose, Two / Loose, Two",
                      "Loose, One / Loose, One",
                      "Tight, Very Loose, One / Tight, Very Loose, One",
                  }));
  // The objects keep their state once the dialog is gone.
  EXPECT_EQ(dialog.Checked(), "Tight, Very Loose, One");
}

TEST_F(DialogTest, ArrowKeysMoveAndCheckWithinTheFocusedRadioGroup) {
  TSpacingDialog dialog;
  dialog.Radio(Tight)->SetCheck(CheckState::Checked);
  std::vector<std::string> seen;
  OnNextModal([&](TModal& modal) {
    modal.PressKey(TKey::Tab);  // OK to Tight
    SendKey(Qt::Key_Down);
    seen.push_back(std::to_string(modal.FocusedControlId()) + " " + dialog.Checked());
    SendKey(Qt::Key_Up);
    SendKey(Qt::Key_Up);        // round to the group's last button, not into the next group
    seen.push_back(std::to_string(modal.FocusedControlId()) + " " + dialog.Checked());
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_EQ(seen, (std::vector<std::string>{"102 Normal", "104 Very Loose"}));
}

TEST_F(DialogTest, AStaticShowsItsTemplateTextUntilTheProgramSetsOne) {
  TSpacingDialog dialog;
  std::string before, after;
  OnNextModal([&](TModal& modal) {
    before = dialog.Label->Text();
    dialog.Label->SetText("Set");
    after = dialog.Label->Text();
    modal.PressKey(TKey::Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_EQ(before, "Two\nlines");
  EXPECT_EQ(after, "Set");
}

TEST_F(DialogTest, EnterOnAFocusedRadioButtonSendsOk) {
  // The OK button of this template is not a default button: Enter from a radio button
  // sends command 1 all the same, which ends the dialog through the base's CmOk.
  TSpacingDialog dialog;
  OnNextModal([&](TModal& modal) {
    modal.PressKey(TKey::Tab);
    EXPECT_EQ(modal.FocusedControlId(), Tight);
    modal.PressKey(TKey::Enter);
  });
  EXPECT_EQ(dialog.Execute(), IdOk);
}

}  // namespace
