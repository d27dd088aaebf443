#pragma once
// RGB colours, eight bits a channel.

#include <cstdint>

namespace platform {

struct TColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  constexpr TColor() = default;
  constexpr TColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
      : Red(red), Green(green), Blue(blue) {}
  friend constexpr bool operator==(const TColor&, const TColor&) = default;
};

inline constexpr TColor ColorBlack{0, 0, 0};
inline constexpr TColor ColorLightGray{192, 192, 192};
inline constexpr TColor ColorBlue{0, 0, 255};
inline constexpr TColor ColorRed{255, 0, 0};

}  // namespace platform
