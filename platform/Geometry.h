#pragma once
// Points, sizes and rectangles in pixels of a window's client coordinates, origin at
// the top-left corner.

namespace platform {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Left and Top are inside the rectangle, Right and Bottom just outside it, so a client
// rectangle's Bottom is the client height.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

}  // namespace platform
