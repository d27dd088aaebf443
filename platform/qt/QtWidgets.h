#pragma once
// The widgets behind our windows, and how a window's widget is made.

#include <QMainWindow>
#include <QWidget>

#include "platform/Window.h"

namespace platform {

struct TNativeWindow;

// Marks `widget` as the native side of `window` (null: of no window any more).
void BindWidget(QWidget* widget, TWindow* window);

// Makes the widget of a window of the given kind under parentWidget (null: top-level).
// Frames, plain windows and buttons here; dialogs and their controls in QtDialog.cpp.
QWidget* MakeNativeWidget(TWindow& window, TWindow::TNativeKind kind, QWidget* parentWidget);
QWidget* MakeDialogWidget(TWindow& dialog, QWidget* ownerWidget);
QWidget* MakeControlWidget(TWindow& control, TWindow::TNativeKind kind, QWidget* parentWidget);

// A plain window: it paints through its surface.
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

}  // namespace platform
