// The platform's windows: event tables, command routing, the scroll bar's rules,
// timers after the first paint, the surface, and the quit request.

#include <gtest/gtest.h>

#include <QMessageBox>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <QImage>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/DC.h"
#include "platform/Dialog.h"
#include "platform/FrameWindow.h"
#include "platform/MessageBox.h"
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/Schedule.h"

using namespace platform;
using platform::testing::RunAfter;

namespace {

// A window that notes what reaches it.
class TProbeWindow : public TWindow {
public:
  explicit TProbeWindow(TWindow* parent = nullptr) : TWindow(parent) {
    Attr.Style |= WindowStyle::VScroll;
  }
  void CmFirst() { Heard.push_back("first"); }
  void CmSecond() { Heard.push_back("second"); }
  void EvTimer(unsigned id) {
    Heard.push_back("timer " + std::to_string(id) + (Painted ? " after paint" : " before paint"));
    KillTimer(id);
  }
  void EvSize(unsigned, const TSize& size) { Sizes.push_back(size); }
  void EvVScroll(unsigned code, unsigned position, TScrollBarHandle) {
    Heard.push_back("scroll " + std::to_string(code) + " at " + std::to_string(position));
  }
  void Paint(TDC& dc, bool erase, const TRect&) override {
    Painted = true;
    ++PaintCount;
    Erased = erase;
    if (!DrawOnPaint.empty()) dc.TextOut(5, 5, DrawOnPaint);
  }
  void GetWindowClass(TWindowClass& windowClass) override {
    TWindow::GetWindowClass(windowClass);
    windowClass.BackgroundBrush = ColorLightGray;
  }

  static const TEventTable Events;
  const TEventTable& GetEventTable() const override { return Events; }

  std::vector<std::string> Heard;
  std::vector<TSize> Sizes;
  bool Painted = false;
  int PaintCount = 0;
  bool Erased = false;
  std::string DrawOnPaint;
};

constexpr TEventEntry ProbeEntries[] = {
    OnCommand<&TProbeWindow::CmFirst>(501),
    OnCommand<&TProbeWindow::CmSecond>(502),
    OnTimer<&TProbeWindow::EvTimer>(),
    OnSize<&TProbeWindow::EvSize>(),
    OnVScroll<&TProbeWindow::EvVScroll>(),
};
const TEventTable TProbeWindow::Events{ProbeEntries, &TWindow::Events};

// A frame that takes one command of its own.
class TProbeFrame : public TFrameWindow {
public:
  using TFrameWindow::TFrameWindow;
  void CmFrame() { ++FrameCommands; }
  static const TEventTable Events;
  const TEventTable& GetEventTable() const override { return Events; }
  int FrameCommands = 0;
};
constexpr TEventEntry FrameEntries[] = {OnCommand<&TProbeFrame::CmFrame>(503)};
const TEventTable TProbeFrame::Events{FrameEntries, &TFrameWindow::Events};

// Counts the paint events that the window system delivers to a window's widget.
class TScreenEvents : public QObject {
public:
  explicit TScreenEvents(const TWindow& window) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->isVisible() && widget->size() == QSize(window.GetClientRect().Width(), window.GetClientRect().Height())) {
        Widget = widget;
      }
    }
    if (Widget) Widget->installEventFilter(this);
  }
  ~TScreenEvents() override {
    if (Widget) Widget->removeEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
  int Paints = 0;

private:
  QPointer<QWidget> Widget;
};

// Handles events until `ready` holds, however slow the machine, two seconds at the most.
void WaitFor(const std::function<bool()>& ready) {
  for (int waited = 0; !ready() && waited < 2000; waited += 10) {
    platform::testing::ProcessEventsFor(10);
  }
}

class WindowTest : public ::testing::Test {
protected:
};

TEST(EventTable, FindsTheFirstEntryAndFallsBackToTheBase) {
  EXPECT_NE(TProbeWindow::Events.Find(TEventKind::Command, 501, 0), nullptr);
  EXPECT_EQ(TProbeWindow::Events.Find(TEventKind::Command, 504, 0), nullptr);
  EXPECT_NE(TProbeWindow::Events.Find(TEventKind::Timer, 0, 0), nullptr);
  // The dialog's own table answers OK and Cancel for every dialog class below it.
  EXPECT_NE(TDialog::Events.Find(TEventKind::Command, IdOk, 0), nullptr);
  EXPECT_NE(TDialog::Events.Find(TEventKind::Command, IdCancel, 0), nullptr);
  EXPECT_EQ(TDialog::Events.Find(TEventKind::Notify, IdOk, 0), nullptr);
}

TEST_F(WindowTest, CommandsGoToTheWindowThenItsParentsThenTheApplication) {
  auto* probe = new TProbeWindow(nullptr);
  TProbeFrame frame(nullptr, "routing", probe);
  auto* button = new TButton(probe, 503, "Frame", 10, 10, 60, 25);
  ASSERT_TRUE(frame.Create());
  probe->RouteCommand(502);
  EXPECT_EQ(probe->Heard, std::vector<std::string>{"second"});
  // A button's click reaches its parent, which passes what it lacks on to the frame.
  platform::testing::ClickButton(*button);
  EXPECT_EQ(frame.FrameCommands, 1);
  frame.RouteMenuCommand(501);
  EXPECT_EQ(probe->Heard.back(), "first");
}

TEST_F(WindowTest, TheScrollBarShowsThePositionsOnePageLeavesFree) {
  TProbeWindow window;
  window.Attr.W = 300;
  window.Attr.H = 200;
  ASSERT_TRUE(window.Create());
  window.Show(TShowCommand::ShowNormal);
  platform::testing::ProcessEventsFor(20);
  const int fullWidth = window.GetClientRect().Width();
  struct Row {
    int Max;
    unsigned Page;
    int Pos;
    bool Visible;
    int Largest;
    int Shown;
  };
  const Row rows[] = {
      {0, 0, 0, false, 0, 0},        // nothing to scroll
      {10, 30, 5, false, 0, 0},      // one page covers the range
      {1000, 30, 500, true, 971, 500},
      {1000, 30, 5000, true, 971, 971},  // positions past the largest are taken back
      {30, 30, 1, true, 1, 1},       // one position past the last full page
      {1000, 1, 1000, true, 1000, 1000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.Max) + "/" + std::to_string(row.Page));
    TScrollInfo info;
    info.Mask = ScrollInfoMask::All;
    info.Max = row.Max;
    info.Page = row.Page;
    info.Pos = row.Pos;
    EXPECT_EQ(window.SetScrollInfo(info, true), row.Shown);
    EXPECT_EQ(platform::testing::ScrollBarVisible(window), row.Visible);
    EXPECT_EQ(platform::testing::ScrollBarMaximumPosition(window), row.Largest);
    EXPECT_EQ(platform::testing::ScrollBarPosition(window), row.Shown);
    // The client area is what the bar leaves, and the window hears of its new size.
    EXPECT_EQ(window.GetClientRect().Width() < fullWidth, row.Visible);
    EXPECT_EQ(window.Sizes.back().Width, window.GetClientRect().Width());
  }
  window.Destroy();
}

TEST_F(WindowTest, ScrollActionsArriveAsCodesAndTheBarWaitsForTheWindow) {
  TProbeWindow window;
  window.Attr.W = 300;
  window.Attr.H = 200;
  ASSERT_TRUE(window.Create());
  window.Show(TShowCommand::ShowNormal);
  TScrollInfo info;
  info.Mask = ScrollInfoMask::All;
  info.Max = 100000;  // beyond 16 bits
  info.Page = 10;
  info.Pos = 50;
  window.SetScrollInfo(info, true);
  using platform::testing::TScrollAction;
  platform::testing::TriggerScroll(window, TScrollAction::LineDown);
  platform::testing::TriggerScroll(window, TScrollAction::PageUp);
  platform::testing::TriggerScroll(window, TScrollAction::ToBottom);
  platform::testing::DragThumb(window, 70000);
  const std::vector<std::string> expected = {
      "scroll 1 at 51", "scroll 8 at 51", "scroll 2 at 40", "scroll 8 at 40",
      "scroll 7 at " + std::to_string(99991 & 0xFFFF), "scroll 8 at " + std::to_string(99991 & 0xFFFF),
      "scroll 5 at " + std::to_string(70000 & 0xFFFF), "scroll 4 at " + std::to_string(70000 & 0xFFFF),
      "scroll 8 at " + std::to_string(70000 & 0xFFFF)};
  EXPECT_EQ(window.Heard, expected);
  // The window set nothing, so the bar stays where it was.
  EXPECT_EQ(platform::testing::ScrollBarPosition(window), 50);
  window.Destroy();
}

TEST_F(WindowTest, TheFirstPaintComesBeforeTheFirstTick) {
  TProbeWindow window;
  window.Attr.W = 200;
  window.Attr.H = 100;
  ASSERT_TRUE(window.Create());
  ASSERT_TRUE(window.SetTimer(7, 1));
  window.Show(TShowCommand::ShowNormal);
  WaitFor([&] { return !window.Heard.empty(); });
  EXPECT_EQ(window.Heard, std::vector<std::string>{"timer 7 after paint"});
  EXPECT_TRUE(window.Erased);
  window.Destroy();
}

TEST_F(WindowTest, AClientDrawingStaysUntilTheNextPaint) {
  TProbeWindow window;
  window.Attr.W = 200;
  window.Attr.H = 100;
  ASSERT_TRUE(window.Create());
  window.Show(TShowCommand::ShowNormal);
  platform::testing::ProcessEventsFor(20);
  {
    std::unique_ptr<TDC> dc = window.GetClientDC();
    dc->SetBkColor(ColorRed);
    dc->SetTextColor(ColorBlue);
    dc->TextOut(10, 10, "Banner");
  }
  const std::string picture = ::testing::TempDir() + "quorvel-surface.png";
  auto redAt = [&](int x, int y) {
    EXPECT_TRUE(platform::testing::SavePicture(window, picture));
    return QImage(QString::fromStdString(picture)).pixelColor(x, y) == QColor(255, 0, 0);
  };
  // Exposing the window again shows the surface as it is.
  platform::testing::ProcessEventsFor(20);
  EXPECT_TRUE(redAt(11, 11));
  // A paint erases with the class brush and draws only what Paint draws.
  window.Invalidate(true);
  window.UpdateWindow();
  EXPECT_FALSE(redAt(11, 11));
  window.Destroy();
}

TEST_F(WindowTest, TheQuitRequestEndsEveryLoopAndLaterModalsReturnAtOnce) {
  class TApp : public TApplication {
  public:
    TApp() : TApplication("quit test") {}
    void InitMainWindow() override { SetMainWindow(new TFrameWindow(nullptr, "quit test")); }
  };
  TApp app;
  int boxResult = -5;
  RunAfter(10, [&] {
    // A message box inside the loop; the quit posted from inside it ends both loops.
    platform::testing::OnNextModal([&](platform::testing::TModal& box) {
      EXPECT_EQ(box.Caption(), "Inner");
      app.PostQuit(3);
    });
    boxResult = MessageBox(app.GetMainWindow(), "text", "Inner");
    // Started while the quit is pending: returns at once.
    EXPECT_EQ(MessageBox(app.GetMainWindow(), "later", "Later"), 0);
  });
  EXPECT_EQ(app.Run(), 3);
  EXPECT_EQ(boxResult, 0);
}

TEST_F(WindowTest, RepaintsHeldBackWhileATaskPumpsComeWhenItIsOver) {
  TApplication application("pump test");
  TProbeWindow window;
  window.Attr.W = 200;
  window.Attr.H = 100;
  ASSERT_TRUE(window.Create());
  window.Show(TShowCommand::ShowNormal);
  platform::testing::ProcessEventsFor(30);
  const int before = window.PaintCount;
  // A task that changes the window at every step and pumps after it, for about 60 ms.
  int steps = 0;
  for (QElapsedTimer timer; !timer.isValid() || timer.elapsed() < 60; ++steps) {
    if (!timer.isValid()) timer.start();
    window.Invalidate(true);
    application.ProcessMessages();
  }
  const int duringTask = window.PaintCount - before;
  EXPECT_GE(duringTask, 1);
  EXPECT_LE(duringTask, 6) << "of " << steps << " steps";
  // The last change is not lost: it is painted once the task is over.
  const int afterTask = window.PaintCount;
  WaitFor([&] { return window.PaintCount > afterTask; });
  EXPECT_GT(window.PaintCount, afterTask);
  window.Destroy();
}

TEST_F(WindowTest, MessageBoxesTellTheirTextCaptionAndIcon) {
  std::string text, caption;
  bool exclamation = false;
  platform::testing::OnNextModal([&](platform::testing::TModal& box) {
    text = box.Text();
    caption = box.Caption();
    exclamation = box.HasExclamationIcon();
    box.Click(IdOk);
  });
  EXPECT_EQ(MessageBox(nullptr, "Too many finds!  Please try", "Too Vague",
                       MessageBoxType::Ok | MessageBoxType::IconExclamation),
            IdOk);
  EXPECT_EQ(text, "Too many finds!  Please try");
  EXPECT_EQ(caption, "Too Vague");
  EXPECT_TRUE(exclamation);
}

TEST_F(WindowTest, AClientDrawingMadeWhileAPaintIsPendingShowsUntilControlIsBackInTheLoop) {
  // The loading banner: drawn while the view may still be invalid, it must stay on the
  // screen while the thread is busy, and the pending paint replaces it afterwards.
  TProbeWindow window;
  window.Attr.W = 200;
  window.Attr.H = 100;
  ASSERT_TRUE(window.Create());
  window.Show(TShowCommand::ShowNormal);
  platform::testing::ProcessEventsFor(20);
  const int paintsBefore = window.PaintCount;
  // What reaches the screen: a paint event of the widget that calls no Paint only
  // shows the surface. (Grabbing a picture would itself do the pending paint.)
  TScreenEvents screen(window);
  window.Invalidate(true);
  {
    std::unique_ptr<TDC> dc = window.GetClientDC();
    dc->SetBkColor(ColorRed);
    dc->TextOut(10, 10, "Loading the Orvane");
  }
  EXPECT_EQ(screen.Paints, 1);
  EXPECT_EQ(window.PaintCount, paintsBefore);
  WaitFor([&] { return window.PaintCount > paintsBefore; });
  platform::testing::ProcessEventsFor(10);  // and no second paint after it
  const std::string picture = ::testing::TempDir() + "quorvel-banner.png";
  EXPECT_EQ(window.PaintCount, paintsBefore + 1);
  ASSERT_TRUE(platform::testing::SavePicture(window, picture));
  EXPECT_EQ(QImage(QString::fromStdString(picture)).pixelColor(11, 11), QColor(192, 192, 192));
  window.Destroy();
}

TEST_F(WindowTest, TimersTickWithTheirOwnIdsUntilKilled) {
  TProbeWindow window;
  window.Attr.W = 200;
  window.Attr.H = 100;
  EXPECT_FALSE(window.SetTimer(1, 5));  // no window yet
  ASSERT_TRUE(window.Create());
  window.Show(TShowCommand::ShowNormal);
  ASSERT_TRUE(window.SetTimer(3, 5));
  ASSERT_TRUE(window.SetTimer(4, 5));
  ASSERT_TRUE(window.SetTimer(5, 5));
  EXPECT_TRUE(window.KillTimer(5));
  EXPECT_FALSE(window.KillTimer(5));
  // Each tick kills its own timer, so each live timer ticks once; a little longer for a
  // tick that should not come.
  WaitFor([&] { return window.Heard.size() >= 2; });
  platform::testing::ProcessEventsFor(30);
  std::vector<std::string> heard = window.Heard;
  std::sort(heard.begin(), heard.end());
  EXPECT_EQ(heard, (std::vector<std::string>{"timer 3 after paint", "timer 4 after paint"}));
  // A destroyed window's timers stop with it.
  ASSERT_TRUE(window.SetTimer(6, 1));
  window.Destroy();
  window.Heard.clear();
  platform::testing::ProcessEventsFor(20);
  EXPECT_TRUE(window.Heard.empty());
}

TEST_F(WindowTest, AModalLoopWithNoScriptClosesAtTheDeadlineAndSaysSo) {
  platform::testing::SetModalDeadline(30);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(MessageBox(nullptr, "nobody answers", "Forgotten"), IdOk);
  EXPECT_GE(timer.elapsed(), 25);
  EXPECT_TRUE(platform::testing::ModalDeadlineMissed());
  platform::testing::ResetModalDeadlineMissed();
  EXPECT_FALSE(platform::testing::ModalDeadlineMissed());
  // A script that leaves its box open fails the same way instead of hanging the run.
  std::string seen;
  platform::testing::OnNextModal([&](platform::testing::TModal& box) { seen = box.Text(); });
  EXPECT_EQ(MessageBox(nullptr, "left open", "Forgotten"), IdOk);
  EXPECT_EQ(seen, "left open");
  EXPECT_TRUE(platform::testing::ModalDeadlineMissed());
  platform::testing::ResetModalDeadlineMissed();
  // A script that closes its box arms nothing that could fire later.
  platform::testing::OnNextModal([](platform::testing::TModal& box) { box.Click(IdOk); });
  EXPECT_EQ(MessageBox(nullptr, "closed", "Answered"), IdOk);
  platform::testing::ProcessEventsFor(60);
  EXPECT_FALSE(platform::testing::ModalDeadlineMissed());
  platform::testing::SetModalDeadline(5000);
}

TEST_F(WindowTest, MessageBoxTextsAreBytesAndEveryWayOfClosingReturnsOk) {
  const std::string text = "Caf\xE9 \xA7 12\n\"quoted\"  <b>not bold</b>";
  struct Row {
    const char* Name;
    std::function<void(platform::testing::TModal&)> Close;
  };
  const std::vector<Row> rows = {
      {"OK", [](platform::testing::TModal& box) { box.Click(IdOk); }},
      {"Enter", [](platform::testing::TModal& box) { box.PressKey(TKey::Enter); }},
      {"Escape", [](platform::testing::TModal& box) { box.PressKey(TKey::Escape); }},
      {"close box", [](platform::testing::TModal& box) { box.CloseBox(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    std::string seen;
    bool exclamation = true;
    QString shown;
    platform::testing::OnNextModal([&](platform::testing::TModal& box) {
      seen = box.Text();
      exclamation = box.HasExclamationIcon();
      shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->text();
      row.Close(box);
    });
    EXPECT_EQ(MessageBox(nullptr, text, "Bytes"), IdOk);
    EXPECT_EQ(seen, text);
    EXPECT_FALSE(exclamation);
    // Bytes that are not UTF-8 show as the Latin-1 characters of their values; the
    // markup shows as it is.
    EXPECT_EQ(shown.toStdU32String(), U"Caf\u00E9 \u00A7 12\n\"quoted\"  <b>not bold</b>");
  }
}

}  // namespace
