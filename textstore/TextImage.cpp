#include "textstore/TextImage.h"

#include <cassert>
#include <cstring>

#include "util/TextHelpers.h"

TTextImage TextImage;

std::int32_t TTextImage::DecodeCount(const TCountBytes& bytes) {
  const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) |
                              static_cast<std::uint32_t>(bytes[1]) << 8 |
                              static_cast<std::uint32_t>(bytes[2]) << 16 |
                              static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(value);
}

std::int32_t TTextImage::LineCount() const { return DecodeCount({Bytes[0], Bytes[1], Bytes[2], Bytes[3]}); }

void TTextImage::SetLineCount(std::int32_t count) {
  const std::uint32_t value = static_cast<std::uint32_t>(count);
  Bytes[0] = static_cast<unsigned char>(value);
  Bytes[1] = static_cast<unsigned char>(value >> 8);
  Bytes[2] = static_cast<unsigned char>(value >> 16);
  Bytes[3] = static_cast<unsigned char>(value >> 24);
}

std::string_view TTextImage::Line(std::int32_t index) const {
  if (index < 0 || index >= SlotCount) {
    // Empty, but with a place: callers may hand its data to memcpy or fwrite.
    return std::string_view{""};
  }
  const char* slot = reinterpret_cast<const char*>(Bytes + CountSize + SlotSize * static_cast<std::size_t>(index));
  return std::string_view(slot, BoundedLength(slot, SlotSize));
}

void TTextImage::StoreLine(std::int32_t index, std::string_view text) {
  assert(index >= 0 && index < SlotCount && text.size() < SlotSize);
  if (index < 0 || index >= SlotCount || text.size() >= SlotSize) {
    return;
  }
  unsigned char* slot = Bytes + CountSize + SlotSize * static_cast<std::size_t>(index);
  std::memcpy(slot, text.data(), text.size());
  std::memset(slot + text.size(), 0, SlotSize - text.size());
}

void TTextImage::Clear() {
  std::memset(Bytes, 0, sizeof Bytes);
}

bool IsHeadingLine(std::string_view line) {
  return !line.empty() && line.front() == '$';
}

bool HoldsHeadingMark(std::string_view line) {
  return line.find('$') != std::string_view::npos;
}

std::string_view TitleOf(std::string_view line) {
  const std::size_t mark = line.find('#');
  return mark == std::string_view::npos ? std::string_view() : line.substr(mark + 1);
}

bool BeginsWithPositiveNumber(std::string_view line) {
  return TextToLong(line) >= 1;
}
