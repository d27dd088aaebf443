#pragma once
// Dialog units: x by the dialog font's average character width / 4, y by its
// character height / 8, as the original system measured them.

#include <QFont>
#include <QRect>

namespace platform {

QFont DialogFont(const char* face, int points);

struct TDialogUnits {
  int AverageWidth = 1;   // of "A".."Z" and "a".."z", rounded
  int Height = 1;

  // From the width of the 52 letters "A".."Z", "a".."z" and the font's height, both in
  // pixels: the average width is that width / 52, rounded half up.
  static TDialogUnits FromMetrics(int alphabetWidth, int height);
  static TDialogUnits ForFont(const QFont& font);
  int X(int units) const;
  int Y(int units) const;
  QRect ToPixels(int x, int y, int width, int height) const;
};

}  // namespace platform
