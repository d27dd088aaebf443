// The baseline of the reader's start-up and memory figures: the barest Qt Widgets
// program, a window of the reader's size that shows itself and paints a colour. It runs
// until it is ended (for its peak memory), or with --first-paint prints the milliseconds
// from its entry function's first line to its first paint and ends there. It uses Qt
// itself, not our layer: it measures what any Qt Widgets program costs.
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

std::chrono::steady_clock::time_point EntryTime;

class TBareWindow : public QWidget {
public:
  explicit TBareWindow(bool endAfterPaint) : EndAfterPaint(endAfterPaint) {}

protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter(this).fillRect(event->rect(), QColor(192, 192, 192));
    if (!EndAfterPaint || Seen) return;
    Seen = true;
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - EntryTime;
    std::printf("%.3f\n", elapsed.count());
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  }

private:
  bool EndAfterPaint;
  bool Seen = false;
};

}  // namespace

int main(int argc, char** argv) {
  EntryTime = std::chrono::steady_clock::now();
  const bool endAfterPaint = argc > 1 && std::strcmp(argv[1], "--first-paint") == 0;
  QApplication application(argc, argv);
  TBareWindow window(endAfterPaint);
  window.resize(960, 768);
  window.show();
  return QApplication::exec();
}
