// The application object, the message loops and the quit request.

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

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

// The running modal loops, innermost last.
std::vector<QEventLoop*>& RunningLoops() {
  static std::vector<QEventLoop*> loops;
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
  RunningLoops().push_back(&Loop);
  while (!Done && !Quitting) Loop.exec();
  RunningLoops().pop_back();
}

void TModalLoop::End() {
  Done = true;
  Loop.exit(0);
}

void ExitAllLoops() {
  for (auto it = RunningLoops().rbegin(); it != RunningLoops().rend(); ++it) (*it)->exit(0);
}

void EnableModalScripts(bool enabled) { ModalScriptsOn = enabled; }

void ModalShown(testing::TModal& modal, QObject* context, std::function<void()> end) {
  if (!ModalScriptsOn) return;
  if (!ModalScripts().empty()) {
    testing::TModalScript script = std::move(ModalScripts().front());
    ModalScripts().pop_front();
    script(modal);
    return;
  }
  const std::string caption = modal.Caption();
  QTimer::singleShot(ModalDeadlineMs, context, [end, caption] {
    DeadlineMissed = true;
    std::fprintf(stderr, "a modal loop (\"%s\") found no test script and was closed\n", caption.c_str());
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

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

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
