// The modal dialog: its loop, its end, and its window's close box.

#include "platform/Dialog.h"

#include <QCloseEvent>
#include <QWidget>

#include "platform/Commands.h"
#include "platform/Resources.h"
#include "platform/qt/QtDialogWidget.h"
#include "platform/qt/QtModalLoop.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtWidgetFactory.h"

namespace platform {

void TDialogWidget::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (TDialog* dialog = DialogOfWidget(this)) dialog->RouteCommand(IdCancel);
}

TDialog* DialogOfWidget(QWidget* widget) {
  for (TWindow* window = WindowOfWidget(widget); window != nullptr; window = window->GetParent()) {
    if (auto* dialog = dynamic_cast<TDialog*>(window)) return dialog;
  }
  return nullptr;
}

namespace {
constexpr TEventEntry DialogEntries[] = {
    OnCommand<&TDialog::CmOk>(IdOk),
    OnCommand<&TDialog::CmCancel>(IdCancel),
};
}  // namespace

const TEventTable TDialog::Events{DialogEntries, &TWindow::Events};

TDialog::TDialog(TWindow* parent, int templateId) : TemplateId(templateId) {
  SetOwner(parent);
  Attr.Style = WindowStyle::Popup | WindowStyle::Caption | WindowStyle::SysMenu;
}

TDialog::~TDialog() {
  if (Loop) Loop->End();
}

const TDialogTemplate* TDialog::GetTemplate() const { return DefaultModule().FindDialog(TemplateId); }

void TDialog::SetupWindow() { TWindow::SetupWindow(); }

bool TDialog::IsExecuting() const { return Running; }

int TDialog::Execute() {
  if (QuitIsPending()) return -1;
  Ending = false;
  Result = 0;
  if (!Create()) return -1;
  // Ended in its own set-up: it never shows, and its result stands.
  if (Ending) {
    Destroy(Result);
    return Result;
  }
  QWidget* widget = Native()->Widget;
  // Modal over the owner's top-level window (over every window when it has no owner).
  widget->setWindowModality(Qt::WindowModal);
  widget->show();
  widget->activateWindow();
  // The first shown and enabled control with a tab stop takes the focus.
  for (const TDialogControl& control : GetTemplate()->Controls) {
    if (control.Style & WindowStyle::TabStop) {
      QWidget* first = FindControlWidget(widget, control.Id);
      if (first && first->isVisible() && first->isEnabled()) {
        first->setFocus(Qt::TabFocusReason);
        break;
      }
    }
  }

  TModalLoop loop;
  Loop = &loop;
  Running = true;
  const TModalWindow modal{TModalWindow::TKind::Dialog, widget, GetParent(), this, false, {}, &loop,
                           [this] { EndDialog(IdCancel); }};
  RunModalLoop(loop, modal);
  Running = false;
  Loop = nullptr;
  Destroy(Result);
  return Ending ? Result : -1;
}

void TDialog::EndDialog(int result) {
  Result = result;
  Ending = true;
  if (Loop) Loop->End();
}

void TDialog::CmOk() { EndDialog(IdOk); }
void TDialog::CmCancel() { EndDialog(IdCancel); }

}  // namespace platform
