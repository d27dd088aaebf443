#pragma once
// The window of a modal dialog.

#include <QWidget>

namespace platform {

class TDialog;

// Its close box sends the dialog Cancel (2) instead of closing it.
class TDialogWidget : public QWidget {
public:
  TDialogWidget(QWidget* owner, Qt::WindowFlags flags) : QWidget(owner, flags) {}

protected:
  void closeEvent(QCloseEvent* event) override;
};

// The dialog object that `widget` belongs to (the dialog's window or one of its
// controls); null when none.
TDialog* DialogOfWidget(QWidget* widget);

}  // namespace platform
