#include "platform/qt/QtIcons.h"

#include <QImage>

#include "platform/Resources.h"
#include "platform/qt/QtText.h"

namespace platform {

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

}  // namespace platform
