// Message boxes: modal over their owner's window, with a text, a caption and OK.

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/Commands.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtNative.h"

namespace platform {

namespace {

class TMessageBoxModal : public testing::TModal {
public:
  TMessageBoxModal(QMessageBox& box, TWindow* owner, bool exclamation)
      : Box(&box), OwnerWindow(owner), Exclamation(exclamation) {}
  TKind Kind() const override { return TKind::MessageBox; }
  std::string Caption() const override { return Box ? FromQString(Box->windowTitle()) : ""; }
  std::string Text() const override { return Box ? FromQString(Box->text()) : ""; }
  bool HasExclamationIcon() const override { return Exclamation; }
  TWindow* Owner() const override { return OwnerWindow; }
  TDialog* Dialog() const override { return nullptr; }
  void Click(int) override {
    if (Box && Box->button(QMessageBox::Ok)) Box->button(QMessageBox::Ok)->click();
  }
  void PressKey(TKey key) override {
    if (!Box) return;
    const int code = key == TKey::Escape ? Qt::Key_Escape : Qt::Key_Return;
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(Box->focusWidget() ? Box->focusWidget() : Box.data(), &press);
  }
  void CloseBox() override {
    if (Box) Box->close();
  }
  void TypeText(int, std::string_view) override {}
  void SelectListEntry(int, int) override {}
  void DoubleClickListEntry(int, int) override {}
  int FocusedControlId() const override { return 0; }
  TRect ControlRect(int) const override { return {}; }
  bool SavePicture(const std::string& pngPath) const override {
    return Box && Box->grab().save(QString::fromStdString(pngPath), "PNG");
  }

private:
  QPointer<QMessageBox> Box;
  TWindow* OwnerWindow;
  bool Exclamation;
};

}  // namespace

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
  TMessageBoxModal modal(box, owner, exclamation);
  QTimer::singleShot(0, &box, [&modal, &box] { ModalShown(modal, &box, [&box] { box.done(QMessageBox::Ok); }); });
  loop.Run();
  box.hide();
  return loop.Ended() ? IdOk : 0;
}

}  // namespace platform
