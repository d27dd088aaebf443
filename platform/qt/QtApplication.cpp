// The application object, the message loops and the quit request.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <deque>
#include <memory>
#include <vector>

#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/qt/QtNative.h"

namespace platform {

namespace {

std::vector<std::string>& KeptArguments() {
  static std::vector<std::string> arguments{"quorvel"};
  return arguments;
}

TApplication* CurrentApplication = nullptr;

// The running loops, innermost last.
std::vector<TModalLoop*>& RunningLoops() {
  static std::vector<TModalLoop*> loops;
  return loops;
}

std::deque<testing::TModalScript>& ModalScripts() {
  static std::deque<testing::TModalScript> scripts;
  return scripts;
}
bool ModalScriptsOn = false;
int ModalDeadlineMs = 5000;
bool DeadlineMissed = false;

// SIGTERM, SIGINT and SIGHUP end the run like the close box: the handler only writes a
// byte, and the loop turns it into the close request.
int SignalPipe[2] = {-1, -1};
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(SignalPipe[1], &byte, 1);
}

}  // namespace

void KeepCommandLine(int argc, char** argv) {
  std::vector<std::string>& arguments = KeptArguments();
  arguments.clear();
  for (int i = 0; i < argc; ++i) {
    arguments.emplace_back(argv[i] ? argv[i] : "");
  }
  if (arguments.empty()) arguments.emplace_back("quorvel");
}

void EnsureWindowSystem() {
  if (QApplication::instance() != nullptr) return;
  // The window system removes the options it knows from this copy; the program's own
  // argv stays as it was.
  static std::vector<std::string> copies = KeptArguments();
  static std::vector<char*> pointers;
  for (std::string& argument : copies) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  static int count = static_cast<int>(copies.size());
  new QApplication(count, pointers.data());
  QApplication::setQuitOnLastWindowClosed(false);
}

namespace {
bool Quitting = false;
int QuitCode = 0;
}  // namespace

bool QuitIsPending() { return Quitting; }

void TModalLoop::Run() {
  RunningLoops().push_back(this);
  while (!Done && !Quitting) Loop.exec();
  RunningLoops().pop_back();
}

void TModalLoop::End() {
  Done = true;
  Loop.exit(0);
}

void ExitAllLoops() {
  for (auto it = RunningLoops().rbegin(); it != RunningLoops().rend(); ++it) (*it)->Loop.exit(0);
}

void EnableModalScripts(bool enabled) { ModalScriptsOn = enabled; }

void ModalShown(testing::TModal& modal, QObject* context, std::function<void()> end) {
  if (!ModalScriptsOn) return;
  // The deadline belongs to the loop that shows the modal, so that it can never fire
  // once that loop is gone, nor end it twice.
  TModalLoop* loop = RunningLoops().empty() ? nullptr : RunningLoops().back();
  const std::string caption = modal.Caption();
  bool scripted = false;
  if (!ModalScripts().empty()) {
    testing::TModalScript script = std::move(ModalScripts().front());
    ModalScripts().pop_front();
    scripted = true;
    script(modal);
    if (loop == nullptr || loop->Ended() || QuitIsPending()) return;
  }
  QObject* owner = loop ? loop->Context() : context;
  QTimer::singleShot(ModalDeadlineMs, owner, [loop, end, caption, scripted] {
    if (loop && loop->Ended()) return;
    DeadlineMissed = true;
    std::fprintf(stderr, scripted ? "a modal loop (\"%s\") was still open after its test script, and was closed\n"
                                  : "a modal loop (\"%s\") found no test script and was closed\n",
                 caption.c_str());
    end();
  });
}

namespace testing {
void OnNextModal(TModalScript script) { ModalScripts().push_back(std::move(script)); }
int PendingModalScripts() { return static_cast<int>(ModalScripts().size()); }
void ClearModalScripts() { ModalScripts().clear(); }
void SetModalDeadline(int milliseconds) { ModalDeadlineMs = milliseconds; }
bool ModalDeadlineMissed() { return DeadlineMissed; }
void ResetModalDeadlineMissed() { DeadlineMissed = false; }
}  // namespace testing

TApplication::TApplication(std::string_view name) : Name(name) {
  EnsureWindowSystem();
  CurrentApplication = this;
  Quitting = false;
  QuitCode = 0;
}

TApplication::~TApplication() {
  MainWindow.reset();
  if (CurrentApplication == this) {
    CurrentApplication = nullptr;
    Quitting = false;
  }
}

TApplication* TApplication::Current() { return CurrentApplication; }

int TApplication::Run() {
  Quitting = false;
  QuitCode = 0;
  InitMainWindow();
  if (!MainWindow || !MainWindow->Create()) return -1;
  MainWindow->Show(ShowCommand);

  std::unique_ptr<QSocketNotifier> signalNotifier;
  if (SignalPipe[0] >= 0 || pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    signalNotifier = std::make_unique<QSocketNotifier>(SignalPipe[0], QSocketNotifier::Read);
    QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, [this] {
      char bytes[16];
      while (read(SignalPipe[0], bytes, sizeof bytes) > 0) {
      }
      if (MainWindow && MainWindow->IsCreated()) MainWindow->EvClose();
    });
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, OnSignal);
  }

  TModalLoop loop;
  loop.Run();
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
  return QuitCode;
}

void TApplication::InitMainWindow() {}

void TApplication::SetMainWindow(TFrameWindow* frame) { MainWindow.reset(frame); }

void TApplication::PostQuit(int code) {
  if (!Quitting) QuitCode = code;
  Quitting = true;
  ExitAllLoops();
}

bool TApplication::QuitPending() const { return Quitting; }

namespace {

// While a long task pumps messages after every step, windows repaint at most every
// PaintInterval: input and timers are handled at once, but a list that grows at every
// step is not redrawn thousands of times. The repaints held back are asked for again
// by one timer at the end of the interval, so that a pump with nothing waiting stays
// as cheap as the window system's own check.
class TPaintThrottle : public QObject {
public:
  static constexpr int PaintInterval = 20;  // milliseconds

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::UpdateRequest) return false;
    if (Pumping > 0 && LastPaint.isValid() && LastPaint.elapsed() < PaintInterval) {
      Hold(watched);
      return true;
    }
    LastPaint.start();
    return false;
  }

  int Pumping = 0;

private:
  void Hold(QObject* window) {
    if (std::find(Held.begin(), Held.end(), window) == Held.end()) Held.emplace_back(window);
    if (TimerArmed) return;
    TimerArmed = true;
    const int wait = std::max<int>(1, PaintInterval - static_cast<int>(LastPaint.elapsed()));
    QTimer::singleShot(wait, this, [this] {
      TimerArmed = false;
      for (const QPointer<QObject>& held : Held) {
        if (held) QCoreApplication::postEvent(held, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
      }
      Held.clear();
    });
  }

  QElapsedTimer LastPaint;
  std::vector<QPointer<QObject>> Held;
  bool TimerArmed = false;
};

TPaintThrottle& PaintThrottle() {
  static TPaintThrottle* throttle = [] {
    auto* created = new TPaintThrottle;
    QCoreApplication::instance()->installEventFilter(created);
    return created;
  }();
  return *throttle;
}

}  // namespace

void TApplication::ProcessMessages() {
  TPaintThrottle& throttle = PaintThrottle();
  ++throttle.Pumping;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  --throttle.Pumping;
}

bool TApplication::CanClose() { return !MainWindow || MainWindow->CanClose(); }

void TApplication::HandleCommand(int id) {
  if (id == CmExit && MainWindow && MainWindow->IsCreated()) {
    // Like the close message: closes the main window when control is back in the loop.
    QPointer<QWidget> widget = MainWindow->Native()->Widget;
    QTimer::singleShot(0, widget.data(), [this] {
      if (MainWindow && MainWindow->IsCreated()) MainWindow->EvClose();
    });
  }
}

}  // namespace platform
