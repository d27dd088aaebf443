#pragma once
// Texts and colours as the window system takes them. Our texts are bytes, one
// character each.

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

#include "platform/Colour.h"

namespace platform {

inline QString ToQString(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromQString(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

inline QColor ToQColor(TColor color) { return QColor(color.Red, color.Green, color.Blue); }

}  // namespace platform
