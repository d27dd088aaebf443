#include "platform/qt/QtIcons.h"

#include <QImage>

#include "platform/IconFiles.h"
#include "platform/Resources.h"
#include "platform/qt/QtText.h"

namespace platform {

namespace {

QImage IconImage(const TIconResource& icon) {
  QImage image(32, 32, QImage::Format_RGB32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      image.setPixelColor(x, y, ToQColor(icon.Palette[static_cast<std::size_t>(IconPixel(icon, x, y))]));
    }
  }
  return image;
}

}  // namespace

QPixmap IconPixmap(int iconId) {
  const TIconResource* icon = DefaultModule().FindIcon(iconId);
  if (icon == nullptr) return {};
  return QPixmap::fromImage(IconImage(*icon));
}

bool WriteIconPng(const TIconResource& icon, int size, const std::string& path) {
  if (size <= 0) return false;
  const QImage picture = IconImage(icon).scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  return picture.save(QString::fromStdString(path), "PNG");
}

}  // namespace platform
