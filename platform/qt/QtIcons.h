#pragma once
// Pictures of the module's icon resources.

#include <QPixmap>

namespace platform {

// The 32 x 32 picture of the icon resource `iconId`; a null pixmap for an unknown id.
QPixmap IconPixmap(int iconId);

}  // namespace platform
