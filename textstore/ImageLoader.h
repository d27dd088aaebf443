#pragma once
// The loader: reads VESK.BIN into the text image and turns the image into display lines.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Files.h"
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

// For a program that only lists or searches the image once (vesk): the image of the
// file, viewed through `mapping` instead of read. Only the count and the slots that
// the loader and the scan can reach from it (0 up to the count + 1, at most 17,000)
// are brought in; every other byte of the view is either the file's or zero, and is
// never looked at by them. The report is the one the whole read would give for a file
// that reads without an error: Opened, and BytesRead the file's bytes of the image.
// Null, with the report saying why, when the file cannot be opened; when it cannot be
// mapped, it is read into `fallback` as ReadImageFile does, and `fallback` is given.
const TTextImage* ViewImageFile(platform::TFileMapping& mapping, TTextImage& fallback,
                                std::string_view imagePath, TReadReport& report);

// Whether the read gave the whole image: every one of its 4,369,004 bytes, and no error.
bool ImageWasReadWhole(const TReadReport& report);

// What the user is told of an image file that opened but was not read whole: the file,
// the bytes read of 4,369,004, and the system's reason when there is one.
std::string DamagedBookMessage(std::string_view path, const TReadReport& report);

// For slot i from 0 while i < ImageLineCount (signed: none when it is 0 or negative),
// takes at most the first 99 bytes of the slot's text (what a 100-byte work buffer
// holds), removes at most one trailing line feed and then at most one trailing carriage
// return, and gives the line to `append`, which sees it in the image itself. An image the builder did not make may hold any count:
// at most 17,001 lines are given, slot 17,000 reading as an empty line, as in an image
// of 17,000 stored lines. Returns the number of lines given to `append`.
std::int32_t ForEachLoadedLine(const TTextImage& image,
                               const std::function<void(std::string_view line)>& append);
