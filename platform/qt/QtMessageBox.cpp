// Message boxes: modal over their owner's window, with a text, a caption and OK.

#include <QMessageBox>

#include "platform/Commands.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtModalLoop.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindowSystem.h"

namespace platform {

int MessageBox(TWindow* owner, std::string_view text, std::string_view caption, unsigned type) {
  EnsureWindowSystem();
  if (QuitIsPending()) return 0;
  QWidget* ownerWidget = owner && owner->IsCreated() ? owner->Native()->Widget->window() : nullptr;
  const bool exclamation = (type & MessageBoxType::IconExclamation) == MessageBoxType::IconExclamation;

  QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, ToQString(caption),
                  ToQString(text), QMessageBox::Ok, ownerWidget);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  TModalLoop loop;
  QObject::connect(&box, &QMessageBox::finished, &box, [&loop] { loop.End(); });
  box.show();
  const TModalWindow modal{TModalWindow::TKind::MessageBox, &box, owner, nullptr, exclamation, text, &loop,
                           [&box] { box.done(QMessageBox::Ok); }};
  RunModalLoop(loop, modal);
  box.hide();
  return loop.Ended() ? IdOk : 0;
}

}  // namespace platform
