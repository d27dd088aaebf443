// Dialogs from templates: their keys, tab order, controls bound by id, notifications,
// and a dialog ended while one of its commands is still running.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/Resources.h"
#include "platform/testing/Driver.h"
#include "platform/testing/Schedule.h"

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
    {TControlKind::ListBox, ListId, nullptr, 10, 50, 100, 60, Shown | Tab},
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
  }
  void TearDown() override {
    EXPECT_EQ(platform::testing::PendingModalScripts(), 0);
    EXPECT_FALSE(platform::testing::ModalDeadlineMissed());
    platform::testing::ResetModalDeadlineMissed();
    EXPECT_EQ(platform::testing::TopLevelWindowCount(), 0);
  }
};

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

}  // namespace
