// Font objects and font handles. A handle points to the record of the description the
// font was made from; the window system's font is made from it when drawing.

#include "platform/qt/QtFont.h"

#include <QApplication>
#include <QFontInfo>

#include <algorithm>

#include "platform/qt/QtText.h"
#include "platform/qt/QtWindowSystem.h"

namespace platform {

struct TFontRecord {
  TFontDescription Description;
};

TFontHandle DefaultFontHandle() {
  static const TFontRecord defaultFont{};
  return &defaultFont;
}

TFontDescription DescribeFont(TFontHandle handle) {
  if (handle == nullptr) return {};
  if (handle != DefaultFontHandle()) return handle->Description;
  // The default font's own description: the face and the height it is drawn with, so
  // that a font made from it is that font again.
  EnsureWindowSystem();
  const QFont font = QApplication::font();
  const QFontInfo info(font);
  TFontDescription description;
  description.Face = FromQString(info.family());
  description.Height = info.pixelSize();
  description.Weight = info.weight();
  description.Italic = info.italic();
  description.Underline = font.underline();
  description.StrikeOut = font.strikeOut();
  return description;
}

TFont::TFont(const TFontDescription& description)
    : Owned(std::make_unique<TFontRecord>(TFontRecord{description})), Handle(Owned.get()) {}

std::unique_ptr<TFont> TFont::Wrap(TFontHandle handle) {
  std::unique_ptr<TFont> font(new TFont());
  font->Handle = handle;
  return font;
}

TFont::~TFont() = default;

QFont QtFontOf(TFontHandle handle) {
  const TFontDescription description = DescribeFont(handle);
  QFont font = QApplication::font();
  if (!description.Face.empty()) font.setFamily(ToQString(description.Face));
  if (description.Height > 0) font.setPixelSize(description.Height);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(description.Weight, 100, 900)));
  font.setItalic(description.Italic);
  font.setUnderline(description.Underline);
  font.setStrikeOut(description.StrikeOut);
  return font;
}

}  // namespace platform
