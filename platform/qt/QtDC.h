#pragma once
// The device context on a window's surface.

#include <QImage>
#include <QPainter>

#include "platform/DC.h"

namespace platform {

class TQtDC : public TDC {
public:
  explicit TQtDC(QImage& surface);
  ~TQtDC() override;
  void SetBkColor(TColor color) override;
  void SetTextColor(TColor color) override;
  void SelectObject(const TFont& font) override;
  void RestoreFont() override;
  void TextOut(int x, int y, std::string_view text) override;
  int GetTextExtent(std::string_view text) override;
  TTextMetrics GetTextMetrics() override;
  TFontHandle GetCurrentFont() override;

protected:
  // Ends the drawing, so that the surface can be shown.
  void End() {
    if (Painter.isActive()) Painter.end();
  }
  bool Drew() const { return Drawn; }

private:
  // The painter starts with the first string drawn, so that a context used only to
  // measure never holds the surface.
  QPainter& ActivePainter();

  QImage* Target;
  QPainter Painter;
  QFont Font;
  bool Drawn = false;
  TColor Text = ColorBlack;
  TColor Background{255, 255, 255};
  TFontHandle Current;
  TFontHandle Saved = nullptr;
};

}  // namespace platform
