// The surface of a window: what its client area shows. Paint draws on it after the
// class brush has erased it, a client DC draws on it outside paint, and the widget shows
// it. The widget of a plain window, which hands its timers and close request on.

#include <QCloseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimerEvent>

#include <algorithm>

#include "platform/qt/QtDC.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"

namespace platform {

namespace {

TRecordingTarget* Recording = nullptr;

// How many ticks a window that cannot paint yet lets go by before it hears one anyway.
constexpr int MaxHeldTicks = 50;

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

TRecordingTarget* ActiveRecording() { return Recording; }
void SetActiveRecording(TRecordingTarget* target) { Recording = target; }

// ---------------------------------------------------------------------------------
// TNativeWindow

TRect TNativeWindow::ClientRect() const {
  if (!Widget) return {};
  int width = Widget->width();
  if (VBar && BarVisible) width -= VBar->width();
  return {0, 0, std::max(width, 0), Widget->height()};
}

void TNativeWindow::FitSurface() {
  const TRect client = ClientRect();
  const QSize size(std::max(client.Width(), 1), std::max(client.Height(), 1));
  if (Surface.size() == size) return;
  TWindowClass windowClass;
  Owner->GetWindowClass(windowClass);
  Surface = QImage(size, QImage::Format_RGB32);
  Surface.fill(ToQColor(windowClass.BackgroundBrush));
  PaintPending = true;
  ErasePending = true;
}

void TNativeWindow::PaintNow(QWidget& widget) {
  FitSurface();
  if (PaintPending && !BlitOnly) {
    TWindowClass windowClass;
    Owner->GetWindowClass(windowClass);
    const bool erase = ErasePending;
    PaintPending = false;
    ErasePending = false;
    if (erase && windowClass.HasBackgroundBrush) Surface.fill(ToQColor(windowClass.BackgroundBrush));
    const TRect client = ClientRect();
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

std::unique_ptr<TDC> TWindow::GetClientDC() {
  if (TRecordingTarget* recording = ActiveRecording()) {
    return std::make_unique<TRecordingDC>(*recording->Log, recording->Metrics);
  }
  if (!IsCreated()) return std::make_unique<TQtDC>(ScratchSurface());
  NativePart->FitSurface();
  return std::make_unique<TSurfaceDC>(NativePart->Surface, NativePart->Widget);
}

// ---------------------------------------------------------------------------------
// The widget of a plain window

TWindowWidget::TWindowWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TNativeWindow* TWindowWidget::NativeOf() const {
  TWindow* window = WindowOfWidget(this);
  return window && window->Native() && window->Native()->Widget == this ? window->Native() : nullptr;
}

void TWindowWidget::paintEvent(QPaintEvent*) {
  if (TNativeWindow* native = NativeOf()) native->PaintNow(*this);
}

void TWindowWidget::resizeEvent(QResizeEvent*) {
  if (TNativeWindow* native = NativeOf()) native->Relayout();
}

void TWindowWidget::timerEvent(QTimerEvent* event) {
  TNativeWindow* native = NativeOf();
  if (native == nullptr) return;
  for (const auto& [id, qtId] : native->Timers) {
    if (qtId != event->timerId()) continue;
    // Paints come before timer ticks. A window that the window system has not shown yet
    // cannot paint at once: its tick waits for a later one, for a while at most, so
    // that a window that never paints (minimised, say) still hears its timer.
    if (native->PaintPending && isVisible() && !window()->isMinimized()) {
      repaint();
      // cppcheck-suppress knownConditionTrueFalse ; the repaint clears it when it paints
      if (native->PaintPending && native->HeldTicks < MaxHeldTicks) {
        ++native->HeldTicks;
        return;
      }
    }
    native->HeldTicks = 0;
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

}  // namespace platform
