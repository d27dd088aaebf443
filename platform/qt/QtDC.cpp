// The window system's device context, drawing with QPainter on a window's surface.

#include "platform/qt/QtDC.h"

#include <QFontMetrics>

#include <algorithm>

#include "platform/qt/QtFont.h"
#include "platform/qt/QtText.h"

namespace platform {

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
