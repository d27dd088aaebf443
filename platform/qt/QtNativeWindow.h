#pragma once
// The window system's side of a TWindow: its widget, its surface, its scroll bar and
// its timers. Only the layer's Qt files include this.

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <map>
#include <string>

#include "platform/Controls.h"
#include "platform/DC.h"
#include "platform/Window.h"

class QScrollBar;

namespace platform {

// The TWindow whose widget is `widget` or one of its ancestors; null when none.
TWindow* WindowOfWidget(const QWidget* widget);
// Marks `widget` as the widget of `window` (null: of no window any more).
void BindWidget(QWidget* widget, TWindow* window);

struct TNativeWindow {
  explicit TNativeWindow(TWindow& owner) : Owner(&owner) {}

  TWindow* Owner;
  QPointer<QWidget> Widget;      // the window itself
  QPointer<QScrollBar> VBar;     // its own vertical scroll bar, when it has the style
  QImage Surface;                // what is on the screen of its client area
  bool PaintPending = true;
  bool ErasePending = true;
  // Set while a client DC shows what it drew: that paint only blits the surface, and a
  // pending repaint still comes afterwards, as the window system's own would.
  bool BlitOnly = false;
  TScrollInfo Scroll;            // as last set
  int BarPosition = 0;           // the thumb position last set
  bool BarVisible = false;
  TSize LastClientSize{-1, -1};
  std::map<unsigned, int> Timers;  // our id to the window system's
  int HeldTicks = 0;               // ticks held back while a paint could not come first

  // The control objects' state, as the user changes it on the screen.
  static void StoreText(TEdit& edit, std::string text);
  static void StoreSelection(TListBox& list, int index);
  static void StoreCheck(TCheckBox& box, int state);
  // Shows a control object's state on its widget.
  static void MirrorToWidget(TWindow& control, QWidget& widget);

  // The widget's client area without the scroll bar.
  TRect ClientRect() const;
  // Makes the surface the client area's size when it is not, erased with the window
  // class's brush and due for a paint.
  void FitSurface();
  // Paints the surface if the window has been invalidated, then shows it.
  void PaintNow(QWidget& widget);
  // Places the scroll bar and delivers a size event when the client size changed.
  void Relayout();
  void DeliverSize();
};

// The widget of a plain window: it shows its surface, and hands its timers and its
// close request to the window object.
class TWindowWidget : public QWidget {
public:
  explicit TWindowWidget(QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  TNativeWindow* NativeOf() const;
};

// Where every paint and client DC draws instead of the screen while a recording is
// active (tests and benchmarks set it); null otherwise.
struct TRecordingTarget {
  TDrawLog* Log = nullptr;
  TFixedMetrics Metrics;
};
TRecordingTarget* ActiveRecording();
void SetActiveRecording(TRecordingTarget* target);

}  // namespace platform
