#pragma once
// The window system's side of a TWindow: its widget, its surface, its scroll bar and
// its timers. Only the platform's Qt files include this.

#include <QColor>
#include <QEventLoop>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Application.h"
#include "platform/DC.h"
#include "platform/Font.h"
#include "platform/Resources.h"
#include "platform/Window.h"
#include "platform/Controls.h"
#include "platform/testing/Driver.h"

class QScrollBar;

namespace platform {

// Texts are bytes, one character each.
inline QString ToQString(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQString(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
inline QColor ToQColor(TColor color) { return QColor(color.Red, color.Green, color.Blue); }

// The font a handle names, as the window system draws it.
QFont QtFontOf(TFontHandle handle);
// A picture of an icon resource; a null pixmap for an unknown id.
QPixmap IconPixmap(int iconId);

// Starts the one window system of the process.
void EnsureWindowSystem();

// The TWindow whose native widget is `widget` (or holds it), or null.
TWindow* WindowOfWidget(QWidget* widget);

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
  bool InDestroy = false;

  // The control objects' state, as the user changes it on the screen.
  static void StoreText(TEdit& edit, std::string text);
  static void StoreSelection(TListBox& list, int index);
  static void StoreCheck(TCheckBox& box, int state);
  // Shows a control object's state on its widget.
  static void MirrorToWidget(TWindow& control, QWidget& widget);

  // The widget's client area without the scroll bar.
  TRect ClientRect() const;
  // Paints the surface if the window has been invalidated, then shows it.
  void PaintNow(QWidget& widget);
  // Places the scroll bar and delivers a size event when the client size changed.
  void Relayout();
  void DeliverSize();
};

// A message loop of our own: every running loop is known, so that a quit request can
// end them all, innermost first. End() may be called from inside a nested loop: this
// loop then returns when control is back in it.
class TModalLoop {
public:
  void Run();          // until End() or a quit request
  void End();
  bool Ended() const { return Done; }
  // Lives exactly as long as the loop: timers that belong to this loop use it.
  QObject* Context() { return &Loop; }

private:
  friend void ExitAllLoops();
  QEventLoop Loop;
  bool Done = false;
};
// Ends every running loop (the quit request).
void ExitAllLoops();
bool QuitIsPending();

// The test harness's hook: called once a modal loop has shown its window, from inside
// that loop. Null outside tests.
namespace testing {
class TModal;
}
// Runs the next queued test script inside the modal loop that has just shown
// `context`. When test scripting is on and the loop is still open at the deadline
// (no script was queued, or the script left it open), ends it with `end` and notes the
// miss. Call it from inside the loop; `end` runs only while the loop is running.
// Outside tests it does nothing.
void ModalShown(testing::TModal& modal, QObject* context, std::function<void()> end);
void EnableModalScripts(bool enabled);

// The recording scope, when one is active.
struct TRecordingTarget {
  TDrawLog* Log = nullptr;
  TFixedMetrics Metrics;
};
TRecordingTarget* ActiveRecording();
void SetActiveRecording(TRecordingTarget* target);

}  // namespace platform
