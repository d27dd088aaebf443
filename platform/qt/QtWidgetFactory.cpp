// The widget factory: each kind of window gets its widget here, and controls made at a
// pixel position (the view's buttons) are made here too.

#include "platform/qt/QtWidgetFactory.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/FrameWindow.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"

namespace platform {

namespace {

constexpr const char* ControlIdProperty = "quorvelControlId";
constexpr const char* DefaultButtonProperty = "quorvelDefaultButton";

QWidget* MakePlainWidget(TWindow& window, QWidget* parentWidget) {
  auto* widget = new TWindowWidget(parentWidget);
  if (parentWidget == nullptr) {
    widget->setWindowTitle(ToQString(window.GetTitle()));
    widget->resize(window.Attr.W > 0 ? window.Attr.W : 640, window.Attr.H > 0 ? window.Attr.H : 480);
  } else {
    widget->setGeometry(window.Attr.X, window.Attr.Y, window.Attr.W, window.Attr.H);
  }
  return widget;
}

// A control object's widget. A control of a dialog's template already has its widget,
// made with the dialog: the object takes it over and shows its own state on it.
QWidget* MakeControlWidget(TWindow& control, TWindow::TNativeKind kind, QWidget* parentWidget) {
  if (parentWidget != nullptr && dynamic_cast<TDialog*>(control.GetParent()) != nullptr) {
    if (QWidget* existing = FindControlWidget(parentWidget, control.Attr.Id)) {
      TNativeWindow::MirrorToWidget(control, *existing);
      return existing;
    }
  }
  QWidget* widget = nullptr;
  const QString text = ToQString(control.GetTitle());
  switch (kind) {
    case TWindow::TNativeKind::Button: {
      auto* object = dynamic_cast<TButton*>(&control);
      QPushButton* button = MakePushButton(text, parentWidget, object && object->IsDefault());
      QObject::connect(button, &QPushButton::clicked, button, [button] {
        // A click reaches the parent as the command with the button's id.
        if (TWindow* window = WindowOfWidget(button)) {
          if (window->GetParent()) window->GetParent()->RouteCommand(window->Attr.Id);
        }
      });
      widget = button;
      break;
    }
    case TWindow::TNativeKind::Edit: widget = new QLineEdit(parentWidget); break;
    case TWindow::TNativeKind::ListBox: widget = new QListWidget(parentWidget); break;
    case TWindow::TNativeKind::CheckBox: widget = new QCheckBox(text, parentWidget); break;
    case TWindow::TNativeKind::RadioButton: widget = new QRadioButton(text, parentWidget); break;
    default: widget = new QLabel(text, parentWidget); break;
  }
  widget->setGeometry(control.Attr.X, control.Attr.Y, control.Attr.W, control.Attr.H);
  SetControlId(widget, control.Attr.Id);
  TNativeWindow::MirrorToWidget(control, *widget);
  return widget;
}

}  // namespace

QWidget* MakeNativeWidget(TWindow& window, TWindow::TNativeKind kind, QWidget* parentWidget) {
  switch (kind) {
    case TWindow::TNativeKind::Frame: return MakeFrameWidget(dynamic_cast<TFrameWindow&>(window));
    case TWindow::TNativeKind::Window: return MakePlainWidget(window, parentWidget);
    case TWindow::TNativeKind::Dialog: return MakeDialogWidget(dynamic_cast<TDialog&>(window), parentWidget);
    default: return MakeControlWidget(window, kind, parentWidget);
  }
}

QPushButton* MakePushButton(const QString& text, QWidget* parent, bool isDefault) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  // Enter is the dialog's own; the default button looks the part.
  button->setDefault(isDefault);
  if (isDefault) button->setProperty(DefaultButtonProperty, true);
  return button;
}

int ControlIdOf(const QWidget* widget) {
  const QVariant value = widget->property(ControlIdProperty);
  return value.isValid() ? value.toInt() : 0;
}

void SetControlId(QWidget* widget, int id) { widget->setProperty(ControlIdProperty, id); }

QWidget* FindControlWidget(QWidget* container, int id) {
  for (QWidget* child : container->findChildren<QWidget*>()) {
    if (ControlIdOf(child) == id) return child;
  }
  return nullptr;
}

bool IsDefaultPushButton(const QWidget* button) { return button->property(DefaultButtonProperty).toBool(); }

}  // namespace platform
