// The font chooser: Qt's own font dialog used as a widget, without its buttons, with
// the colour list, the sample in its colour, and OK and Cancel around it.

#include "platform/FontChooser.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

#include "platform/Commands.h"
#include "platform/Window.h"
#include "platform/qt/QtFont.h"
#include "platform/qt/QtModalLoop.h"
#include "platform/qt/QtNativeWindow.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWidgetFactory.h"
#include "platform/qt/QtWindowSystem.h"

namespace platform {

const TNamedColour StandardColours[16] = {
    {"Black", {0, 0, 0}},         {"Maroon", {128, 0, 0}},      {"Green", {0, 128, 0}},
    {"Olive", {128, 128, 0}},     {"Navy", {0, 0, 128}},        {"Purple", {128, 0, 128}},
    {"Teal", {0, 128, 128}},      {"Grey", {128, 128, 128}},    {"Silver", {192, 192, 192}},
    {"Red", {255, 0, 0}},         {"Lime", {0, 255, 0}},        {"Yellow", {255, 255, 0}},
    {"Blue", {0, 0, 255}},        {"Fuchsia", {255, 0, 255}},   {"Aqua", {0, 255, 255}},
    {"White", {255, 255, 255}},
};

namespace {

double LogicalDpi() {
  const QScreen* screen = QApplication::primaryScreen();
  return screen != nullptr && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
}

// The style of `family` that has this weight and slant and no other width: the one the
// chooser's style list is to show ("Book" for DejaVu Sans at 400, not its "Condensed",
// nor its "Oblique", which the font database does not count as italic).
QString MatchingStyle(const QString& family, int weight, bool italic) {
  const auto penalty = [italic](const QString& style) {
    int points = 0;
    for (const char* width : {"Condensed", "Expanded", "Narrow"}) {
      if (style.contains(QLatin1String(width))) points += 2;
    }
    const bool slanted = style.contains(QLatin1String("Oblique")) || style.contains(QLatin1String("Italic"));
    if (slanted != italic) points += 4;
    return points;
  };
  QString match;
  for (const QString& style : QFontDatabase::styles(family)) {
    if (QFontDatabase::weight(family, style) != weight || QFontDatabase::italic(family, style) != italic) continue;
    if (match.isEmpty() || penalty(style) < penalty(match)) match = style;
  }
  return match;
}

// The chooser's font for a description: the family as it resolves, the style that
// matches, and the size in points at the screen's resolution.
QFont ChooserFontOf(const TFontDescription& description) {
  const TFont made(description);
  const QFont drawn = QtFontOf(made.GetHandle());
  const QFontInfo info(drawn);
  QFont font(info.family());
  const QString style = MatchingStyle(info.family(), info.weight(), info.italic());
  if (!style.isEmpty()) font.setStyleName(style);
  font.setWeight(static_cast<QFont::Weight>(info.weight()));
  font.setItalic(info.italic());
  font.setPointSizeF(info.pixelSize() * 72.0 / LogicalDpi());
  font.setUnderline(description.Underline);
  font.setStrikeOut(description.StrikeOut);
  return font;
}

TFontDescription DescriptionOf(const QFont& font) {
  TFontDescription description;
  description.Face = FromQString(font.family());
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
  description.Height = static_cast<int>(std::lround(points * LogicalDpi() / 72.0));
  description.Weight = font.weight();
  description.Italic = font.italic();
  description.Underline = font.underline();
  description.StrikeOut = font.strikeOut();
  return description;
}

bool SameChoice(const QFont& a, const QFont& b) {
  return a.family() == b.family() && a.styleName() == b.styleName() && a.weight() == b.weight() &&
         a.italic() == b.italic() && std::abs(a.pointSizeF() - b.pointSizeF()) < 0.01 &&
         a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

QPixmap Swatch(TColor color) {
  QPixmap swatch(24, 12);
  swatch.fill(ToQColor(color));
  return swatch;
}

// The chooser's window: Escape and the close box cancel, Enter confirms.
class TChooserWindow : public QWidget {
public:
  TChooserWindow(QWidget* owner, TModalLoop& loop) : QWidget(owner, Qt::Dialog), Loop(loop) {}
  bool Accepted = false;
  void Finish(bool accepted) {
    Accepted = accepted;
    Loop.End();
  }

protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      Finish(false);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      Finish(true);
    } else {
      QWidget::keyPressEvent(event);
    }
  }
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    Finish(false);
  }

private:
  TModalLoop& Loop;
};

// Qt's font dialog, as the lists and fields of the chooser's window. On its own it would
// swallow Enter (it has no button to press) and take Escape to hide itself, leaving the
// chooser open and empty; both go on to the chooser's window instead.
class TFontLists : public QFontDialog {
public:
  TFontLists(const QFont& initial, QWidget* parent) : QFontDialog(initial, parent) {}

protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Escape:
      case Qt::Key_Return:
      case Qt::Key_Enter:
        event->ignore();
        return;
      default:
        QFontDialog::keyPressEvent(event);
    }
  }
};

}  // namespace

TChooseFontDialog::TChooseFontDialog(TWindow* owner, const TChooseFontData& data) : Data(data), Owner(owner) {}

int TChooseFontDialog::Execute() {
  EnsureWindowSystem();
  if (QuitIsPending()) return IdCancel;
  QWidget* ownerWidget = Owner && Owner->IsCreated() ? Owner->Native()->Widget->window() : nullptr;
  const bool initToDescription = (Data.Flags & ChooseFontFlag::InitToDescription) != 0;
  const bool effects = (Data.Flags & ChooseFontFlag::Effects) != 0;

  TModalLoop loop;
  TChooserWindow window(ownerWidget, loop);
  window.setWindowTitle(QStringLiteral("Font"));
  window.setWindowModality(Qt::WindowModal);

  const QFont initial = ChooserFontOf(initToDescription ? Data.Font : DescribeFont(DefaultFontHandle()));
  auto* fonts = new TFontLists(initial, &window);
  fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fonts->setWindowFlags(Qt::Widget);
  fonts->setCurrentFont(initial);

  // Another family keeps the weight and slant of the style chosen before, where Qt's
  // dialog would take the first style of the new family's list ("Bold Italic", say).
  auto last = std::make_shared<QFont>(initial);
  QObject::connect(fonts, &QFontDialog::currentFontChanged, fonts, [fonts, last](const QFont& font) {
    if (font.family() != last->family() &&
        !QFontDatabase::styles(font.family()).contains(last->styleName())) {
      const QString style = MatchingStyle(font.family(), last->weight(), last->italic());
      if (!style.isEmpty() && style != font.styleName()) {
        QFont kept = QFontDatabase::font(font.family(), style, font.pointSize());
        kept.setPointSizeF(font.pointSizeF());
        kept.setUnderline(font.underline());
        kept.setStrikeOut(font.strikeOut());
        *last = kept;
        fonts->setCurrentFont(kept);
        return;
      }
    }
    *last = font;
  });

  // The sample of Qt's dialog shows the choice in the chosen colour.
  QLineEdit* sample = nullptr;
  for (QGroupBox* group : fonts->findChildren<QGroupBox*>()) {
    if (group->title().contains(QStringLiteral("Sample"))) sample = group->findChild<QLineEdit*>();
    // Without the effects the chooser offers no underline or strike-out.
    if (!effects && group->title().contains(QStringLiteral("Effects"))) group->hide();
  }

  auto* colours = new QComboBox(&window);
  SetControlId(colours, ChooseFontColourListId);
  int current = -1;
  for (const TNamedColour& colour : StandardColours) {
    colours->addItem(Swatch(colour.Color), QString::fromLatin1(colour.Name));
    if (colour.Color == Data.Color) current = colours->count() - 1;
  }
  if (current < 0) {
    colours->addItem(Swatch(Data.Color), QStringLiteral("Custom"));
    current = colours->count() - 1;
  }
  colours->setCurrentIndex(current);
  const auto colourAt = [this](int index) {
    return index >= 0 && index < 16 ? StandardColours[index].Color : Data.Color;
  };
  const auto showColour = [sample, colours, colourAt] {
    if (sample == nullptr) return;
    QPalette palette = sample->palette();
    palette.setColor(QPalette::Text, ToQColor(colourAt(colours->currentIndex())));
    sample->setPalette(palette);
  };
  QObject::connect(colours, &QComboBox::currentIndexChanged, &window, showColour);
  showColour();

  auto* ok = MakePushButton(QStringLiteral("OK"), &window, true);
  auto* cancel = MakePushButton(QStringLiteral("Cancel"), &window, false);
  SetControlId(ok, IdOk);
  SetControlId(cancel, IdCancel);
  QObject::connect(ok, &QPushButton::clicked, &window, [&window] { window.Finish(true); });
  QObject::connect(cancel, &QPushButton::clicked, &window, [&window] { window.Finish(false); });

  auto* colourRow = new QHBoxLayout;
  auto* colourLabel = new QLabel(QStringLiteral("&Colour:"), &window);
  colourLabel->setBuddy(colours);
  colourRow->addWidget(colourLabel);
  colourRow->addWidget(colours);
  colourRow->addStretch();
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addStretch();
  buttonRow->addWidget(ok);
  buttonRow->addWidget(cancel);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(fonts);
  if (effects) {
    layout->addLayout(colourRow);
  } else {
    colourLabel->hide();
    colours->hide();
  }
  layout->addLayout(buttonRow);

  window.show();
  window.activateWindow();
  const TModalWindow modal{TModalWindow::TKind::FontChooser, &window, Owner, nullptr, false, {}, &loop,
                           [&window] { window.Finish(false); }};
  RunModalLoop(loop, modal);
  window.hide();
  if (!window.Accepted || QuitIsPending()) return IdCancel;

  const QFont chosen = fonts->currentFont();
  // Nothing changed: the description it opened on, exactly, so that the view stays put.
  if (!SameChoice(chosen, initial) || !initToDescription) Data.Font = DescriptionOf(chosen);
  if (!effects) {
    Data.Font.Underline = false;
    Data.Font.StrikeOut = false;
  } else {
    Data.Color = colourAt(colours->currentIndex());
  }
  return IdOk;
}

}  // namespace platform
