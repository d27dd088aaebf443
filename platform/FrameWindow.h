#pragma once
// Frame windows: a window with a caption, icons, a menu bar and accelerators, and a
// client window that always fills its client area.
//
// Commands from the menu and the accelerators go to the window that has the focus and
// its parents (so the client's event table is searched before the frame's), then to
// the application. When the client's window is destroyed, the frame posts itself the
// close request. A frame made with a parent is an ordinary child window.

#include "platform/Resources.h"
#include "platform/Window.h"

namespace platform {

class TFrameWindow : public TWindow {
public:
  // With a client, the frame adopts it as its child (and deletes it when deleted).
  TFrameWindow(TWindow* parent, std::string_view title, TWindow* client = nullptr,
               bool shrinkToClient = false);
  ~TFrameWindow() override;

  TWindow* GetClientWindow() const { return Client; }

  // The generic set-up, which makes the client's window, then the client fills the frame.
  void SetupWindow() override;
  // A command from the frame's menu or accelerators: to the focused window inside the
  // frame (else the client) and on up through its parents, then the application.
  void RouteMenuCommand(int id);

  // Icons, menu and accelerators by resource id in the default module; effective when
  // the window is made, or at once when it exists.
  void SetIcon(int iconId);
  void SetIconSm(int iconId);
  void AssignMenu(int menuId);
  void SetMenuDescr(int menuId);   // the menu bar that the frame shows
  void SetAcceleratorTable(int acceleratorId);

  // The close request (the close box, Alt+F4, the exit command): the main window asks
  // the application's CanClose, then its own, then destroys itself.
  void EvClose();

  static const TEventTable Events;
  const TEventTable& GetEventTable() const override { return Events; }

  int IconId() const { return Icon; }
  int SmallIconId() const { return SmallIcon; }
  int MenuId() const { return Menu; }
  int AcceleratorId() const { return Accelerators; }

protected:
  TNativeKind NativeKind() const override {
    return GetParent() ? TNativeKind::Window : TNativeKind::Frame;
  }

private:
  TWindow* Client = nullptr;
  int Icon = 0;
  int SmallIcon = 0;
  int Menu = 0;
  int Accelerators = 0;
};

}  // namespace platform
