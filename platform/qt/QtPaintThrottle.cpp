#include "platform/qt/QtPaintThrottle.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

// The repaints held back are asked for again by one timer at the end of the interval,
// so that a pump with nothing waiting stays as cheap as the window system's own check.
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

void ProcessMessagesThrottled() {
  TPaintThrottle& throttle = PaintThrottle();
  ++throttle.Pumping;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  --throttle.Pumping;
}

}  // namespace platform
