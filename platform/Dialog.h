#pragma once
// Modal dialogs built from templates.
//
// Execute() makes the dialog's window and its controls from the template, binds the
// control objects made with this dialog as parent to the template's controls of the
// same id, runs SetupWindow, shows the dialog over its parent and runs a modal loop
// until EndDialog. The owner's top-level window takes no input meanwhile. A dialog
// ended during nested processing (a scan pumping messages inside a command) closes
// when control is back in its loop.
//
// Keys: Escape and the close box send command 2 (IdCancel). Enter clicks the focused
// push button, else the default push button, else sends command 1 (IdOk). Tab moves
// through the controls with a tab stop in template order. The context-help caption
// button does nothing.

#include "platform/DialogTemplate.h"
#include "platform/Window.h"

namespace platform {

class TModalLoop;

class TDialog : public TWindow {
public:
  // The template is looked up by id in the default module when the dialog is made.
  TDialog(TWindow* parent, int templateId);
  ~TDialog() override;

  // Runs the dialog modally; returns the EndDialog result, or -1 when the dialog
  // could not be made or a quit request was pending.
  int Execute();
  void EndDialog(int result);
  bool IsExecuting() const;

  // The base also applies the control objects' settings (text limits, texts).
  void SetupWindow() override;

  // The default answers to OK and Cancel: end the dialog with 1 and 2.
  void CmOk();
  void CmCancel();

  int GetTemplateId() const { return TemplateId; }
  const TDialogTemplate* GetTemplate() const;

  static const TEventTable Events;
  const TEventTable& GetEventTable() const override { return Events; }

protected:
  TNativeKind NativeKind() const override { return TNativeKind::Dialog; }

private:
  int TemplateId;
  int Result = 0;
  bool Ending = false;
  bool Running = false;
  TModalLoop* Loop = nullptr;
};

}  // namespace platform
