#pragma once
// The loader: reads VESK.BIN into the text image and turns the image into display lines.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "textstore/TextImage.h"

struct TReadReport {
  bool Opened = false;
  std::size_t BytesRead = 0;
  std::string Reason;  // the system's reason when the file could not be opened or read
};

// One read of at most 4,369,004 bytes from the start of the file into the image; bytes
// beyond them are never read, and the rest of the image keeps what it held when the
// file is shorter. Nothing is read when the file cannot be opened.
TReadReport ReadImageFile(TTextImage& image, std::string_view imagePath);

// Whether the read gave the whole image: every one of its 4,369,004 bytes, and no error.
bool ImageWasReadWhole(const TReadReport& report);

// What the user is told of an image file that opened but was not read whole: the file,
// the bytes read of 4,369,004, and the system's reason when there is one.
std::string DamagedBookMessage(std::string_view path, const TReadReport& report);

// For slot i from 0 while i < ImageLineCount (signed: none when it is 0 or negative),
// copies at most the first 99 bytes of the slot's text into a 100-byte work buffer,
// removes at most one trailing line feed and then at most one trailing carriage return,
// and gives the line to `append`. An image the builder did not make may hold any count:
// at most 17,001 lines are given, slot 17,000 reading as an empty line, as in an image
// of 17,000 stored lines. Returns the number of lines given to `append`.
std::int32_t ForEachLoadedLine(const TTextImage& image,
                               const std::function<void(std::string_view line)>& append);
