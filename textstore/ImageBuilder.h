#pragma once
// The builder: turns the plain text VESK.TXT into the text image and writes it to
// VESK.BIN.

#include <cstdint>
#include <string>
#include <string_view>

#include "textstore/TextImage.h"

struct TBuildReport {
  bool Succeeded = false;      // the text was read and the whole image written
  std::int32_t LinesStored = 0;
  bool Truncated = false;      // the text held more lines than the 17,000 slots
  std::string FailedPath;      // the file that could not be opened, read or written
  std::string Reason;          // the system's reason
};

// Reads the text file in text mode (every CR dropped, Ctrl-Z ends it) through a 100-byte
// work buffer, so that a line longer than 99 characters takes several slots, stores one
// line per slot from slot 0 on, sets ImageLineCount to the lines stored plus one and
// writes the whole image to `imagePath`. The image file is created with the permissions
// 0666 (before the umask) when missing; an existing one ends as if written over from
// its first byte: bytes beyond the image stay, and so do its permissions.
//
// The image is written to a temporary file beside the image file (beside the file a
// symbolic link names) and renamed over it only once complete, so a build that fails
// part-way leaves the old image byte for byte; only where no temporary file can be made
// there is the image file written in place. A text or image file that is not a regular
// file is refused with "not a regular file".
//
// A text file that cannot be opened: nothing is read, the image in memory is left as it
// was and no file is written. Once the text is open, every slot after the last line
// stored is zero, whatever the image held before. More than 17,000 slots: the first 17,000
// are stored, reading stops, ImageLineCount is 17,001 and Truncated is set. A read
// error in the text: the image file is not written, so that a good one is never
// replaced by part of a text.
TBuildReport BuildTextImage(TTextImage& image, std::string_view textPath, std::string_view imagePath);
