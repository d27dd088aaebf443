#include "platform/Files.h"

#include <cassert>

namespace platform {

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';
constexpr char EndOfText = 26;  // Ctrl-Z

}  // namespace

TTextStream::TTextStream() = default;
TTextStream::~TTextStream() = default;

bool TTextStream::Open(std::string_view path) {
  Close();
  if (!File.Open(path, TOpenMode::ReadOnly)) {
    Error = File.ErrorText();
    return false;
  }
  if (!Buffer) {
    Buffer = std::make_unique_for_overwrite<char[]>(BufferSize);
  }
  return true;
}

void TTextStream::Close() {
  File.Close();
  Start = 0;
  End = 0;
  AtEnd = false;
  ReadFailed = false;
  Error.clear();
}

bool TTextStream::Refill() {
  if (AtEnd || ReadFailed || !File.IsOpen()) {
    return false;
  }
  Start = 0;
  End = File.Read(Buffer.get(), BufferSize);
  if (!File.ErrorText().empty()) {
    ReadFailed = true;
    Error = File.ErrorText();
    End = 0;
    return false;
  }
  if (End == 0) {
    AtEnd = true;
    return false;
  }
  return true;
}

bool TTextStream::GetLine(char* buffer, std::size_t size) {
  assert(buffer != nullptr && size >= 2);
  if (size < 2) {
    return false;
  }
  std::size_t stored = 0;
  while (stored < size - 1) {
    if (Start == End && !Refill()) {
      break;
    }
    const char c = Buffer[Start];
    if (c == EndOfText) {
      // Nothing after a Ctrl-Z is text: the stream stays at its end.
      AtEnd = true;
      Start = End = 0;
      break;
    }
    ++Start;
    if (c == CarriageReturn) {
      continue;
    }
    buffer[stored++] = c;
    if (c == LineFeed) {
      break;
    }
  }
  if (ReadFailed) {
    return false;
  }
  if (stored == 0) {
    return false;
  }
  buffer[stored] = '\0';
  return true;
}

}  // namespace platform
