// Frame windows on QMainWindow: caption, icons, menu bar, accelerators, style, the
// client that fills them, and the close request.

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

#include "platform/Application.h"
#include "platform/FrameWindow.h"
#include "platform/qt/QtIcons.h"
#include "platform/qt/QtKeys.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWidgetFactory.h"

namespace platform {

namespace {

class TFrameWidget : public QMainWindow {
public:
  using QMainWindow::QMainWindow;

protected:
  void closeEvent(QCloseEvent* event) override {
    // The close box and the window manager's close key: the frame decides.
    event->ignore();
    if (auto* frame = dynamic_cast<TFrameWindow*>(WindowOfWidget(this))) frame->EvClose();
  }
};

Qt::WindowFlags FlagsOf(TStyle style) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (style & WindowStyle::SysMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (style & WindowStyle::MinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  if (style & WindowStyle::MaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

QKeySequence SequenceOf(TKey key, unsigned modifiers) {
  return QKeySequence(QKeyCombination(QtModifiersOf(modifiers), QtKeyOf(key)));
}

void BuildMenuBar(QMainWindow& widget, const TMenuResource& menu) {
  QMenuBar* bar = widget.menuBar();
  bar->clear();
  for (const TMenuPopup& popup : menu.Popups) {
    QMenu* pop = bar->addMenu(ToQString(popup.Text));
    for (const TMenuItem& item : popup.Items) {
      if (item.Text == nullptr) {
        pop->addSeparator();
        continue;
      }
      // The text after the tab is shown as the item's key label; the key itself is in
      // the accelerator table, or is the system's own.
      QAction* action = pop->addAction(ToQString(item.Text));
      action->setData(item.CommandId);
      const int id = item.CommandId;
      QObject::connect(action, &QAction::triggered, &widget, [&widget, id] {
        if (auto* owner = dynamic_cast<TFrameWindow*>(WindowOfWidget(&widget))) owner->RouteMenuCommand(id);
      });
    }
  }
}

}  // namespace

QWidget* MakeFrameWidget(TFrameWindow& frame) {
  auto* widget = new TFrameWidget(nullptr, FlagsOf(frame.Attr.Style));
  widget->setWindowTitle(ToQString(frame.GetTitle()));
  if (frame.IconId() != 0) widget->setWindowIcon(QIcon(IconPixmap(frame.IconId())));
  if (const TMenuResource* menu = DefaultModule().FindMenu(frame.MenuId())) {
    BuildMenuBar(*widget, *menu);
  }
  if (const TAcceleratorTable* keys = DefaultModule().FindAccelerators(frame.AcceleratorId())) {
    for (const TAccelerator& key : keys->Keys) {
      auto* shortcut = new QShortcut(SequenceOf(key.Key, key.Modifiers), widget);
      shortcut->setContext(Qt::WindowShortcut);
      const int id = key.CommandId;
      QObject::connect(shortcut, &QShortcut::activated, widget, [widget, id] {
        if (auto* owner = dynamic_cast<TFrameWindow*>(WindowOfWidget(widget))) owner->RouteMenuCommand(id);
      });
    }
  }
  if (frame.Attr.Style & WindowStyle::SysMenu) {
    // Alt+F4 is the system's close key for a window with a system menu.
    auto* close = new QShortcut(SequenceOf(TKey::F4, KeyModifier::Alt), widget);
    close->setContext(Qt::WindowShortcut);
    QObject::connect(close, &QShortcut::activated, widget, [widget] {
      if (auto* owner = dynamic_cast<TFrameWindow*>(WindowOfWidget(widget))) owner->EvClose();
    });
  }
  // The default place and size of a new top-level window: where the window manager
  // puts it, three quarters of the available screen.
  QSize size(frame.Attr.W, frame.Attr.H);
  if (size.width() <= 0 || size.height() <= 0) {
    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    size = QSize(available.width() * 3 / 4, available.height() * 3 / 4);
  }
  if (frame.Attr.Style & WindowStyle::ThickFrame) {
    widget->resize(size);
  } else {
    widget->setFixedSize(size);
  }
  return widget;
}

// ---------------------------------------------------------------------------------

const TEventTable TFrameWindow::Events{{}, &TWindow::Events};

TFrameWindow::TFrameWindow(TWindow* parent, std::string_view title, TWindow* client, bool)
    : TWindow(parent, title), Client(client) {
  Attr.Style = parent ? (WindowStyle::Child | WindowStyle::Visible) : WindowStyle::OverlappedWindow;
  if (Client) {
    Client->SetParent(this);
    Client->Attr.Style |= WindowStyle::Child | WindowStyle::Visible;
  }
}

TFrameWindow::~TFrameWindow() = default;

void TFrameWindow::SetupWindow() {
  TWindow::SetupWindow();
  if (Client && Client->IsCreated() && IsCreated()) {
    if (auto* main = qobject_cast<QMainWindow*>(Native()->Widget.data())) {
      main->setCentralWidget(Client->Native()->Widget);
    }
  }
}

void TFrameWindow::SetIcon(int iconId) {
  Icon = iconId;
  if (IsCreated()) Native()->Widget->setWindowIcon(QIcon(IconPixmap(iconId)));
}

void TFrameWindow::SetIconSm(int iconId) { SmallIcon = iconId; }

void TFrameWindow::AssignMenu(int menuId) { Menu = menuId; }

void TFrameWindow::SetMenuDescr(int menuId) {
  Menu = menuId;
  if (!IsCreated()) return;
  if (auto* main = qobject_cast<QMainWindow*>(Native()->Widget.data())) {
    if (const TMenuResource* menu = DefaultModule().FindMenu(menuId)) BuildMenuBar(*main, *menu);
  }
}

void TFrameWindow::SetAcceleratorTable(int acceleratorId) { Accelerators = acceleratorId; }

void TFrameWindow::RouteMenuCommand(int id) {
  TWindow* target = Client ? Client : this;
  // A focused window inside the frame hears the command first. The frame's own widgets
  // (its menu bar keeps the focus after a menu opened by the keyboard) are not such a
  // window: the command starts at the client then, as it does with no focus at all.
  TWindow* focused = WindowOfWidget(QApplication::focusWidget());
  if (focused != nullptr && focused != this) {
    for (const TWindow* window = focused->GetParent(); window != nullptr; window = window->GetParent()) {
      if (window == this) {
        target = focused;
        break;
      }
    }
  }
  target->RouteCommand(id);
}

void TFrameWindow::EvClose() {
  if (!IsCreated()) return;
  TApplication* application = TApplication::Current();
  if (application && application->GetMainWindow() == this) {
    if (!application->CanClose()) return;
    Destroy(0);
    return;
  }
  CloseWindow(0);
}

}  // namespace platform
