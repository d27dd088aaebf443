// Font objects and font handles. A handle points to the record of the description the
// font was made from; the window system's font is made from it when drawing.

#include "platform/qt/QtFont.h"

#include <QApplication>

#include "platform/qt/QtText.h"

namespace platform {

struct TFontRecord {
  TFontDescription Description;
};

TFontHandle DefaultFontHandle() {
  static const TFontRecord defaultFont{};
  return &defaultFont;
}

TFontDescription DescribeFont(TFontHandle handle) {
  return handle ? handle->Description : TFontDescription{};
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
  font.setWeight(description.Weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setItalic(description.Italic);
  font.setUnderline(description.Underline);
  font.setStrikeOut(description.StrikeOut);
  return font;
}

}  // namespace platform
