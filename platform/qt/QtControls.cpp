// Control objects: the state they own, and how it is shown on and taken from their
// widgets.

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QValidator>

#include <algorithm>

#include "platform/Controls.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"

namespace platform {

TControl::TControl(TWindow* parent, int id) : TWindow(parent) {
  Attr.Id = id;
  Attr.Style = WindowStyle::Child | WindowStyle::Visible | WindowStyle::TabStop;
}

TButton::TButton(TWindow* parent, int id) : TControl(parent, id) {}

TButton::TButton(TWindow* parent, int id, std::string_view text, int x, int y, int width, int height,
                 bool isDefault)
    : TControl(parent, id), Default(isDefault) {
  SetCaption(text);
  Attr.X = x;
  Attr.Y = y;
  Attr.W = width;
  Attr.H = height;
}

void TNativeWindow::StoreText(TEdit& edit, std::string text) {
  edit.Value = std::move(text);
  edit.HasOwnText = true;
}
void TNativeWindow::StoreSelection(TListBox& list, int index) {
  list.Selected = index >= 0 && index < list.GetCount() ? index : -1;
}
void TNativeWindow::StoreCheck(TCheckBox& box, int state) { box.State = state; }

namespace {

// A text cut to a limit that counts the NUL (0: no limit), never inside a character.
void CutToLimit(std::string& text, unsigned limit) {
  if (limit > 0 && text.size() >= limit) text.resize(Utf8SafeLength(text, limit - 1));
}

// An edit control's limit counts bytes, as its text does on our side: what would take
// the text past it is cut from what was just typed or pasted, a whole character at a
// time, so the user cannot type past the limit and no character is ever halved.
class TByteLimit : public QValidator {
public:
  TByteLimit(unsigned maxBytes, QObject* parent) : QValidator(parent), MaxBytes(maxBytes) {}
  State validate(QString& input, int& position) const override {
    while (static_cast<unsigned>(input.toUtf8().size()) > MaxBytes) {
      if (position <= 0) return Invalid;
      const int width = position >= 2 && input[position - 1].isLowSurrogate() &&
                                input[position - 2].isHighSurrogate() ? 2 : 1;
      input.remove(position - width, width);
      position -= width;
    }
    return Acceptable;
  }

private:
  unsigned MaxBytes;
};

}  // namespace

void TNativeWindow::MirrorToWidget(TWindow& control, QWidget& widget) {
  if (auto* edit = dynamic_cast<TEdit*>(&control)) {
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
      if (edit->Limit > 0) line->setValidator(new TByteLimit(edit->Limit - 1, line));
      // An object with no text of its own takes the template's.
      if (!edit->HasOwnText) edit->Value = FromQString(line->text());
      CutToLimit(edit->Value, edit->Limit);
      const QSignalBlocker blocker(line);
      line->setText(ToQString(edit->Value));
    }
  } else if (auto* list = dynamic_cast<TListBox*>(&control)) {
    if (auto* view = qobject_cast<QListWidget*>(&widget)) {
      const QSignalBlocker blocker(view);
      view->clear();
      for (const std::string& entry : list->Entries) view->addItem(ToQString(entry));
      view->setCurrentRow(list->Selected);
    }
  } else if (auto* box = dynamic_cast<TCheckBox*>(&control)) {
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
      const QSignalBlocker blocker(button);
      button->setChecked(box->State == CheckState::Checked);
    }
  } else if (auto* label = dynamic_cast<TStatic*>(&control)) {
    if (auto* text = qobject_cast<QLabel*>(&widget)) {
      if (!label->HasOwnText) label->Value = FromQString(text->text());
      CutToLimit(label->Value, label->Limit);
      text->setText(ToQString(label->Value));
    }
  }
}

namespace {
template <class W>
W* WidgetOf(const TWindow& control) {
  return control.Native() ? qobject_cast<W*>(control.Native()->Widget.data()) : nullptr;
}
}  // namespace

TEdit::TEdit(TWindow* parent, int id, unsigned textLimit) : TControl(parent, id), Limit(textLimit) {}

int TEdit::GetText(char* buffer, int size) const {
  if (size <= 0) return 0;
  const std::size_t count = std::min<std::size_t>(Value.size(), static_cast<std::size_t>(size - 1));
  Value.copy(buffer, count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

void TEdit::SetText(std::string_view text) {
  Value = std::string(text);
  HasOwnText = true;
  CutToLimit(Value, Limit);
  if (auto* line = WidgetOf<QLineEdit>(*this)) {
    const QSignalBlocker blocker(line);
    line->setText(ToQString(Value));
  }
}

TListBox::TListBox(TWindow* parent, int id) : TControl(parent, id) {}

void TListBox::ClearList() {
  Entries.clear();
  Selected = -1;
  if (auto* view = WidgetOf<QListWidget>(*this)) {
    const QSignalBlocker blocker(view);
    view->clear();
  }
}

int TListBox::AddString(std::string_view text) {
  Entries.emplace_back(text);
  if (auto* view = WidgetOf<QListWidget>(*this)) view->addItem(ToQString(text));
  return GetCount() - 1;
}

std::string_view TListBox::GetString(int index) const {
  return index >= 0 && index < GetCount() ? std::string_view(Entries[static_cast<std::size_t>(index)])
                                          : std::string_view();
}

void TListBox::SetSelIndex(int index) {
  Selected = index >= 0 && index < GetCount() ? index : -1;
  if (auto* view = WidgetOf<QListWidget>(*this)) {
    const QSignalBlocker blocker(view);
    view->setCurrentRow(Selected);
  }
}

int TListBox::GetSelString(char* buffer, int maxChars) const {
  if (maxChars < 0) return -1;
  if (Selected < 0) {
    buffer[0] = '\0';
    return -1;
  }
  const std::string& entry = Entries[static_cast<std::size_t>(Selected)];
  const std::size_t count = std::min<std::size_t>(entry.size(), static_cast<std::size_t>(maxChars));
  entry.copy(buffer, count);
  buffer[count] = '\0';
  return static_cast<int>(count);
}

TCheckBox::TCheckBox(TWindow* parent, int id) : TControl(parent, id) {}

void TCheckBox::SetCheck(int state) {
  State = state;
  if (auto* button = WidgetOf<QAbstractButton>(*this)) {
    const QSignalBlocker blocker(button);
    button->setChecked(state == CheckState::Checked);
  }
}

TRadioButton::TRadioButton(TWindow* parent, int id) : TCheckBox(parent, id) {}

TStatic::TStatic(TWindow* parent, int id, unsigned textLimit) : TControl(parent, id), Limit(textLimit) {}

void TStatic::SetText(std::string_view text) {
  Value = std::string(text);
  HasOwnText = true;
  CutToLimit(Value, Limit);
  if (auto* label = WidgetOf<QLabel>(*this)) label->setText(ToQString(Value));
}

}  // namespace platform
