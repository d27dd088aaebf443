// The application object: the window system's start, the main window, the outer
// message loop and the quit request.

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/qt/QtModalLoop.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtPaintThrottle.h"
#include "platform/qt/QtSignals.h"
#include "platform/qt/QtWindowSystem.h"

namespace platform {

namespace {

std::vector<std::string>& KeptArguments() {
  static std::vector<std::string> arguments{"quorvel"};
  return arguments;
}

TApplication* CurrentApplication = nullptr;

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
  pointers.reserve(copies.size() + 1);
  for (std::string& argument : copies) pointers.push_back(argument.data());
  pointers.push_back(nullptr);
  static int count = static_cast<int>(copies.size());
  new QApplication(count, pointers.data());
  QApplication::setQuitOnLastWindowClosed(false);
}

void SetDesktopId(std::string_view desktopId) {
  EnsureWindowSystem();
  const QString id = QString::fromUtf8(desktopId.data(), static_cast<qsizetype>(desktopId.size()));
  // Wayland's application id; X's window class is the application's name.
  QGuiApplication::setDesktopFileName(id);
  QCoreApplication::setApplicationName(id);
}

TApplication::TApplication(std::string_view name) : Name(name) {
  EnsureWindowSystem();
  CurrentApplication = this;
  ResetQuit();
}

TApplication::~TApplication() {
  MainWindow.reset();
  if (CurrentApplication == this) {
    CurrentApplication = nullptr;
    ResetQuit();
  }
}

TApplication* TApplication::Current() { return CurrentApplication; }

int TApplication::Run() {
  ResetQuit();
  InitMainWindow();
  if (!MainWindow || !MainWindow->Create()) return -1;
  MainWindow->Show(ShowCommand);

  const TCloseSignals closeSignals([this] {
    if (MainWindow && MainWindow->IsCreated()) MainWindow->EvClose();
  });
  TModalLoop loop;
  loop.Run();
  return PendingQuitCode();
}

void TApplication::InitMainWindow() {}

void TApplication::SetMainWindow(TFrameWindow* frame) { MainWindow.reset(frame); }

void TApplication::PostQuit(int code) { RequestQuit(code); }

bool TApplication::QuitPending() const { return QuitIsPending(); }

void TApplication::ProcessMessages() { ProcessMessagesThrottled(); }

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
