// Building a dialog's window and its controls from the dialog's template: placement in
// dialog units, the controls in template order, their radio groups and tab stops, and
// how what the user does with a control reaches its control object and the dialog.

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <cstdlib>

#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/qt/QtDialogKeys.h"
#include "platform/qt/QtDialogWidget.h"
#include "platform/qt/QtDialogUnits.h"
#include "platform/qt/QtIcons.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWidgetFactory.h"

namespace platform {

namespace {

template <class T>
T* ControlObject(TDialog* dialog, int id) {
  return dialog ? dynamic_cast<T*>(dialog->ChildWithId(id)) : nullptr;
}


void ConnectControl(QWidget* widget, QWidget* dialogWidget, TControlKind kind, int id) {
  switch (kind) {
    case TControlKind::PushButton:
    case TControlKind::CheckBox:
    case TControlKind::RadioButton:
      QObject::connect(qobject_cast<QAbstractButton*>(widget), &QAbstractButton::toggled, dialogWidget,
                       [dialogWidget, id](bool checked) {
                         if (auto* box = ControlObject<TCheckBox>(DialogOfWidget(dialogWidget), id)) {
                           TNativeWindow::StoreCheck(*box, checked ? CheckState::Checked : CheckState::Unchecked);
                         }
                       });
      QObject::connect(qobject_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, dialogWidget,
                       [dialogWidget, widget, kind, id] {
                         if (kind == TControlKind::RadioButton) {
                           CheckInGroup(dialogWidget, qobject_cast<QAbstractButton*>(widget));
                         }
                         if (TDialog* dialog = DialogOfWidget(dialogWidget)) dialog->RouteCommand(id);
                       });
      break;
    case TControlKind::Edit:
      QObject::connect(qobject_cast<QLineEdit*>(widget), &QLineEdit::textChanged, dialogWidget,
                       [dialogWidget, id](const QString& text) {
                         if (auto* edit = ControlObject<TEdit>(DialogOfWidget(dialogWidget), id)) {
                           TNativeWindow::StoreText(*edit, FromQString(text));
                         }
                       });
      break;
    case TControlKind::ListBox: {
      auto* list = qobject_cast<QListWidget*>(widget);
      QObject::connect(list, &QListWidget::currentRowChanged, dialogWidget, [dialogWidget, id](int row) {
        if (auto* box = ControlObject<TListBox>(DialogOfWidget(dialogWidget), id)) {
          TNativeWindow::StoreSelection(*box, row);
        }
      });
      QObject::connect(list, &QListWidget::itemDoubleClicked, dialogWidget, [dialogWidget, id] {
        if (TDialog* dialog = DialogOfWidget(dialogWidget)) {
          TEventArgs args;
          args.Id = id;
          args.Code = TNotifyCode::ListDoubleClick;
          dialog->Dispatch(TEventKind::Notify, args);
        }
      });
      break;
    }
    default:
      break;
  }
}

QWidget* MakeTemplateControl(const TDialogControl& control, QWidget* dialogWidget, const TDialogUnits& units) {
  QWidget* widget = nullptr;
  const QString text = ToQString(control.Text ? control.Text : "");
  switch (control.Kind) {
    case TControlKind::PushButton:
      widget = MakePushButton(text, dialogWidget, (control.Style & ControlStyle::DefaultButton) != 0);
      break;
    case TControlKind::Edit: {
      auto* edit = new QLineEdit(text, dialogWidget);
      edit->setFrame((control.Style & WindowStyle::Border) != 0);
      widget = edit;
      break;
    }
    case TControlKind::ListBox: {
      auto* list = new QListWidget(dialogWidget);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setSortingEnabled(false);
      list->setUniformItemSizes(true);
      // Entries wider than the box are cut at its edge, not shortened with an ellipsis.
      list->setTextElideMode(Qt::ElideNone);
      // The bars its styles give it, and no others.
      list->setVerticalScrollBarPolicy((control.Style & WindowStyle::VScroll) ? Qt::ScrollBarAsNeeded
                                                                              : Qt::ScrollBarAlwaysOff);
      list->setHorizontalScrollBarPolicy((control.Style & WindowStyle::HScroll) ? Qt::ScrollBarAsNeeded
                                                                                : Qt::ScrollBarAlwaysOff);
      widget = list;
      break;
    }
    case TControlKind::CheckBox:
      widget = new QCheckBox(text, dialogWidget);
      break;
    case TControlKind::RadioButton: {
      // The group is ours (CheckInGroup), so that setting one button's check leaves the
      // others as they are, as on the original system.
      auto* radio = new QRadioButton(text, dialogWidget);
      radio->setAutoExclusive(false);
      widget = radio;
      break;
    }
    case TControlKind::Static: {
      auto* label = new QLabel(text, dialogWidget);
      label->setWordWrap(true);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(((control.Style & ControlStyle::Center) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
      if (control.Style & ControlStyle::Sunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      if (control.Style & WindowStyle::Border) label->setFrameStyle(QFrame::Box | QFrame::Plain);
      if ((control.Style & ControlStyle::Sunken) && (control.Style & WindowStyle::Border)) {
        label->setFrameStyle(QFrame::Box | QFrame::Sunken);
      }
      widget = label;
      break;
    }
    case TControlKind::Icon: {
      auto* label = new QLabel(dialogWidget);
      label->setPixmap(IconPixmap(std::atoi(control.Text ? control.Text : "0")));
      widget = label;
      break;
    }
  }
  const QRect rect = units.ToPixels(control.X, control.Y, control.Width, control.Height);
  if (control.Kind == TControlKind::Icon) {
    widget->setGeometry(rect.x(), rect.y(), 32, 32);
  } else {
    widget->setGeometry(rect);
  }
  SetControlId(widget, control.Id);
  if (control.Kind != TControlKind::Static && control.Kind != TControlKind::Icon) {
    widget->setFocusPolicy((control.Style & WindowStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  }
  ConnectControl(widget, dialogWidget, control.Kind, control.Id);
  if (!(control.Style & WindowStyle::Visible)) widget->hide();
  return widget;
}

}  // namespace

QWidget* MakeDialogWidget(TDialog& dialog, QWidget* ownerWidget) {
  const TDialogTemplate* dialogTemplate = dialog.GetTemplate();
  if (dialogTemplate == nullptr) return nullptr;

  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (dialogTemplate->Style & WindowStyle::SysMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  // The context-help caption button is shown and does nothing.
  if (dialogTemplate->Style & DialogStyle::ContextHelp) flags |= Qt::WindowContextHelpButtonHint;
  QWidget* owner = ownerWidget ? ownerWidget->window() : nullptr;
  auto* widget = new TDialogWidget(owner, flags);
  widget->setWindowTitle(ToQString(dialogTemplate->Caption));
  widget->setAutoFillBackground(true);

  const QFont font = DialogFont(dialogTemplate->FontFace, dialogTemplate->FontPoints);
  widget->setFont(font);
  const TDialogUnits units = TDialogUnits::ForFont(font);
  const QRect frame = units.ToPixels(dialogTemplate->X, dialogTemplate->Y, dialogTemplate->Width,
                                     dialogTemplate->Height);
  widget->setFixedSize(frame.size());
  if (owner) {
    const QPoint origin = owner->mapToGlobal(QPoint(0, 0));
    widget->move(origin + frame.topLeft());
  } else {
    widget->move(frame.topLeft());
  }

  auto* keys = new TDialogKeys(widget);
  int radioGroup = 0;
  bool inRadioGroup = false;
  for (const TDialogControl& control : dialogTemplate->Controls) {
    QWidget* controlWidget = MakeTemplateControl(control, widget, units);
    // Radio buttons up to the next control that opens a group clear one another.
    if (control.Style & WindowStyle::Group) inRadioGroup = false;
    if (control.Kind == TControlKind::RadioButton) {
      if (!inRadioGroup) ++radioGroup;
      inRadioGroup = true;
      SetRadioGroup(controlWidget, radioGroup);
    }
    keys->AddControl(controlWidget,
                     (control.Style & WindowStyle::TabStop) && controlWidget->focusPolicy() != Qt::NoFocus);
  }
  keys->Watch();
  return widget;
}


}  // namespace platform
