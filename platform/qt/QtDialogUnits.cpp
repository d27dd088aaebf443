#include "platform/qt/QtDialogUnits.h"

#include <QFontMetrics>

#include <algorithm>

#include "platform/qt/QtText.h"

namespace platform {

namespace {
// Multiplies, then divides with rounding to the nearest, as the original system did.
int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
}  // namespace

QFont DialogFont(const char* face, int points) {
  QFont font(ToQString(face ? face : ""));
  // Points at 96 dots per inch, as the templates were laid out.
  font.setPixelSize(MulDiv(points > 0 ? points : 8, 96, 72));
  return font;
}

TDialogUnits TDialogUnits::FromMetrics(int alphabetWidth, int height) {
  TDialogUnits units;
  units.AverageWidth = std::max(1, (alphabetWidth / 26 + 1) / 2);
  units.Height = std::max(1, height);
  return units;
}

TDialogUnits TDialogUnits::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  return FromMetrics(metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                     metrics.height());
}

int TDialogUnits::X(int units) const { return MulDiv(units, AverageWidth, 4); }
int TDialogUnits::Y(int units) const { return MulDiv(units, Height, 8); }

QRect TDialogUnits::ToPixels(int x, int y, int width, int height) const {
  return QRect(X(x), Y(y), X(width), Y(height));
}

}  // namespace platform
