#pragma once
// The application object: the message loop, the quit request and the main window.
//
// There is one window system per process; the first application object (or the test
// harness) starts it, later ones reuse it.

#include <memory>
#include <string>
#include <string_view>

#include "platform/EventTable.h"
#include "platform/FrameWindow.h"
#include "platform/Styles.h"

namespace platform {

// Keeps a copy of the command line for the window system, which removes the options
// it knows from the copy it is given. Call it first thing in main; argv stays as it is.
void KeepCommandLine(int argc, char** argv);

// Names the program to the desktop by its desktop entry's id (the file's name without
// ".desktop"): it becomes the Wayland application id and the X window class, by which
// the desktop finds the entry's name and icon and groups the program's windows. Call it
// before the first window is made.
void SetDesktopId(std::string_view desktopId);

class TApplication {
public:
  explicit TApplication(std::string_view name);
  virtual ~TApplication();   // deletes the main window object (destroying its window)
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Calls InitMainWindow, creates the main window, shows it with the show command and
  // runs the message loop until the quit request; returns the quit code.
  int Run();
  virtual void InitMainWindow();

  // Takes ownership of the frame.
  void SetMainWindow(TFrameWindow* frame);
  TFrameWindow* GetMainWindow() const { return MainWindow.get(); }
  const std::string& GetName() const { return Name; }

  // The show command handed to the program: ShowNormal unless set (tests set it).
  TShowCommand GetShowCommand() const { return ShowCommand; }
  void SetShowCommand(TShowCommand command) { ShowCommand = command; }

  // Posts the quit request: every running loop ends, innermost first, and the outer
  // loop returns `code`. A dialog or message box started while it is pending returns
  // at once.
  void PostQuit(int code);
  bool QuitPending() const;
  // Handles every waiting event and returns. Cheap when nothing waits.
  void ProcessMessages();

  virtual bool CanClose();
  // Commands that no window took. The base handles the exit command 24310 by sending
  // the close request to the main window.
  virtual void HandleCommand(int id);

  static TApplication* Current();

private:
  std::string Name;
  TShowCommand ShowCommand = TShowCommand::ShowNormal;
  std::unique_ptr<TFrameWindow> MainWindow;
};

}  // namespace platform
