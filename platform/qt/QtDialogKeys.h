#pragma once
// The keys of a dialog, answered as the original system's dialogs answer them:
// Escape sends Cancel (2); Enter clicks the focused push button, else the default push
// button, else sends OK (1); Tab and Shift+Tab move through the controls with a tab stop
// in template order; the arrow keys move through a group of radio buttons.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class QAbstractButton;

namespace platform {

class TDialog;

// Radio buttons belong to a group number given when they are made (SetRadioGroup).
void SetRadioGroup(QWidget* radio, int group);
// Checks `radio` and clears the other radio buttons of its group, as an automatic radio
// button does when it is clicked; the toggles reach the control objects.
void CheckInGroup(QWidget* dialogWidget, QAbstractButton* radio);

class TDialogKeys : public QObject {
public:
  explicit TDialogKeys(QWidget* dialogWidget) : QObject(dialogWidget), DialogWidget(dialogWidget) {}

  // Every control, in template order, and whether it has a tab stop.
  void AddControl(QWidget* control, bool tabStop);
  // Watches the dialog and every control for their keys.
  void Watch();

  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct TEntry {
    QPointer<QWidget> Control;
    bool TabStop = false;
  };

  void Enter(TDialog& dialog);
  void MoveFocus(bool forward);
  bool MoveInRadioGroup(bool forward);

  QWidget* DialogWidget;
  std::vector<TEntry> Controls;
};

}  // namespace platform
