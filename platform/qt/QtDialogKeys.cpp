#include "platform/qt/QtDialogKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "platform/Commands.h"
#include "platform/Dialog.h"
#include "platform/qt/QtDialogWidget.h"
#include "platform/qt/QtWidgetFactory.h"

namespace platform {

namespace {

constexpr const char* RadioGroupProperty = "quorvelRadioGroup";

bool CanTakeFocus(const QWidget* widget) { return widget && widget->isVisible() && widget->isEnabled(); }

}  // namespace

void SetRadioGroup(QWidget* radio, int group) { radio->setProperty(RadioGroupProperty, group); }

void CheckInGroup(QWidget* dialogWidget, QAbstractButton* radio) {
  const QVariant group = radio->property(RadioGroupProperty);
  radio->setChecked(true);
  for (QRadioButton* other : dialogWidget->findChildren<QRadioButton*>()) {
    if (other != radio && other->property(RadioGroupProperty) == group) other->setChecked(false);
  }
}

void TDialogKeys::AddControl(QWidget* control, bool tabStop) { Controls.push_back({control, tabStop}); }

void TDialogKeys::Watch() {
  DialogWidget->installEventFilter(this);
  for (QWidget* child : DialogWidget->findChildren<QWidget*>()) child->installEventFilter(this);
}

bool TDialogKeys::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = dynamic_cast<QKeyEvent*>(event);
  if (key == nullptr) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  TDialog* dialog = DialogOfWidget(DialogWidget);
  if (dialog == nullptr) return false;
  switch (key->key()) {
    case Qt::Key_Escape:
      dialog->RouteCommand(IdCancel);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Enter(*dialog);
      return true;
    case Qt::Key_Tab:
      MoveFocus(!(key->modifiers() & Qt::ShiftModifier));
      return true;
    case Qt::Key_Backtab:
      MoveFocus(false);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Left:
      return MoveInRadioGroup(false);
    case Qt::Key_Down:
    case Qt::Key_Right:
      return MoveInRadioGroup(true);
    default:
      return false;
  }
}

// The focused push button, else the default push button, else OK.
void TDialogKeys::Enter(TDialog& dialog) {
  if (auto* focused = qobject_cast<QPushButton*>(DialogWidget->focusWidget())) {
    focused->click();
    return;
  }
  for (QPushButton* button : DialogWidget->findChildren<QPushButton*>()) {
    if (IsDefaultPushButton(button) && button->isEnabled()) {
      button->click();
      return;
    }
  }
  dialog.RouteCommand(IdOk);
}

// Tab goes to the next control with a tab stop in template order (Shift+Tab to the one
// before), from wherever the focus is, also from a control without a tab stop; hidden
// and disabled controls are passed over, and the last wraps round to the first.
void TDialogKeys::MoveFocus(bool forward) {
  const int count = static_cast<int>(Controls.size());
  if (count == 0) return;
  QWidget* focus = DialogWidget->focusWidget();
  int current = forward ? -1 : count;
  for (int i = 0; i < count; ++i) {
    QWidget* control = Controls[static_cast<std::size_t>(i)].Control;
    if (control && focus && (control == focus || control->isAncestorOf(focus))) current = i;
  }
  for (int step = 1; step <= count; ++step) {
    const int index = ((current + (forward ? step : -step)) % count + count) % count;
    const TEntry& candidate = Controls[static_cast<std::size_t>(index)];
    if (candidate.TabStop && CanTakeFocus(candidate.Control)) {
      candidate.Control->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

// An arrow key on a radio button moves the focus to the next one of its group (the one
// before for up and left) and checks it when it is not checked yet.
bool TDialogKeys::MoveInRadioGroup(bool forward) {
  auto* focused = qobject_cast<QRadioButton*>(DialogWidget->focusWidget());
  if (focused == nullptr) return false;
  std::vector<QRadioButton*> group;
  for (const TEntry& entry : Controls) {
    auto* radio = qobject_cast<QRadioButton*>(entry.Control.data());
    if (radio && radio->property(RadioGroupProperty) == focused->property(RadioGroupProperty)) {
      group.push_back(radio);
    }
  }
  const auto count = static_cast<long>(group.size());
  const long current = std::find(group.begin(), group.end(), focused) - group.begin();
  for (long step = 1; step < count; ++step) {
    QRadioButton* candidate = group[static_cast<std::size_t>(((current + (forward ? step : -step)) % count + count) % count)];
    if (CanTakeFocus(candidate)) {
      candidate->setFocus(Qt::OtherFocusReason);
      if (!candidate->isChecked()) candidate->click();
      break;
    }
  }
  return true;
}

}  // namespace platform
