#pragma once
// Control objects. Each is bound by id to a control of its parent dialog's template,
// or (TButton with a position) made as a child of a window. The object owns the
// control's state (text, limit, check state, entries) and mirrors it to the screen;
// what the user types or clicks comes back into it.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Window.h"

namespace platform {

class TControl : public TWindow {
public:
  TControl(TWindow* parent, int id);
  int GetId() const { return Attr.Id; }
};

// A push button. Its click reaches the parent as the command with the button's id.
class TButton : public TControl {
public:
  TButton(TWindow* parent, int id);  // bound to a template control
  TButton(TWindow* parent, int id, std::string_view text, int x, int y, int width, int height,
          bool isDefault = false);
  bool IsDefault() const { return Default; }

protected:
  TNativeKind NativeKind() const override { return TNativeKind::Button; }

private:
  bool Default = false;
};

// A single-line edit control.
class TEdit : public TControl {
public:
  // textLimit counts the NUL: at most textLimit - 1 characters can be typed. 0: no limit.
  TEdit(TWindow* parent, int id, unsigned textLimit = 0);
  // Copies at most size - 1 characters and a NUL into buffer; returns the count copied.
  int GetText(char* buffer, int size) const;
  void SetText(std::string_view text);
  const std::string& Text() const { return Value; }
  unsigned GetTextLimit() const { return Limit; }

protected:
  TNativeKind NativeKind() const override { return TNativeKind::Edit; }

private:
  friend struct TNativeWindow;
  unsigned Limit;
  std::string Value;
  bool HasOwnText = false;  // set or typed; until then the template's text is the value
};

// A list box: unsorted, single selection. A double-click on an entry notifies the
// parent with TNotifyCode::ListDoubleClick.
class TListBox : public TControl {
public:
  TListBox(TWindow* parent, int id);
  void ClearList();
  int AddString(std::string_view text);   // appends; returns its index
  int GetCount() const { return static_cast<int>(Entries.size()); }
  std::string_view GetString(int index) const;
  int GetSelIndex() const { return Selected; }   // -1 when nothing is selected
  void SetSelIndex(int index);
  // Copies the selected entry, at most maxChars characters and a NUL; -1 and an empty
  // buffer when nothing is selected.
  int GetSelString(char* buffer, int maxChars) const;

protected:
  TNativeKind NativeKind() const override { return TNativeKind::ListBox; }

private:
  friend struct TNativeWindow;
  std::vector<std::string> Entries;
  int Selected = -1;
};

namespace CheckState {
inline constexpr int Unchecked = 0;
inline constexpr int Checked = 1;
}  // namespace CheckState

class TCheckBox : public TControl {
public:
  TCheckBox(TWindow* parent, int id);
  int GetCheck() const { return State; }
  void SetCheck(int state);

protected:
  TNativeKind NativeKind() const override { return TNativeKind::CheckBox; }

private:
  friend struct TNativeWindow;
  int State = CheckState::Unchecked;
};

// An automatic radio button: checking it clears the other radio buttons of its group
// (the controls up to the next one with WindowStyle::Group).
class TRadioButton : public TCheckBox {
public:
  TRadioButton(TWindow* parent, int id);

protected:
  TNativeKind NativeKind() const override { return TNativeKind::RadioButton; }
};

// Static text. Until SetText, its text is the template's.
class TStatic : public TControl {
public:
  // textLimit counts the NUL, as for TEdit; 0: no limit.
  TStatic(TWindow* parent, int id, unsigned textLimit = 0);
  void SetText(std::string_view text);
  const std::string& Text() const { return Value; }

protected:
  TNativeKind NativeKind() const override { return TNativeKind::Static; }

private:
  friend struct TNativeWindow;
  unsigned Limit;
  std::string Value;
  bool HasOwnText = false;
};

}  // namespace platform
