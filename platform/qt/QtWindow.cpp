// Windows on Qt widgets: creation and destruction, showing, invalidation, timers,
// children by id, and event dispatch and command routing.

#include <QAbstractButton>
#include <QTimer>

#include <algorithm>

#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/FrameWindow.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtScrollBar.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWidgetFactory.h"
#include "platform/qt/QtWindowSystem.h"

namespace platform {

namespace {
constexpr const char* OwnerProperty = "quorvelWindow";
}  // namespace

TWindow* WindowOfWidget(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant value = w->property(OwnerProperty);
    if (value.isValid()) return static_cast<TWindow*>(value.value<void*>());
  }
  return nullptr;
}

void BindWidget(QWidget* widget, TWindow* window) {
  widget->setProperty(OwnerProperty, QVariant::fromValue(static_cast<void*>(window)));
}

// ---------------------------------------------------------------------------------
// TWindow

const TEventTable TWindow::Events{{}, nullptr};

TWindow::TWindow(TWindow* parent, std::string_view title) : Title(title) {
  if (parent) SetParent(parent);
}

TWindow::~TWindow() {
  if (NativePart) {
    // Not from inside the widget's own handler: the widget can go at once.
    for (TWindow* child : Children) child->Destroy(0);
    QWidget* widget = NativePart->Widget;
    NativePart.reset();
    if (widget) {
      BindWidget(widget, nullptr);
      widget->hide();
      widget->deleteLater();
    }
  }
  const std::vector<TWindow*> children = Children;
  for (TWindow* child : children) delete child;
  // An owned window is in no list of its owner, which may be gone already.
  if (Parent && !OwnedOnly) {
    auto& siblings = Parent->Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TWindow::SetParent(TWindow* parent) {
  if (Parent == parent && !OwnedOnly) return;
  if (Parent && !OwnedOnly) {
    auto& siblings = Parent->Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  Parent = parent;
  OwnedOnly = false;
  if (Parent) Parent->Children.push_back(this);
}

void TWindow::SetOwner(TWindow* owner) {
  SetParent(nullptr);
  Parent = owner;
  OwnedOnly = true;
}

void TWindow::SetCaption(std::string_view title) {
  Title = std::string(title);
  if (NativePart && NativePart->Widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(NativePart->Widget.data())) {
      button->setText(ToQString(Title));
    } else {
      NativePart->Widget->setWindowTitle(ToQString(Title));
    }
  }
}

void TWindow::SetBkgndColor(TColor color) { Background = color; }

bool TWindow::IsCreated() const { return NativePart != nullptr && NativePart->Widget; }

bool TWindow::Create() {
  if (IsCreated()) return true;
  EnsureWindowSystem();
  QWidget* parentWidget = nullptr;
  if (Parent) {
    if (!Parent->IsCreated()) return false;
    parentWidget = Parent->NativePart->Widget;
  }
  NativePart = std::make_unique<TNativeWindow>(*this);
  QWidget* widget = MakeNativeWidget(*this, NativeKind(), parentWidget);
  if (widget == nullptr) {
    NativePart.reset();
    return false;
  }
  NativePart->Widget = widget;
  BindWidget(widget, this);
  if (Attr.Style & WindowStyle::VScroll) AttachScrollBar(*NativePart);
  SetupWindow();
  if (!NativePart) return false;
  if (Parent && (Attr.Style & WindowStyle::Visible) && !widget->isHidden()) widget->show();
  NativePart->Relayout();
  return true;
}

void TWindow::SetupWindow() {
  const std::vector<TWindow*> children = Children;
  for (TWindow* child : children) child->Create();
}

void TWindow::GetWindowClass(TWindowClass& windowClass) {
  windowClass.BackgroundBrush = TColor{255, 255, 255};
  windowClass.HasBackgroundBrush = true;
}

void TWindow::Paint(TDC&, bool, const TRect&) {}

void TWindow::WindowDestroyed() {}

void TWindow::Destroy(int) {
  if (!NativePart) return;
  for (TWindow* child : Children) child->Destroy(0);
  QWidget* widget = NativePart->Widget;
  if (widget) {
    for (const auto& [id, qtId] : NativePart->Timers) widget->killTimer(qtId);
  }
  NativePart.reset();
  if (widget) {
    BindWidget(widget, nullptr);
    widget->hide();
    // The widget may be inside one of its own handlers (a button's click): it goes
    // once control is back in the loop.
    widget->setParent(nullptr);
    widget->deleteLater();
  }
  WindowDestroyed();

  TApplication* application = TApplication::Current();
  if (application && application->GetMainWindow() == this) {
    application->PostQuit(0);
    return;
  }
  if (auto* frame = dynamic_cast<TFrameWindow*>(Parent); frame && frame->GetClientWindow() == this &&
                                                          frame->IsCreated()) {
    // The frame closes itself when control is back in the loop, as for its close box.
    QPointer<QWidget> frameWidget = frame->Native()->Widget;
    QTimer::singleShot(0, frameWidget.data(), [frameWidget] {
      if (auto* window = dynamic_cast<TFrameWindow*>(WindowOfWidget(frameWidget.data()))) {
        window->EvClose();
      }
    });
  }
}

void TWindow::CloseWindow(int returnValue) {
  TApplication* application = TApplication::Current();
  if (application && application->GetMainWindow() == this) {
    if (application->CanClose()) Destroy(returnValue);
    return;
  }
  if (CanClose()) Destroy(returnValue);
}

bool TWindow::CanClose() {
  return std::all_of(Children.begin(), Children.end(), [](TWindow* child) { return child->CanClose(); });
}

void TWindow::Show(TShowCommand command) {
  if (!IsCreated()) return;
  QWidget* widget = NativePart->Widget;
  if (command == TShowCommand::Hide) {
    widget->hide();
    return;
  }
  if (!widget->isWindow()) {
    widget->show();
    return;
  }
  switch (command) {
    case TShowCommand::ShowMinimized:
    case TShowCommand::Minimize:
    case TShowCommand::ShowMinNoActive:
      widget->setAttribute(Qt::WA_ShowWithoutActivating, command == TShowCommand::ShowMinNoActive);
      widget->showMinimized();
      break;
    case TShowCommand::ShowMaximized:
      widget->showMaximized();
      break;
    case TShowCommand::ShowNoActivate:
    case TShowCommand::ShowNA:
      widget->setAttribute(Qt::WA_ShowWithoutActivating, true);
      widget->show();
      break;
    default:
      widget->showNormal();
      break;
  }
}

bool TWindow::IsVisible() const { return IsCreated() && NativePart->Widget->isVisible(); }

void TWindow::Invalidate(bool erase) {
  if (!IsCreated()) return;
  NativePart->PaintPending = true;
  NativePart->ErasePending = NativePart->ErasePending || erase;
  NativePart->Widget->update();
}

void TWindow::UpdateWindow() {
  if (IsCreated() && NativePart->PaintPending && NativePart->Widget->isVisible()) {
    NativePart->Widget->repaint();
  }
}

TRect TWindow::GetClientRect() const {
  if (!IsCreated()) return {0, 0, Attr.W, Attr.H};
  return NativePart->ClientRect();
}

TRect TWindow::GetWindowRect() const {
  if (!IsCreated()) return {Attr.X, Attr.Y, Attr.X + Attr.W, Attr.Y + Attr.H};
  QWidget* widget = NativePart->Widget;
  if (widget->isWindow()) {
    const QRect frame = widget->frameGeometry();
    return {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
  }
  const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
  return {origin.x(), origin.y(), origin.x() + widget->width(), origin.y() + widget->height()};
}

bool TWindow::SetTimer(unsigned id, unsigned milliseconds) {
  if (!IsCreated()) return false;
  KillTimer(id);
  const int qtId = NativePart->Widget->startTimer(static_cast<int>(milliseconds));
  if (qtId == 0) return false;
  NativePart->Timers[id] = qtId;
  return true;
}

bool TWindow::KillTimer(unsigned id) {
  if (!IsCreated()) return false;
  const auto found = NativePart->Timers.find(id);
  if (found == NativePart->Timers.end()) return false;
  NativePart->Widget->killTimer(found->second);
  NativePart->Timers.erase(found);
  return true;
}

TWindow* TWindow::ChildWithId(int id) const {
  for (TWindow* child : Children) {
    if (child->Attr.Id == id) return child;
  }
  return nullptr;
}

void TWindow::SetFocus() {
  if (IsCreated()) NativePart->Widget->setFocus();
}

bool TWindow::Dispatch(TEventKind kind, const TEventArgs& args) {
  const TEventEntry* entry = GetEventTable().Find(kind, args.Id, args.Code);
  if (entry == nullptr) return false;
  entry->Invoke(*this, args);
  return true;
}

void TWindow::RouteCommand(int id) {
  TEventArgs args;
  args.Id = id;
  TWindow* last = this;
  for (TWindow* window = this; window != nullptr; window = window->Parent) {
    last = window;
    if (window->Dispatch(TEventKind::Command, args)) return;
    // A dialog's commands stay in the dialog.
    if (window->NativeKind() == TNativeKind::Dialog) return;
  }
  if (TApplication* application = TApplication::Current()) {
    if (application->GetMainWindow() == last) application->HandleCommand(id);
  }
}

void TWindow::EvSize(unsigned, const TSize&) {}
void TWindow::EvVScroll(unsigned, unsigned, TScrollBarHandle) {}

}  // namespace platform
