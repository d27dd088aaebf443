// Driving real windows from tests through the window system.

#include "platform/testing/Driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>

#include "platform/FrameWindow.h"
#include "platform/qt/QtKeys.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"

namespace platform::testing {

namespace {

QWidget* WidgetOf(const TWindow& window) {
  return window.Native() ? window.Native()->Widget.data() : nullptr;
}

QScrollBar* BarOf(const TWindow& window) {
  return window.Native() ? window.Native()->VBar.data() : nullptr;
}

void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

}  // namespace

void ProcessEventsFor(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (timer.elapsed() < milliseconds);
}

int TopLevelWindowCount() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (WindowOfWidget(widget) != nullptr) ++count;
  }
  return count;
}

void TriggerScroll(TWindow& window, TScrollAction action) {
  QScrollBar* bar = BarOf(window);
  if (bar == nullptr) return;
  switch (action) {
    case TScrollAction::LineUp: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case TScrollAction::LineDown: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case TScrollAction::PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case TScrollAction::PageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case TScrollAction::ToTop: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case TScrollAction::ToBottom: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
  }
}

void DragThumb(TWindow& window, int position) {
  QScrollBar* bar = BarOf(window);
  if (bar == nullptr) return;
  bar->setSliderDown(true);
  bar->setSliderPosition(position);
  if (BarOf(window)) bar->setSliderDown(false);
}

bool ScrollBarVisible(const TWindow& window) {
  return window.Native() && window.Native()->VBar && window.Native()->BarVisible;
}

int ScrollBarPosition(const TWindow& window) {
  QScrollBar* bar = BarOf(window);
  return bar ? bar->sliderPosition() : 0;
}

int ScrollBarMaximumPosition(const TWindow& window) {
  QScrollBar* bar = BarOf(window);
  return bar ? bar->maximum() : 0;
}

void ResizeClient(TWindow& window, int width, int height) {
  QWidget* widget = WidgetOf(window);
  if (widget == nullptr) return;
  const TRect client = window.GetClientRect();
  const QSize delta(width - client.Width(), height - client.Height());
  QWidget* top = widget->window();
  const QSize size = top->size() + delta;
  if (top->minimumSize() == top->maximumSize()) {
    top->setFixedSize(size);
  } else {
    top->resize(size);
  }
  Settle();
}

void ClickButton(TWindow& button) {
  if (auto* widget = qobject_cast<QAbstractButton*>(WidgetOf(button))) widget->click();
}

void PressKey(TWindow& window, TKey key, unsigned modifiers) {
  QWidget* widget = WidgetOf(window);
  if (widget == nullptr) return;
  // Keys go to the active window, as the window system sends them: a window shown a
  // moment ago on a busy machine may not be active yet.
  QWidget* top = widget->window();
  if (!top->isActiveWindow()) {
    top->activateWindow();
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(top, 2000);
  }
  QTest::keyClick(widget, QtKeyOf(key), QtModifiersOf(modifiers));
}

void ChooseMenuItem(TWindow& frame, int commandId) {
  auto* main = qobject_cast<QMainWindow*>(WidgetOf(frame));
  if (main == nullptr) return;
  for (QAction* popup : main->menuBar()->actions()) {
    if (!popup->menu()) continue;
    for (QAction* item : popup->menu()->actions()) {
      if (!item->isSeparator() && item->data().toInt() == commandId) {
        item->trigger();
        return;
      }
    }
  }
}

void CloseBox(TWindow& window) {
  if (QWidget* widget = WidgetOf(window)) widget->window()->close();
}

std::vector<std::string> MenuTexts(const TWindow& frame) {
  std::vector<std::string> texts;
  auto* main = qobject_cast<QMainWindow*>(WidgetOf(frame));
  if (main == nullptr) return texts;
  for (QAction* popup : main->menuBar()->actions()) {
    texts.push_back(FromQString(popup->text()));
    if (!popup->menu()) continue;
    for (QAction* item : popup->menu()->actions()) {
      texts.push_back(item->isSeparator() ? std::string() : FromQString(item->text()));
    }
  }
  return texts;
}

TWindowDecoration Decoration(const TWindow& window) {
  TWindowDecoration decoration{};
  QWidget* widget = WidgetOf(window);
  if (widget == nullptr) return decoration;
  QWidget* top = widget->window();
  const Qt::WindowFlags flags = top->windowFlags();
  decoration.HasMinimizeButton = flags.testFlag(Qt::WindowMinimizeButtonHint);
  decoration.HasMaximizeButton = flags.testFlag(Qt::WindowMaximizeButtonHint);
  decoration.HasCloseButton = flags.testFlag(Qt::WindowCloseButtonHint);
  decoration.FixedSize = top->minimumSize() == top->maximumSize();
  decoration.Minimized = top->isMinimized();
  return decoration;
}

namespace {
struct TScopeState {
  TRecordingTarget Target;
  TRecordingTarget* Previous = nullptr;
};
std::vector<TScopeState*>& Scopes() {
  static std::vector<TScopeState*> scopes;
  return scopes;
}
}  // namespace

TRecordingScope::TRecordingScope(TDrawLog& log, TFixedMetrics metrics) {
  auto* state = new TScopeState{{&log, metrics}, ActiveRecording()};
  Scopes().push_back(state);
  SetActiveRecording(&state->Target);
}

TRecordingScope::~TRecordingScope() {
  TScopeState* state = Scopes().back();
  Scopes().pop_back();
  SetActiveRecording(state->Previous);
  delete state;
}

bool SavePicture(const TWindow& window, const std::string& pngPath) {
  QWidget* widget = WidgetOf(window);
  return widget && widget->grab().save(QString::fromStdString(pngPath), "PNG");
}

}  // namespace platform::testing
