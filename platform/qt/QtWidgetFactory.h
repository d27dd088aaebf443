#pragma once
// Making the widget of every kind of window: the factory that TWindow::Create calls, and
// the pieces that frames, dialogs and controls share.

#include <QPushButton>
#include <QString>
#include <QWidget>

#include "platform/Window.h"

namespace platform {

class TDialog;
class TFrameWindow;

// The widget of `window`, of its kind, under parentWidget (null: a top-level window);
// null when it cannot be made.
QWidget* MakeNativeWidget(TWindow& window, TWindow::TNativeKind kind, QWidget* parentWidget);

// Each kind's maker: frames in QtFrame.cpp, dialogs in QtDialogBuilder.cpp.
QWidget* MakeFrameWidget(TFrameWindow& frame);
QWidget* MakeDialogWidget(TDialog& dialog, QWidget* ownerWidget);

// A push button whose Enter and default-button handling are the dialog's own (see
// QtDialogKeys.h); `isDefault` marks it as the default push button.
QPushButton* MakePushButton(const QString& text, QWidget* parent, bool isDefault);

// The control id a widget was made for; 0 when none.
int ControlIdOf(const QWidget* widget);
void SetControlId(QWidget* widget, int id);
// The child control of `container` made for `id`; null when none.
QWidget* FindControlWidget(QWidget* container, int id);
// Whether a push button is a default push button.
bool IsDefaultPushButton(const QWidget* button);

}  // namespace platform
