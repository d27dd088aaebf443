// Windows on Qt widgets: creation and destruction, the surface and painting, the
// vertical scroll bar, timers, child windows and event dispatch.

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>

#include "platform/Application.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/FrameWindow.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtNative.h"
#include "platform/qt/QtWidgets.h"

namespace platform {

namespace {

constexpr const char* OwnerProperty = "quorvelWindow";

TRecordingTarget* Recording = nullptr;

// The vertical bar delivers the user's actions as scroll events and moves only when
// the window sets it.
void ConnectScrollBar(QScrollBar* bar, QWidget* widget) {
  QObject::connect(bar, &QAbstractSlider::actionTriggered, widget, [bar, widget](int action) {
    TWindow* window = WindowOfWidget(widget);
    if (window == nullptr || window->Native() == nullptr) return;
    TEventArgs args;
    bool known = true;
    switch (action) {
      case QAbstractSlider::SliderSingleStepSub: args.Code = TScrollCode::LineUp; break;
      case QAbstractSlider::SliderSingleStepAdd: args.Code = TScrollCode::LineDown; break;
      case QAbstractSlider::SliderPageStepSub: args.Code = TScrollCode::PageUp; break;
      case QAbstractSlider::SliderPageStepAdd: args.Code = TScrollCode::PageDown; break;
      case QAbstractSlider::SliderToMinimum: args.Code = TScrollCode::Top; break;
      case QAbstractSlider::SliderToMaximum: args.Code = TScrollCode::Bottom; break;
      case QAbstractSlider::SliderMove: args.Code = TScrollCode::ThumbTrack; break;
      default: known = false; break;
    }
    if (!known) return;
    args.Position = static_cast<unsigned>(bar->sliderPosition()) & 0xFFFFu;
    QPointer<QScrollBar> guard(bar);
    window->Dispatch(TEventKind::VScroll, args);
    if (args.Code != TScrollCode::ThumbTrack && window->Native()) {
      TEventArgs end;
      end.Code = TScrollCode::EndScroll;
      end.Position = args.Position;
      window->Dispatch(TEventKind::VScroll, end);
    }
    // The bar shows where the window put it, not where the action would have moved it.
    if (guard && !guard->isSliderDown()) {
      if (TWindow* again = WindowOfWidget(widget); again && again->Native()) {
        guard->setSliderPosition(again->Native()->BarPosition);
      }
    }
  });
  QObject::connect(bar, &QAbstractSlider::sliderReleased, widget, [bar, widget] {
    TWindow* window = WindowOfWidget(widget);
    if (window == nullptr || window->Native() == nullptr) return;
    TEventArgs args;
    args.Code = TScrollCode::ThumbPosition;
    args.Position = static_cast<unsigned>(bar->sliderPosition()) & 0xFFFFu;
    QPointer<QScrollBar> guard(bar);
    window->Dispatch(TEventKind::VScroll, args);
    if (window->Native()) {
      TEventArgs end;
      end.Code = TScrollCode::EndScroll;
      end.Position = args.Position;
      window->Dispatch(TEventKind::VScroll, end);
    }
    if (guard && window->Native()) {
      const QSignalBlocker blocker(guard.data());
      guard->setSliderPosition(window->Native()->BarPosition);
      guard->setValue(window->Native()->BarPosition);
    }
  });
}

// Wheel turns do not scroll the view: it scrolls by its bar only.
class TNoWheelFilter : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Wheel; }
};

}  // namespace

TRecordingTarget* ActiveRecording() { return Recording; }
void SetActiveRecording(TRecordingTarget* target) { Recording = target; }

TWindow* WindowOfWidget(QWidget* widget) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant value = w->property(OwnerProperty);
    if (value.isValid()) return reinterpret_cast<TWindow*>(value.value<quintptr>());
  }
  return nullptr;
}

void BindWidget(QWidget* widget, TWindow* window) {
  widget->setProperty(OwnerProperty, QVariant::fromValue(reinterpret_cast<quintptr>(window)));
}

// ---------------------------------------------------------------------------------
// The widget of a plain window.

TWindowWidget::TWindowWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TNativeWindow* TWindowWidget::NativeOf() const {
  TWindow* window = WindowOfWidget(const_cast<TWindowWidget*>(this));
  return window && window->Native() && window->Native()->Widget == this ? window->Native() : nullptr;
}

void TWindowWidget::paintEvent(QPaintEvent*) {
  if (TNativeWindow* native = NativeOf()) {
    native->PaintNow(*this);
  }
}

void TWindowWidget::resizeEvent(QResizeEvent*) {
  if (TNativeWindow* native = NativeOf()) native->Relayout();
}

void TWindowWidget::timerEvent(QTimerEvent* event) {
  TNativeWindow* native = NativeOf();
  if (native == nullptr) return;
  for (const auto& [id, qtId] : native->Timers) {
    if (qtId != event->timerId()) continue;
    // Paints come before timer ticks.
    if (native->PaintPending && isVisible()) repaint();
    TEventArgs args;
    args.TimerId = id;
    native->Owner->Dispatch(TEventKind::Timer, args);
    return;
  }
}

void TWindowWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (TNativeWindow* native = NativeOf()) native->Owner->CloseWindow(0);
}

// ---------------------------------------------------------------------------------
// TNativeWindow

TRect TNativeWindow::ClientRect() const {
  if (!Widget) return {};
  int width = Widget->width();
  if (VBar && BarVisible) width -= VBar->width();
  return {0, 0, std::max(width, 0), Widget->height()};
}

void TNativeWindow::PaintNow(QWidget& widget) {
  const TRect client = ClientRect();
  const QSize size(std::max(client.Width(), 1), std::max(client.Height(), 1));
  if (Surface.size() != size) {
    Surface = QImage(size, QImage::Format_RGB32);
    Surface.fill(Qt::white);
    PaintPending = true;
    ErasePending = true;
  }
  if (PaintPending && !BlitOnly) {
    TWindowClass windowClass;
    Owner->GetWindowClass(windowClass);
    const bool erase = ErasePending;
    PaintPending = false;
    ErasePending = false;
    if (erase && windowClass.HasBackgroundBrush) Surface.fill(ToQColor(windowClass.BackgroundBrush));
    if (TRecordingTarget* recording = ActiveRecording()) {
      TRecordingDC dc(*recording->Log, recording->Metrics);
      Owner->Paint(dc, erase, client);
    } else {
      TQtDC dc(Surface);
      Owner->Paint(dc, erase, client);
    }
  }
  QPainter painter(&widget);
  painter.drawImage(0, 0, Surface);
}

void TNativeWindow::Relayout() {
  if (!Widget) return;
  if (VBar) {
    const int barWidth = VBar->sizeHint().width();
    VBar->setGeometry(Widget->width() - barWidth, 0, barWidth, Widget->height());
    VBar->setVisible(BarVisible);
  }
  DeliverSize();
}

void TNativeWindow::DeliverSize() {
  const TRect client = ClientRect();
  const TSize size{client.Width(), client.Height()};
  if (size == LastClientSize) return;
  LastClientSize = size;
  TEventArgs args;
  args.Size = size;
  args.SizeType = Widget && Widget->isMinimized() ? 1u : 0u;
  Owner->Dispatch(TEventKind::Size, args);
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
  if (Parent) {
    auto& siblings = Parent->Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TWindow::SetParent(TWindow* parent) {
  if (Parent == parent) return;
  if (Parent) {
    auto& siblings = Parent->Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  Parent = parent;
  if (Parent) Parent->Children.push_back(this);
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
  if (Attr.Style & WindowStyle::VScroll) {
    auto* bar = new QScrollBar(Qt::Vertical, widget);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->installEventFilter(new TNoWheelFilter(bar));
    bar->hide();
    NativePart->VBar = bar;
    ConnectScrollBar(bar, widget);
  }
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
  NativePart->InDestroy = true;
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

int TWindow::SetScrollInfo(const TScrollInfo& info, bool redraw) {
  if (!IsCreated()) return info.Pos;
  TNativeWindow& native = *NativePart;
  TScrollInfo& scroll = native.Scroll;
  if (info.Mask & ScrollInfoMask::Range) {
    scroll.Min = info.Min;
    scroll.Max = info.Max;
  }
  if (info.Mask & ScrollInfoMask::Page) scroll.Page = info.Page;
  if (info.Mask & ScrollInfoMask::Pos) scroll.Pos = info.Pos;
  // The thumb's positions run from Min to Max - (Page - 1).
  const long long pageLess = scroll.Page > 0 ? static_cast<long long>(scroll.Page) - 1 : 0;
  const long long largest = static_cast<long long>(scroll.Max) - pageLess;
  const int maximum = static_cast<int>(std::clamp<long long>(largest, scroll.Min, INT32_MAX));
  scroll.Pos = std::clamp(scroll.Pos, scroll.Min, maximum);
  native.BarPosition = scroll.Pos;
  const bool visible = largest > scroll.Min;
  if (QScrollBar* bar = native.VBar) {
    const QSignalBlocker blocker(bar);
    bar->setRange(scroll.Min, maximum);
    bar->setPageStep(static_cast<int>(std::min<unsigned>(scroll.Page, INT32_MAX)));
    bar->setSingleStep(1);
    if (!bar->isSliderDown()) {
      bar->setSliderPosition(scroll.Pos);
      bar->setValue(scroll.Pos);
    }
    if (redraw) bar->update();
    if (visible != native.BarVisible) {
      native.BarVisible = visible;
      // Showing or hiding the bar changes the client size: the window hears of it at once.
      native.Relayout();
      if (NativePart) NativePart->Widget->update();
    }
  }
  return NativePart ? NativePart->BarPosition : info.Pos;
}

TScrollInfo TWindow::GetScrollInfo() const {
  if (!IsCreated()) return {};
  TScrollInfo info = NativePart->Scroll;
  info.Mask = ScrollInfoMask::All;
  info.TrackPos = NativePart->VBar ? NativePart->VBar->sliderPosition() : info.Pos;
  return info;
}

namespace {

// A device context on the window's surface; what it drew shows when it is released.
// A pending paint is not done here: it would erase what was just drawn (the loading
// banner is drawn while the view may still be invalid, and must stay while the load
// runs); it comes when control is back in the loop.
class TSurfaceDC : public TQtDC {
public:
  TSurfaceDC(QImage& surface, QWidget* widget) : TQtDC(surface), Widget(widget) {}
  ~TSurfaceDC() override {
    End();
    if (!Drew() || !Widget || !Widget->isVisible()) return;
    TWindow* window = WindowOfWidget(Widget);
    TNativeWindow* native = window ? window->Native() : nullptr;
    if (native == nullptr || native->Widget != Widget) return;
    native->BlitOnly = true;
    Widget->repaint();
    native->BlitOnly = false;
    if (native->PaintPending) Widget->update();
  }

private:
  QPointer<QWidget> Widget;
};

QImage& ScratchSurface() {
  static QImage scratch(1, 1, QImage::Format_RGB32);
  return scratch;
}

}  // namespace

std::unique_ptr<TDC> TWindow::GetClientDC() {
  if (TRecordingTarget* recording = ActiveRecording()) {
    return std::make_unique<TRecordingDC>(*recording->Log, recording->Metrics);
  }
  if (!IsCreated()) return std::make_unique<TQtDC>(ScratchSurface());
  TNativeWindow& native = *NativePart;
  const TRect client = native.ClientRect();
  const QSize size(std::max(client.Width(), 1), std::max(client.Height(), 1));
  if (native.Surface.size() != size) {
    TWindowClass windowClass;
    GetWindowClass(windowClass);
    native.Surface = QImage(size, QImage::Format_RGB32);
    native.Surface.fill(ToQColor(windowClass.BackgroundBrush));
    native.PaintPending = true;
    native.ErasePending = true;
  }
  return std::make_unique<TSurfaceDC>(native.Surface, native.Widget);
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
