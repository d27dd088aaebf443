#pragma once
// The text image: the whole book as a fixed array of line slots, stored on disk as
// VESK.BIN byte for byte as it lies in memory.
//
//   offset 0            4 bytes    ImageLineCount, signed, little-endian
//   offset 4 + 257 * k  257 bytes  the text of line k, ended by a NUL
//
// 4 + 17,000 * 257 = 4,369,004 bytes in all, with no header, version or trailer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr std::int32_t SlotCount = 17000;
inline constexpr std::size_t SlotSize = 257;
inline constexpr std::size_t CountSize = 4;
inline constexpr std::size_t ImageSize = CountSize + SlotCount * SlotSize;  // 4,369,004

// The largest count that the builder writes: 17,000 lines stored, plus one.
inline constexpr std::int32_t MaxImageLineCount = SlotCount + 1;

// The loader and the painter hold one line in 100 bytes: at most 99 characters and a NUL.
inline constexpr std::size_t LineBufferSize = 100;
inline constexpr std::size_t MaxLineLength = LineBufferSize - 1;

class TTextImage {
public:
  // The count's four bytes as they lie in the file, and their value.
  using TCountBytes = std::array<unsigned char, CountSize>;
  static std::int32_t DecodeCount(const TCountBytes& bytes);

  // ImageLineCount, decoded from its little-endian bytes whatever the host.
  std::int32_t LineCount() const;
  void SetLineCount(std::int32_t count);

  // The slot access rule: an index from 0 to 16,999 gives the text of that slot, up to
  // its first NUL or to the end of its 257 bytes; any other index gives an empty line.
  std::string_view Line(std::int32_t index) const;

  // Stores `text` and a NUL in slot `index` and zero-fills the rest of the slot.
  // Preconditions: 0 <= index < SlotCount and text.size() < SlotSize.
  void StoreLine(std::int32_t index, std::string_view text);

  // Zero-fills the whole image, as at program start.
  void Clear();

  unsigned char* Data() { return Bytes; }
  const unsigned char* Data() const { return Bytes; }
  static constexpr std::size_t Size() { return ImageSize; }

private:
  unsigned char Bytes[ImageSize] = {};
};

// The one image of the program: static data, zero at start, written only by a load
// or a build.
extern TTextImage TextImage;

// The marks of the text. The search takes a line for a heading when its first
// character is '$'; the painter when it holds a '$' anywhere.
bool IsHeadingLine(std::string_view line);
bool HoldsHeadingMark(std::string_view line);

// The title of a heading line: the text after its first '#'; empty when it has none.
std::string_view TitleOf(std::string_view line);

// True when the decimal text-to-long value of the line is 1 or more: a verse line.
bool BeginsWithPositiveNumber(std::string_view line);
