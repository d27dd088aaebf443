#include "platform/Files.h"

#include <cassert>
#include <cstring>

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
  // Nothing after a Ctrl-Z is text: the buffer ends there and is never refilled.
  if (const void* endOfText = std::memchr(Buffer.get(), EndOfText, End)) {
    End = static_cast<std::size_t>(static_cast<const char*>(endOfText) - Buffer.get());
    AtEnd = true;
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
  // The buffered bytes are taken in runs between line feeds and carriage returns, so a
  // line costs a few block copies rather than a test per character.
  std::size_t stored = 0;
  while (stored < size - 1) {
    if (Start == End && !Refill()) {
      break;
    }
    const char* run = Buffer.get() + Start;
    const std::size_t available = End - Start;
    const std::size_t room = size - 1 - stored;
    const std::size_t window = available < room ? available : room;

    const char* lineFeed = static_cast<const char*>(std::memchr(run, LineFeed, window));
    const std::size_t length = lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - run) + 1 : window;
    const char* carriageReturn = static_cast<const char*>(std::memchr(run, CarriageReturn, length));
    if (carriageReturn == nullptr) {
      std::memcpy(buffer + stored, run, length);
      stored += length;
      Start += length;
      if (lineFeed != nullptr) {
        break;
      }
      continue;
    }
    // The characters before the carriage return are kept and it is dropped.
    const std::size_t kept = static_cast<std::size_t>(carriageReturn - run);
    std::memcpy(buffer + stored, run, kept);
    stored += kept;
    Start += kept + 1;
    if (carriageReturn + 1 == lineFeed) {
      // CR LF, the usual line end: the line feed ends the line.
      buffer[stored++] = LineFeed;
      Start += 1;
      break;
    }
  }
  if (ReadFailed || stored == 0) {
    return false;
  }
  buffer[stored] = '\0';
  return true;
}

}  // namespace platform
