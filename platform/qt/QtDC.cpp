// The window system's device context, drawing with QPainter on a window's surface,
// and the fonts it draws with.

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

#include "platform/FontRecord.h"
#include "platform/qt/QtDC.h"
#include "platform/qt/QtNative.h"

namespace platform {

QFont QtFontOf(TFontHandle handle) {
  const TFontDescription description = DescribeFont(handle);
  QFont font = QApplication::font();
  if (!description.Face.empty()) font.setFamily(ToQString(description.Face));
  if (description.Height > 0) font.setPixelSize(description.Height);
  font.setWeight(description.Weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setItalic(description.Italic);
  font.setUnderline(description.Underline);
  font.setStrikeOut(description.StrikeOut);
  return font;
}

QPixmap IconPixmap(int iconId) {
  const TIconResource* icon = DefaultModule().FindIcon(iconId);
  if (icon == nullptr) return {};
  QImage image(32, 32, QImage::Format_RGB32);
  for (int y = 0; y < 32; ++y) {
    const char* row = icon->Rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < 32; ++x) {
      const char digit = row ? row[x] : '0';
      const int index = digit >= 'A' ? digit - 'A' + 10 : digit >= 'a' ? digit - 'a' + 10 : digit - '0';
      image.setPixelColor(x, y, ToQColor(icon->Palette[static_cast<std::size_t>(index & 15)]));
    }
  }
  return QPixmap::fromImage(image);
}

TQtDC::TQtDC(QImage& surface) : Target(&surface), Font(QtFontOf(DefaultFontHandle())), Current(DefaultFontHandle()) {}

QPainter& TQtDC::ActivePainter() {
  if (!Painter.isActive()) Painter.begin(Target);
  Painter.setFont(Font);
  return Painter;
}

TQtDC::~TQtDC() = default;

void TQtDC::SetBkColor(TColor color) { Background = color; }
void TQtDC::SetTextColor(TColor color) { Text = color; }

void TQtDC::SelectObject(const TFont& font) {
  if (Saved == nullptr) Saved = Current;
  Current = font.GetHandle();
  Font = QtFontOf(Current);
}

void TQtDC::RestoreFont() {
  if (Saved == nullptr) return;
  Current = Saved;
  Saved = nullptr;
  Font = QtFontOf(Current);
}

void TQtDC::TextOut(int x, int y, std::string_view text) {
  const QString string = ToQString(text);
  const QFontMetrics metrics(Font);
  QPainter& painter = ActivePainter();
  // Each string sits on an opaque cell of the background colour.
  painter.fillRect(x, y, metrics.horizontalAdvance(string), metrics.height(), ToQColor(Background));
  painter.setPen(ToQColor(Text));
  painter.drawText(x, y + metrics.ascent(), string);
  Drawn = true;
}

int TQtDC::GetTextExtent(std::string_view text) {
  return QFontMetrics(Font).horizontalAdvance(ToQString(text));
}

TTextMetrics TQtDC::GetTextMetrics() {
  const QFontMetrics metrics(Font);
  return {metrics.height(), std::max(0, metrics.leading()), metrics.ascent(), metrics.averageCharWidth()};
}

TFontHandle TQtDC::GetCurrentFont() { return Current; }

}  // namespace platform
