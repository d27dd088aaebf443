// Modal dialogs built from templates, the widgets of their controls, and the dialog keys.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "platform/Application.h"
#include "platform/Commands.h"
#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/qt/QtDialogUnits.h"
#include "platform/qt/QtNative.h"
#include "platform/qt/QtWidgets.h"

namespace platform {

namespace {

constexpr const char* ControlIdProperty = "quorvelControlId";
constexpr const char* DefaultButtonProperty = "quorvelDefaultButton";
constexpr const char* RadioGroupProperty = "quorvelRadioGroup";

TDialog* DialogOfWidget(QWidget* widget) {
  for (TWindow* window = WindowOfWidget(widget); window != nullptr; window = window->GetParent()) {
    if (auto* dialog = dynamic_cast<TDialog*>(window)) return dialog;
  }
  return nullptr;
}

int ControlIdOf(const QWidget* widget) {
  const QVariant value = widget->property(ControlIdProperty);
  return value.isValid() ? value.toInt() : 0;
}

QWidget* ControlWidget(QWidget* dialogWidget, int id) {
  for (QWidget* child : dialogWidget->findChildren<QWidget*>()) {
    if (ControlIdOf(child) == id) return child;
  }
  return nullptr;
}

template <class T>
T* ControlObject(TDialog* dialog, int id) {
  return dialog ? dynamic_cast<T*>(dialog->ChildWithId(id)) : nullptr;
}

// Checks `radio` and clears the other radio buttons of its group, as an automatic radio
// button does when it is clicked. The toggles reach the control objects.
void CheckInGroup(QWidget* dialogWidget, QAbstractButton* radio) {
  const QVariant group = radio->property(RadioGroupProperty);
  radio->setChecked(true);
  for (QRadioButton* other : dialogWidget->findChildren<QRadioButton*>()) {
    if (other != radio && other->property(RadioGroupProperty) == group) other->setChecked(false);
  }
}

// Escape, Enter, Tab and the arrow keys among radio buttons, as dialogs answer them.
class TDialogKeys : public QObject {
public:
  explicit TDialogKeys(QWidget* dialogWidget) : QObject(dialogWidget), DialogWidget(dialogWidget) {}

  // The controls with a tab stop, in template order.
  void AddTabStop(QWidget* control) { TabStops.emplace_back(control); }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
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

private:
  // The focused push button, else the default push button, else OK.
  void Enter(TDialog& dialog) {
    if (auto* focused = qobject_cast<QPushButton*>(DialogWidget->focusWidget())) {
      focused->click();
      return;
    }
    for (QPushButton* button : DialogWidget->findChildren<QPushButton*>()) {
      if (button->property(DefaultButtonProperty).toBool() && button->isEnabled()) {
        button->click();
        return;
      }
    }
    dialog.RouteCommand(IdOk);
  }

  // Tab goes to the next control with a tab stop in template order (Shift+Tab to the
  // one before), passing over hidden and disabled ones, round from the last to the first.
  void MoveFocus(bool forward) {
    const int count = static_cast<int>(TabStops.size());
    if (count == 0) return;
    int current = forward ? -1 : count;
    QWidget* focus = DialogWidget->focusWidget();
    for (int i = 0; i < count; ++i) {
      if (TabStops[static_cast<std::size_t>(i)] == focus) current = i;
    }
    for (int step = 1; step <= count; ++step) {
      const int index = ((current + (forward ? step : -step)) % count + count) % count;
      QWidget* candidate = TabStops[static_cast<std::size_t>(index)];
      if (candidate && candidate->isVisible() && candidate->isEnabled()) {
        candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
      }
    }
  }

  // An arrow key on a radio button moves to the next one of its group and checks it.
  bool MoveInRadioGroup(bool forward) {
    auto* focused = qobject_cast<QRadioButton*>(DialogWidget->focusWidget());
    if (focused == nullptr) return false;
    std::vector<QRadioButton*> group;
    for (QRadioButton* radio : DialogWidget->findChildren<QRadioButton*>()) {
      if (radio->property(RadioGroupProperty) == focused->property(RadioGroupProperty)) group.push_back(radio);
    }
    const auto count = static_cast<long>(group.size());
    const long current = std::find(group.begin(), group.end(), focused) - group.begin();
    for (long step = 1; step < count; ++step) {
      QRadioButton* candidate = group[static_cast<std::size_t>(((current + (forward ? step : -step)) % count + count) % count)];
      if (candidate->isVisible() && candidate->isEnabled()) {
        candidate->setFocus(Qt::OtherFocusReason);
        candidate->click();
        break;
      }
    }
    return true;
  }

  QWidget* DialogWidget;
  std::vector<QPointer<QWidget>> TabStops;
};

class TDialogWidget : public QWidget {
public:
  TDialogWidget(QWidget* owner, Qt::WindowFlags flags) : QWidget(owner, flags) {}

protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (TDialog* dialog = DialogOfWidget(this)) dialog->RouteCommand(IdCancel);
  }
};

void ConnectControl(QWidget* widget, QWidget* dialogWidget, TControlKind kind, int id) {
  switch (kind) {
    case TControlKind::PushButton:
    case TControlKind::CheckBox:
    case TControlKind::RadioButton:
      QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::toggled, dialogWidget,
                       [dialogWidget, id](bool checked) {
                         if (auto* box = ControlObject<TCheckBox>(DialogOfWidget(dialogWidget), id)) {
                           TNativeWindow::StoreCheck(*box, checked ? CheckState::Checked : CheckState::Unchecked);
                         }
                       });
      QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, dialogWidget,
                       [dialogWidget, widget, kind, id] {
                         if (kind == TControlKind::RadioButton) {
                           CheckInGroup(dialogWidget, static_cast<QAbstractButton*>(widget));
                         }
                         if (TDialog* dialog = DialogOfWidget(dialogWidget)) dialog->RouteCommand(id);
                       });
      break;
    case TControlKind::Edit:
      QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textChanged, dialogWidget,
                       [dialogWidget, id](const QString& text) {
                         if (auto* edit = ControlObject<TEdit>(DialogOfWidget(dialogWidget), id)) {
                           TNativeWindow::StoreText(*edit, FromQString(text));
                         }
                       });
      break;
    case TControlKind::ListBox: {
      auto* list = static_cast<QListWidget*>(widget);
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
    case TControlKind::PushButton: {
      auto* button = new QPushButton(text, dialogWidget);
      button->setAutoDefault(false);
      // Enter is the dialog's own (TDialogKeys); the default button only looks the part.
      const bool isDefault = (control.Style & ControlStyle::DefaultButton) != 0;
      button->setDefault(isDefault);
      if (isDefault) button->setProperty(DefaultButtonProperty, true);
      widget = button;
      break;
    }
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
  widget->setProperty(ControlIdProperty, control.Id);
  if (control.Kind != TControlKind::Static && control.Kind != TControlKind::Icon) {
    widget->setFocusPolicy((control.Style & WindowStyle::TabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  }
  ConnectControl(widget, dialogWidget, control.Kind, control.Id);
  if (!(control.Style & WindowStyle::Visible)) widget->hide();
  return widget;
}

}  // namespace

QWidget* MakeDialogWidget(TWindow& window, QWidget* ownerWidget) {
  auto& dialog = static_cast<TDialog&>(window);
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
      controlWidget->setProperty(RadioGroupProperty, radioGroup);
    }
    if ((control.Style & WindowStyle::TabStop) && controlWidget->focusPolicy() != Qt::NoFocus) {
      keys->AddTabStop(controlWidget);
    }
  }
  widget->installEventFilter(keys);
  for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(keys);
  return widget;
}

QWidget* MakeControlWidget(TWindow& control, TWindow::TNativeKind kind, QWidget* parentWidget) {
  // A control of a dialog's template: the object takes the template's control.
  if (parentWidget != nullptr && dynamic_cast<TDialog*>(control.GetParent()) != nullptr) {
    if (QWidget* existing = ControlWidget(parentWidget, control.Attr.Id)) {
      TNativeWindow::MirrorToWidget(control, *existing);
      return existing;
    }
  }
  QWidget* widget = nullptr;
  const QString text = ToQString(control.GetTitle());
  switch (kind) {
    case TWindow::TNativeKind::Button: {
      auto* button = new QPushButton(text, parentWidget);
      button->setAutoDefault(false);
      if (auto* object = dynamic_cast<TButton*>(&control); object && object->IsDefault()) {
        button->setProperty(DefaultButtonProperty, true);
      }
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
  widget->setProperty(ControlIdProperty, control.Attr.Id);
  TNativeWindow::MirrorToWidget(control, *widget);
  return widget;
}

// ---------------------------------------------------------------------------------
// TDialog

namespace {

constexpr TEventEntry DialogEntries[] = {
    OnCommand<&TDialog::CmOk>(IdOk),
    OnCommand<&TDialog::CmCancel>(IdCancel),
};

// What a test script sees of a running dialog.
class TDialogModal : public testing::TModal {
public:
  explicit TDialogModal(TDialog& dialog) : Object(dialog) {}
  TKind Kind() const override { return TKind::Dialog; }
  std::string Caption() const override {
    const TDialogTemplate* t = Object.GetTemplate();
    return t ? t->Caption : "";
  }
  std::string Text() const override { return {}; }
  bool HasExclamationIcon() const override { return false; }
  TWindow* Owner() const override { return Object.GetParent(); }
  TDialog* Dialog() const override { return &Object; }
  // A left click at the button's own click area, as the mouse delivers it.
  void Click(int id) override {
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (button == nullptr || !button->isVisible()) return;
    QPoint point = button->rect().center();
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = button->text();
      const auto element = qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxClickRect
                                                            : QStyle::SE_RadioButtonClickRect;
      point = button->style()->subElementRect(element, &option, button).center();
    }
    MouseClick(button, point, false);
  }
  void PressKey(TKey key) override {
    QPointer<QWidget> target = Widget() ? Widget()->focusWidget() : nullptr;
    if (target == nullptr) target = Widget();
    if (target == nullptr) return;
    const int code = key == TKey::Escape ? Qt::Key_Escape : key == TKey::Enter ? Qt::Key_Return
                   : key == TKey::Tab ? Qt::Key_Tab : static_cast<int>(key);
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    // The key may have moved the focus (Tab) or ended the dialog: the release goes to
    // the control that now has the focus, as the window system sends it.
    if (QWidget* now = Widget() ? Widget()->focusWidget() : nullptr) QApplication::sendEvent(now, &release);
  }
  void CloseBox() override {
    if (QWidget* widget = Widget()) widget->close();
  }
  void TypeText(int editId, std::string_view text) override {
    auto* edit = qobject_cast<QLineEdit*>(Control(editId));
    if (edit == nullptr) return;
    edit->setFocus();
    for (const char c : text) {
      const QString character = QString(QChar::fromLatin1(c));
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
      QApplication::sendEvent(edit, &press);
    }
  }
  void SelectListEntry(int listId, int index) override {
    auto* list = qobject_cast<QListWidget*>(Control(listId));
    QListWidgetItem* item = list ? list->item(index) : nullptr;
    if (item == nullptr) return;
    list->scrollToItem(item);
    MouseClick(list->viewport(), list->visualItemRect(item).center(), false);
  }
  void DoubleClickListEntry(int listId, int index) override {
    auto* list = qobject_cast<QListWidget*>(Control(listId));
    QListWidgetItem* item = list ? list->item(index) : nullptr;
    if (item == nullptr) return;
    list->scrollToItem(item);
    MouseClick(list->viewport(), list->visualItemRect(item).center(), true);
  }
  int FocusedControlId() const override {
    QWidget* focus = Widget() ? Widget()->focusWidget() : nullptr;
    return focus ? ControlIdOf(focus) : 0;
  }
  TRect ControlRect(int controlId) const override {
    QWidget* control = Control(controlId);
    if (control == nullptr) return {};
    const QRect r = control->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  }
  bool SavePicture(const std::string& pngPath) const override {
    QWidget* widget = Widget();
    return widget && widget->grab().save(QString::fromStdString(pngPath), "PNG");
  }

private:
  // Press and release of the left button at `point` of `target` (a second click as a
  // double-click when asked); the focus goes where a click puts it.
  static void MouseClick(QWidget* target, QPoint point, bool doubleClick) {
    QPointer<QWidget> guard(target);
    QWidget* focusTaker = target;
    while (focusTaker && !(focusTaker->focusPolicy() & Qt::ClickFocus) && !focusTaker->isWindow()) {
      focusTaker = focusTaker->parentWidget();
    }
    if (focusTaker && (focusTaker->focusPolicy() & Qt::ClickFocus)) focusTaker->setFocus(Qt::MouseFocusReason);
    const QPointF local(point);
    const QPointF global(target->mapToGlobal(point));
    const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
      if (!guard) return;
      QMouseEvent event(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
      QApplication::sendEvent(guard, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    if (doubleClick) {
      send(QEvent::MouseButtonDblClick, Qt::LeftButton);
      send(QEvent::MouseButtonRelease, Qt::NoButton);
    }
  }
  QWidget* Widget() const { return Object.Native() ? Object.Native()->Widget.data() : nullptr; }
  QWidget* Control(int id) const {
    QWidget* widget = Widget();
    return widget ? ControlWidget(widget, id) : nullptr;
  }
  TDialog& Object;
};

}  // namespace

const TEventTable TDialog::Events{DialogEntries, &TWindow::Events};

TDialog::TDialog(TWindow* parent, int templateId) : TWindow(parent), TemplateId(templateId) {
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
  QWidget* widget = Native()->Widget;
  // Modal over the owner's top-level window (over every window when it has no owner).
  widget->setWindowModality(Qt::WindowModal);
  widget->show();
  widget->activateWindow();
  // The first shown and enabled control with a tab stop takes the focus.
  const TDialogTemplate* dialogTemplate = GetTemplate();
  for (const TDialogControl& control : dialogTemplate->Controls) {
    if (control.Style & WindowStyle::TabStop) {
      QWidget* first = ControlWidget(widget, control.Id);
      if (first && first->isVisible() && first->isEnabled()) {
        first->setFocus(Qt::TabFocusReason);
        break;
      }
    }
  }

  TModalLoop loop;
  Loop = &loop;
  Running = true;
  TDialogModal modal(*this);
  QTimer::singleShot(0, widget, [this, &modal, widget] {
    ModalShown(modal, widget, [this] { EndDialog(IdCancel); });
  });
  if (!Ending) loop.Run();
  Running = false;
  Loop = nullptr;
  Destroy(Result);
  if (!Ending) return -1;
  return Result;
}

void TDialog::EndDialog(int result) {
  Result = result;
  Ending = true;
  if (Loop) Loop->End();
}

void TDialog::CmOk() { EndDialog(IdOk); }
void TDialog::CmCancel() { EndDialog(IdCancel); }

}  // namespace platform
