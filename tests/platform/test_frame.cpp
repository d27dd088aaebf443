// Frame windows: the menu bar, accelerators and the system's close key, the style of a
// fixed-size main window, icons, show commands, and every way the run ends.

#include <gtest/gtest.h>

#include <csignal>

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/FrameWindow.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"

using namespace platform;
namespace driver = platform::testing;

namespace {

constexpr int TestMenuId = 9101;
constexpr int TestAcceleratorsId = 9102;
constexpr int TestIconId = 9103;
constexpr int CmClientOnly = 601;
constexpr int CmFrameOnly = 602;
constexpr int CmNobody = 603;
constexpr int CmByKey = 604;
constexpr int ExitButtonId = CmExit;

constexpr TMenuItem FileItems[] = {
    {"&Client\tCtrl+F", CmClientOnly},
    {nullptr, 0},
    {"E&xit\tAlt+F4", CmExit},
};
constexpr TMenuItem OtherItems[] = {
    {"&Frame", CmFrameOnly},
    {"&Nobody", CmNobody},
};
constexpr TMenuPopup Popups[] = {{"&File", FileItems}, {"&Other", OtherItems}};
constexpr TMenuResource TestMenu{TestMenuId, Popups};
constexpr TAccelerator Keys[] = {{TKey::F, KeyModifier::Control, CmByKey}};
constexpr TAcceleratorTable TestAccelerators{TestAcceleratorsId, Keys};

// Left half red, right half blue, top row green.
const TIconResource TestIcon{
    TestIconId,
    {ColorBlack, ColorRed, ColorBlue, TColor{0, 255, 0}, ColorBlack, ColorBlack, ColorBlack, ColorBlack,
     ColorBlack, ColorBlack, ColorBlack, ColorBlack, ColorBlack, ColorBlack, ColorBlack, ColorBlack},
    {"33333333333333333333333333333333", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222",
     "11111111111111112222222222222222", "11111111111111112222222222222222"}};

void AddTestResources() {
  static const bool added = [] {
    DefaultModule().Add(TestMenu);
    DefaultModule().Add(TestAccelerators);
    DefaultModule().Add(TestIcon);
    return true;
  }();
  (void)added;
}

// The client: takes one command of its own and notes its sizes.
class TClient : public TWindow {
public:
  TClient() : TWindow(nullptr) {}
  void CmClient() { Heard.push_back("client"); }
  void CmKey() { Heard.push_back("key"); }
  void EvSize(unsigned, const TSize& size) { Sizes.push_back(size); }
  static const TEventTable Events;
  const TEventTable& GetEventTable() const override { return Events; }
  std::vector<std::string> Heard;
  std::vector<TSize> Sizes;
};
constexpr TEventEntry ClientEntries[] = {
    OnCommand<&TClient::CmClient>(CmClientOnly),
    OnCommand<&TClient::CmKey>(CmByKey),
    OnSize<&TClient::EvSize>(),
};
const TEventTable TClient::Events{ClientEntries, &TWindow::Events};

// The main window as the program makes it: a fixed frame with a title bar, close box
// and minimise button, the test menu and accelerators.
class TFrame : public TFrameWindow {
public:
  TFrame(TClient* client, std::vector<std::string>& heard) : TFrameWindow(nullptr, "Frame test", client), Heard(heard) {
    Attr.Style = WindowStyle::Overlapped | WindowStyle::Caption | WindowStyle::SysMenu | WindowStyle::MinimizeBox;
    AssignMenu(TestMenuId);
    SetAcceleratorTable(TestAcceleratorsId);
    SetIcon(TestIconId);
  }
  void CmFrame() { Heard.push_back("frame"); }
  bool CanClose() override {
    Heard.push_back("frame CanClose");
    return TFrameWindow::CanClose();
  }
  static const TEventTable Events;
  const TEventTable& GetEventTable() const override { return Events; }
  std::vector<std::string>& Heard;
};
constexpr TEventEntry FrameEntries[] = {OnCommand<&TFrame::CmFrame>(CmFrameOnly)};
const TEventTable TFrame::Events{FrameEntries, &TFrameWindow::Events};

class TApp : public TApplication {
public:
  TApp() : TApplication("frame test") {}
  void InitMainWindow() override {
    Client = new TClient();
    new TButton(Client, ExitButtonId, "Exit", 10, 10, 80, 25);
    SetMainWindow(new TFrame(Client, Heard));
  }
  bool CanClose() override {
    Heard.push_back("application CanClose");
    if (RefuseCloses > 0) {
      --RefuseCloses;
      return false;
    }
    return TApplication::CanClose();
  }
  void HandleCommand(int id) override {
    Heard.push_back("application " + std::to_string(id));
    TApplication::HandleCommand(id);
  }
  std::vector<std::string> Heard;
  TClient* Client = nullptr;
  int RefuseCloses = 0;
};

class FrameTest : public ::testing::Test {
protected:
  void SetUp() override { AddTestResources(); }
};

QMainWindow* QtFrameOf(const char* title) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<QMainWindow*>(widget); main && main->windowTitle() == title) return main;
  }
  return nullptr;
}

TEST_F(FrameTest, TheMenuBarShowsTheItemsWithTheirKeyLabelsButNoKeysOfTheirOwn) {
  std::vector<std::string> heard;
  TFrame frame(new TClient(), heard);
  ASSERT_TRUE(frame.Create());
  const std::vector<std::string> expected = {"&File", "&Client\tCtrl+F", "", "E&xit\tAlt+F4",
                                             "&Other", "&Frame", "&Nobody"};
  EXPECT_EQ(driver::MenuTexts(frame), expected);
  // The key labels are display only: the keys are the accelerator table's.
  QMainWindow* main = QtFrameOf("Frame test");
  ASSERT_NE(main, nullptr);
  for (QAction* popup : main->menuBar()->actions()) {
    for (QAction* item : popup->menu()->actions()) {
      SCOPED_TRACE(item->text().toStdString());
      EXPECT_TRUE(item->shortcut().isEmpty());
    }
  }
  frame.Destroy();
}

TEST_F(FrameTest, TheMainWindowHasATitleBarCloseBoxMinimiseButtonAndAFixedSize) {
  std::vector<std::string> heard;
  TFrame frame(new TClient(), heard);
  ASSERT_TRUE(frame.Create());
  frame.Show(TShowCommand::ShowNormal);
  driver::ProcessEventsFor(10);
  const driver::TWindowDecoration decoration = driver::Decoration(frame);
  EXPECT_TRUE(decoration.HasMinimizeButton);
  EXPECT_FALSE(decoration.HasMaximizeButton);
  EXPECT_TRUE(decoration.HasCloseButton);
  EXPECT_TRUE(decoration.FixedSize);
  EXPECT_FALSE(decoration.Minimized);
  // The default size of a new top-level window: three quarters of the available screen.
  const QRect available = QApplication::primaryScreen()->availableGeometry();
  QMainWindow* main = QtFrameOf("Frame test");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->size(), QSize(available.width() * 3 / 4, available.height() * 3 / 4));
  // The client fills the frame below its menu bar.
  const TRect client = frame.GetClientWindow()->GetClientRect();
  EXPECT_EQ(client.Width(), main->width());
  EXPECT_EQ(client.Height(), main->height() - main->menuBar()->height());
  frame.Destroy();
}

TEST_F(FrameTest, TheIconIsThePictureOfItsResource) {
  std::vector<std::string> heard;
  TFrame frame(new TClient(), heard);
  ASSERT_TRUE(frame.Create());
  QMainWindow* main = QtFrameOf("Frame test");
  ASSERT_NE(main, nullptr);
  const QImage picture = main->windowIcon().pixmap(32, 32).toImage();
  ASSERT_EQ(picture.size(), QSize(32, 32));
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(0, 255, 0));
  EXPECT_EQ(picture.pixelColor(31, 0), QColor(0, 255, 0));
  EXPECT_EQ(picture.pixelColor(0, 5), QColor(255, 0, 0));
  EXPECT_EQ(picture.pixelColor(15, 31), QColor(255, 0, 0));
  EXPECT_EQ(picture.pixelColor(16, 31), QColor(0, 0, 255));
  frame.Destroy();
}

TEST_F(FrameTest, ShowCommandsHideMinimiseAndRestore) {
  std::vector<std::string> heard;
  TFrame frame(new TClient(), heard);
  ASSERT_TRUE(frame.Create());
  EXPECT_FALSE(frame.IsVisible());  // made hidden until shown
  frame.Show(TShowCommand::Hide);
  driver::ProcessEventsFor(5);
  EXPECT_FALSE(frame.IsVisible());
  frame.Show(TShowCommand::ShowMinNoActive);
  driver::ProcessEventsFor(5);
  EXPECT_TRUE(frame.IsVisible());
  EXPECT_TRUE(driver::Decoration(frame).Minimized);
  frame.Show(TShowCommand::ShowNormal);
  driver::ProcessEventsFor(5);
  EXPECT_TRUE(frame.IsVisible());
  EXPECT_FALSE(driver::Decoration(frame).Minimized);
  frame.Destroy();
}

TEST_F(FrameTest, ResizingTheClientTellsItItsNewSize) {
  std::vector<std::string> heard;
  auto* client = new TClient();
  TFrame frame(client, heard);
  ASSERT_TRUE(frame.Create());
  frame.Show(TShowCommand::ShowNormal);
  driver::ProcessEventsFor(10);
  driver::ResizeClient(*client, 400, 300);
  EXPECT_EQ(client->GetClientRect().Width(), 400);
  EXPECT_EQ(client->GetClientRect().Height(), 300);
  ASSERT_FALSE(client->Sizes.empty());
  EXPECT_EQ(client->Sizes.back(), (TSize{400, 300}));
  EXPECT_TRUE(driver::Decoration(frame).FixedSize);  // still not sizable by the user
  frame.Destroy();
}

// Runs the application, does `action` from inside its loop once the main window is up,
// and returns Run's code; the main window's widget is gone afterwards.
int RunWith(TApp& app, const std::function<void(TApp&)>& action) {
  driver::RunAfter(20, [&app, action] { action(app); });
  // A run that does not end is a failure, not a hang.
  driver::RunAfter(3000, [&app] {
    ADD_FAILURE() << "the run did not end";
    app.PostQuit(-99);
  });
  return app.Run();
}

TEST_F(FrameTest, EveryWayOfClosingAsksTheApplicationThenTheFrameAndEndsTheRunWithZero) {
  struct Row {
    const char* Name;
    std::function<void(TApp&)> Close;
    std::vector<std::string> Before;  // what the application and frame heard before the close
  };
  const std::vector<Row> rows = {
      {"close box", [](TApp& app) { driver::CloseBox(*app.GetMainWindow()); }, {}},
      {"Alt+F4", [](TApp& app) { driver::PressKey(*app.GetMainWindow(), TKey::F4, KeyModifier::Alt); }, {}},
      {"exit menu item", [](TApp& app) { driver::ChooseMenuItem(*app.GetMainWindow(), CmExit); },
       {"application 24310"}},
      {"exit button",
       [](TApp& app) { driver::ClickButton(*app.Client->ChildWithId(ExitButtonId)); },
       {"application 24310"}},
      {"client destroyed", [](TApp& app) { app.Client->Destroy(); }, {}},
      {"SIGTERM", [](TApp&) { std::raise(SIGTERM); }, {}},
      {"SIGINT", [](TApp&) { std::raise(SIGINT); }, {}},
      {"SIGHUP", [](TApp&) { std::raise(SIGHUP); }, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    TApp app;
    EXPECT_EQ(RunWith(app, row.Close), 0);
    std::vector<std::string> expected = row.Before;
    expected.push_back("application CanClose");
    expected.push_back("frame CanClose");
    EXPECT_EQ(app.Heard, expected);
    EXPECT_FALSE(app.GetMainWindow()->IsCreated());
    EXPECT_EQ(driver::TopLevelWindowCount(), 0);
  }
}

TEST_F(FrameTest, ASignalInheritedAsIgnoredStaysIgnored) {
  // As under nohup: the terminal's hang-up must not end the run.
  struct sigaction ignore {}, previous {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGHUP, &ignore, &previous);
  TApp app;
  bool stillRunning = false;
  const int code = RunWith(app, [&stillRunning](TApp& running) {
    std::raise(SIGHUP);
    driver::RunAfter(100, [&running, &stillRunning] {
      stillRunning = running.GetMainWindow()->IsCreated();
      EXPECT_TRUE(running.Heard.empty());
      std::raise(SIGTERM);  // not ignored: ends the run as the close box does
    });
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(stillRunning);
  EXPECT_EQ(app.Heard, (std::vector<std::string>{"application CanClose", "frame CanClose"}));
  struct sigaction now {};
  sigaction(SIGHUP, &previous, &now);
  EXPECT_EQ(now.sa_handler, SIG_IGN);  // the run left it as it found it
}

TEST_F(FrameTest, ARefusedCloseKeepsTheWindowAndTheRunGoesOn) {
  TApp app;
  app.RefuseCloses = 1;
  const int code = RunWith(app, [](TApp& running) {
    driver::CloseBox(*running.GetMainWindow());
    EXPECT_TRUE(running.GetMainWindow()->IsCreated());
    EXPECT_TRUE(running.GetMainWindow()->IsVisible());
    driver::RunAfter(10, [&running] { driver::CloseBox(*running.GetMainWindow()); });
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(app.Heard, (std::vector<std::string>{"application CanClose", "application CanClose", "frame CanClose"}));
}

TEST_F(FrameTest, MenuItemsAndKeysGoToTheClientThenTheFrameThenTheApplication) {
  TApp app;
  const int code = RunWith(app, [](TApp& running) {
    TWindow& frame = *running.GetMainWindow();
    driver::ChooseMenuItem(frame, CmClientOnly);
    driver::ChooseMenuItem(frame, CmFrameOnly);
    driver::ChooseMenuItem(frame, CmNobody);
    driver::PressKey(frame, TKey::F, KeyModifier::Control);
    EXPECT_EQ(running.Client->Heard, (std::vector<std::string>{"client", "key"}));
    running.PostQuit(5);
  });
  EXPECT_EQ(code, 5);
  EXPECT_EQ(app.Heard, (std::vector<std::string>{"frame", "application 603"}));
}

TEST_F(FrameTest, MenuItemsReachTheClientWhenTheMenuBarOrTheFrameHoldsTheFocus) {
  // After a menu opened by Alt and its key, the menu bar keeps the focus; a command must
  // still go to the client first, not stop at the frame.
  TApp app;
  const int code = RunWith(app, [](TApp& running) {
    TWindow& frame = *running.GetMainWindow();
    QMainWindow* main = QtFrameOf("Frame test");
    ASSERT_NE(main, nullptr);
    main->activateWindow();
    for (QWidget* holder : {static_cast<QWidget*>(main->menuBar()), static_cast<QWidget*>(main)}) {
      holder->setFocusPolicy(Qt::StrongFocus);
      holder->setFocus();
      driver::ChooseMenuItem(frame, CmClientOnly);
      driver::PressKey(frame, TKey::F, KeyModifier::Control);
    }
    EXPECT_EQ(running.Client->Heard, (std::vector<std::string>{"client", "key", "client", "key"}));
    running.PostQuit(0);
  });
  EXPECT_EQ(code, 0);
}

TEST_F(FrameTest, KeysOfTheFrameDoNothingWhileAMessageBoxIsOpen) {
  TApp app;
  const int code = RunWith(app, [](TApp& running) {
    driver::OnNextModal([&running](driver::TModal& box) {
      driver::PressKey(*running.GetMainWindow(), TKey::F, KeyModifier::Control);
      driver::PressKey(*running.GetMainWindow(), TKey::F4, KeyModifier::Alt);
      box.Click(IdOk);
    });
    EXPECT_EQ(MessageBox(running.GetMainWindow(), "Modal", "Box"), IdOk);
    EXPECT_TRUE(running.Client->Heard.empty());
    EXPECT_TRUE(running.GetMainWindow()->IsCreated());
    running.PostQuit(1);
  });
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(app.Heard.empty());
}

}  // namespace
