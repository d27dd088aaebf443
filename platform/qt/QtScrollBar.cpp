// The vertical scroll bar: user actions become scroll codes with the 16-bit thumb
// position, and the bar shows only what the window last set.

#include "platform/qt/QtScrollBar.h"

#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdint>

#include "platform/qt/QtNativeWindow.h"

namespace platform {

namespace {

// Delivers `code` at the bar's position, then, unless the thumb is still being dragged,
// the end of the scroll; then puts the bar where the window has put it.
void DeliverScroll(QScrollBar* bar, QWidget* widget, unsigned code) {
  TWindow* window = WindowOfWidget(widget);
  if (window == nullptr || window->Native() == nullptr) return;
  TEventArgs args;
  args.Code = code;
  args.Position = static_cast<unsigned>(bar->sliderPosition()) & 0xFFFFu;
  QPointer<QScrollBar> guard(bar);
  window->Dispatch(TEventKind::VScroll, args);
  if (code != TScrollCode::ThumbTrack && window->Native()) {
    TEventArgs end;
    end.Code = TScrollCode::EndScroll;
    end.Position = args.Position;
    window->Dispatch(TEventKind::VScroll, end);
  }
  // The window may have gone with the event.
  window = WindowOfWidget(widget);
  if (!guard || guard->isSliderDown() || window == nullptr || window->Native() == nullptr) return;
  const QSignalBlocker blocker(guard.data());
  guard->setSliderPosition(window->Native()->BarPosition);
  guard->setValue(window->Native()->BarPosition);
}

bool ScrollCodeOf(int action, unsigned& code) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::LineUp; return true;
    case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::LineDown; return true;
    case QAbstractSlider::SliderPageStepSub: code = TScrollCode::PageUp; return true;
    case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::PageDown; return true;
    case QAbstractSlider::SliderToMinimum: code = TScrollCode::Top; return true;
    case QAbstractSlider::SliderToMaximum: code = TScrollCode::Bottom; return true;
    case QAbstractSlider::SliderMove: code = TScrollCode::ThumbTrack; return true;
    default: return false;
  }
}

class TNoWheelFilter : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Wheel; }
};

}  // namespace

void AttachScrollBar(TNativeWindow& native) {
  QWidget* widget = native.Widget;
  auto* bar = new QScrollBar(Qt::Vertical, widget);
  bar->setFocusPolicy(Qt::NoFocus);
  bar->installEventFilter(new TNoWheelFilter(bar));
  bar->hide();
  native.VBar = bar;
  QObject::connect(bar, &QAbstractSlider::actionTriggered, widget, [bar, widget](int action) {
    unsigned code = 0;
    if (ScrollCodeOf(action, code)) DeliverScroll(bar, widget, code);
  });
  QObject::connect(bar, &QAbstractSlider::sliderReleased, widget,
                   [bar, widget] { DeliverScroll(bar, widget, TScrollCode::ThumbPosition); });
}

int TWindow::SetScrollInfo(const TScrollInfo& info, bool redraw) {
  if (!IsCreated()) return info.Pos;
  // cppcheck-suppress nullPointerRedundantCheck ; a created window has its native part
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

}  // namespace platform
