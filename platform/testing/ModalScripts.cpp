// The scripts of modal loops: the queue, the deadline, and what a script sees of the
// dialog or message box it runs in.

#include "platform/testing/ModalScripts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <cstdio>
#include <deque>

#include "platform/Dialog.h"
#include "platform/FontChooser.h"
#include "platform/qt/QtKeys.h"
#include "platform/qt/QtModalLoop.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWidgetFactory.h"

namespace platform::testing {

namespace {

std::deque<TModalScript>& Scripts() {
  static std::deque<TModalScript> scripts;
  return scripts;
}
int DeadlineMs = 5000;
bool DeadlineMissed = false;

// Press and release of the left button at `point` of `target` (a second click as a
// double-click when asked); the focus goes where a click puts it.
void MouseClick(QWidget* target, QPoint point, bool doubleClick) {
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

// A dialog or a message box, driven through its widgets as the user would.
class TDrivenModal : public TModal {
public:
  explicit TDrivenModal(const TModalWindow& modal) : Modal(modal), Window(modal.Window) {}

  TKind Kind() const override {
    switch (Modal.Kind) {
      case TModalWindow::TKind::Dialog: return TKind::Dialog;
      case TModalWindow::TKind::MessageBox: return TKind::MessageBox;
      case TModalWindow::TKind::FontChooser: return TKind::FontChooser;
    }
    return TKind::Dialog;
  }
  std::string Caption() const override {
    if (Modal.Dialog != nullptr) {
      const TDialogTemplate* dialogTemplate = Modal.Dialog->GetTemplate();
      return dialogTemplate ? dialogTemplate->Caption : "";
    }
    return Window ? FromQString(Window->windowTitle()) : "";
  }
  std::string Text() const override { return std::string(Modal.Text); }
  bool HasExclamationIcon() const override { return Modal.Exclamation; }
  TWindow* Owner() const override { return Modal.Owner; }
  TDialog* Dialog() const override { return Modal.Dialog; }

  // A left click at the button's own click area, as the mouse delivers it; a message
  // box's OK for a message box.
  void Click(int id) override {
    if (auto* box = qobject_cast<QMessageBox*>(Window.data())) {
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
      return;
    }
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
    QPointer<QWidget> target = Window ? Window->focusWidget() : nullptr;
    if (target == nullptr) target = Window;
    if (target == nullptr) return;
    const Qt::Key code = QtKeyOf(key);
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    // The key may have moved the focus (Tab) or ended the modal: the release goes to the
    // control that now has the focus, as the window system sends it.
    if (QWidget* now = Window ? Window->focusWidget() : nullptr) QApplication::sendEvent(now, &release);
  }
  void CloseBox() override {
    if (Window) Window->close();
  }
  void TypeText(int editId, std::string_view text) override {
    auto* edit = qobject_cast<QLineEdit*>(Control(editId));
    if (edit == nullptr) return;
    edit->setFocus();
    // One key a character, as the bytes show on the screen.
    const QString characters = ToQString(text);
    for (qsizetype i = 0; i < characters.size(); ++i) {
      const qsizetype width = characters[i].isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, characters.mid(i, width));
      QApplication::sendEvent(edit, &press);
      i += width - 1;
    }
  }
  void SelectListEntry(int listId, int index) override {
    // A drop-down list: the entry chosen from it.
    if (auto* combo = qobject_cast<QComboBox*>(Control(listId))) {
      if (index < 0 || index >= combo->count()) return;
      combo->setFocus(Qt::MouseFocusReason);
      combo->setCurrentIndex(index);
      emit combo->activated(index);
      return;
    }
    ClickListEntry(listId, index, false);
  }
  void DoubleClickListEntry(int listId, int index) override { ClickListEntry(listId, index, true); }
  int FocusedControlId() const override {
    QWidget* focus = Window ? Window->focusWidget() : nullptr;
    return focus ? ControlIdOf(focus) : 0;
  }
  TRect ControlRect(int controlId) const override {
    QWidget* control = Control(controlId);
    if (control == nullptr) return {};
    const QRect r = control->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
  }
  bool SavePicture(const std::string& pngPath) const override {
    return Window && Window->grab().save(QString::fromStdString(pngPath), "PNG");
  }

  bool ChooseFont(std::string_view family, std::string_view style, int points, bool underline,
                  bool strikeOut) override {
    auto* fonts = Window ? Window->findChild<QFontDialog*>() : nullptr;
    if (fonts == nullptr) return false;
    const QString familyName = ToQString(family);
    const QString styleName = ToQString(style);
    if (!QFontDatabase::families().contains(familyName) ||
        !QFontDatabase::styles(familyName).contains(styleName)) {
      return false;
    }
    QFont font = QFontDatabase::font(familyName, styleName, points);
    font.setPointSize(points);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    fonts->setCurrentFont(font);
    // The focus ends in the size field, as after a user typed the size there.
    for (QLineEdit* edit : fonts->findChildren<QLineEdit*>()) {
      if (edit->isVisible() && edit->text() == QString::number(points)) edit->setFocus();
    }
    return true;
  }
  std::string ShownFont() const override {
    auto* fonts = Window ? Window->findChild<QFontDialog*>() : nullptr;
    if (fonts == nullptr) return {};
    const QFont font = fonts->currentFont();
    auto* colours = qobject_cast<QComboBox*>(Control(ChooseFontColourListId));
    return FromQString(font.family() + ", " + font.styleName() + ", " + QString::number(font.pointSizeF()) + ", " +
                       (colours ? colours->currentText() : QString()));
  }

private:
  QWidget* Control(int id) const { return Window ? FindControlWidget(Window, id) : nullptr; }

  void ClickListEntry(int listId, int index, bool doubleClick) {
    auto* list = qobject_cast<QListWidget*>(Control(listId));
    QListWidgetItem* item = list ? list->item(index) : nullptr;
    if (item == nullptr) return;
    list->scrollToItem(item);
    MouseClick(list->viewport(), list->visualItemRect(item).center(), doubleClick);
  }

  const TModalWindow& Modal;
  QPointer<QWidget> Window;
};

// Runs the next script inside the modal loop that has just shown its window, and ends
// the loop at the deadline when it is still open then.
class TScriptObserver : public TModalObserver {
public:
  void ModalShown(const TModalWindow& modal) override {
    TDrivenModal driven(modal);
    const std::string caption = driven.Caption();
    bool scripted = false;
    if (!Scripts().empty()) {
      TModalScript script = std::move(Scripts().front());
      Scripts().pop_front();
      scripted = true;
      script(driven);
    }
    if (modal.Loop->Ended() || QuitIsPending()) return;
    // The deadline belongs to the loop, so that it can never fire once the loop is gone.
    TModalLoop* loop = modal.Loop;
    const std::function<void()> end = modal.End;
    loop->Post(
        [loop, end, caption, scripted] {
          if (loop->Ended()) return;
          DeadlineMissed = true;
          std::fprintf(stderr,
                       scripted ? "a modal loop (\"%s\") was still open after its test script, and was closed\n"
                                : "a modal loop (\"%s\") found no test script and was closed\n",
                       caption.c_str());
          end();
        },
        DeadlineMs);
  }
  void ModalEnded(const TModalWindow&) override {}
};

TScriptObserver& Observer() {
  static TScriptObserver observer;
  return observer;
}

}  // namespace

void OnNextModal(TModalScript script) { Scripts().push_back(std::move(script)); }
int PendingModalScripts() { return static_cast<int>(Scripts().size()); }
void ClearModalScripts() { Scripts().clear(); }
void SetModalDeadline(int milliseconds) { DeadlineMs = milliseconds; }
bool ModalDeadlineMissed() { return DeadlineMissed; }
void ResetModalDeadlineMissed() { DeadlineMissed = false; }

void InstallModalScripts() { SetModalObserver(&Observer()); }
void RemoveModalScripts() { SetModalObserver(nullptr); }

}  // namespace platform::testing
