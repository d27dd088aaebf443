#include "platform/IconFiles.h"

#include <cstdio>
#include <cstring>

namespace platform {

int IconPixel(const TIconResource& icon, int x, int y) {
  if (x < 0 || x >= 32 || y < 0 || y >= 32) return 0;
  const char* row = icon.Rows[static_cast<std::size_t>(y)];
  if (row == nullptr || std::strlen(row) <= static_cast<std::size_t>(x)) return 0;
  const char digit = row[x];
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  return 0;
}

std::string IconSvg(const TIconResource& icon) {
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\""
      " shape-rendering=\"crispEdges\">\n";
  char element[96];
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32;) {
      const int index = IconPixel(icon, x, y);
      int end = x + 1;
      while (end < 32 && IconPixel(icon, end, y) == index) ++end;
      const TColor& colour = icon.Palette[static_cast<std::size_t>(index)];
      std::snprintf(element, sizeof element,
                    "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"1\" fill=\"#%02x%02x%02x\"/>\n", x, y,
                    end - x, colour.Red, colour.Green, colour.Blue);
      svg += element;
      x = end;
    }
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace platform
