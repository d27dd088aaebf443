#pragma once
// Texts and colours as the window system takes them. Our texts are bytes; the screen
// speaks UTF-8: bytes that form UTF-8 are shown as their characters and any other byte
// as the Latin-1 character of its value, and what the user types comes back as UTF-8.

#include <QColor>
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Colour.h"
#include "platform/ShownText.h"

namespace platform {

QString ToQString(std::string_view text);
std::string FromQString(const QString& text);

inline QColor ToQColor(TColor color) { return QColor(color.Red, color.Green, color.Blue); }

}  // namespace platform
