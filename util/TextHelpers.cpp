#include "util/TextHelpers.h"

#include <cassert>
#include <climits>
#include <cstring>

int SubstringPosition(std::string_view text, std::string_view pattern) {
  if (pattern.empty() || text.empty()) {
    return -1;
  }
  const std::size_t position = text.find(pattern);
  if (position == std::string_view::npos || position > static_cast<std::size_t>(INT_MAX)) {
    return -1;
  }
  return static_cast<int>(position);
}

void CopyBeforeMarker(std::string_view source, char* destination, std::size_t destinationSize,
                      std::string_view marker) {
  const int position = SubstringPosition(source, marker);
  if (position >= 0) {
    source = source.substr(0, static_cast<std::size_t>(position));
  }
  CopyText(destination, destinationSize, source);
}

void StripLeadingBlanks(char* text) {
  assert(text != nullptr);
  std::size_t blanks = 0;
  while (text[blanks] == ' ') {
    ++blanks;
  }
  if (blanks > 0) {
    // The NUL moves with the text.
    std::memmove(text, text + blanks, std::strlen(text + blanks) + 1);
  }
}

void FoldCase(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] >= 'A' && text[i] <= 'Z') {
      text[i] = static_cast<char>(text[i] - 'A' + 'a');
    }
  }
}

void FoldCase(char* text) {
  assert(text != nullptr);
  FoldCase(text, std::strlen(text));
}

namespace {

// The white space of the C locale; the conversion never depends on the user's locale.
bool IsWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

long TextToLong(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // The value is gathered as a negative number, whose range is the larger one, so that
  // LONG_MIN itself converts without overflow.
  long value = 0;
  bool saturated = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (saturated) {
      continue;
    }
    if (value < (LONG_MIN + digit) / 10) {
      saturated = true;
      continue;
    }
    value = value * 10 - digit;
  }
  if (saturated) {
    return negative ? LONG_MIN : LONG_MAX;
  }
  if (negative) {
    return value;
  }
  return value == LONG_MIN ? LONG_MAX : -value;
}

long TextToLong(const char* text) {
  assert(text != nullptr);
  return TextToLong(std::string_view(text));
}

std::size_t CopyText(char* destination, std::size_t destinationSize, std::string_view source) {
  assert(destination != nullptr && destinationSize >= 1);
  const std::size_t count = source.size() < destinationSize ? source.size() : destinationSize - 1;
  if (count > 0) {
    std::memcpy(destination, source.data(), count);
  }
  destination[count] = '\0';
  return count;
}

std::size_t BoundedLength(const char* text, std::size_t size) {
  const void* nul = std::memchr(text, '\0', size);
  return nul == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(nul) - text);
}


std::size_t JoinLines(char* destination, std::size_t destinationSize, std::string_view line,
                      std::string_view next) {
  std::size_t length = CopyText(destination, destinationSize, line);
  if (length + 1 < destinationSize) {
    destination[length++] = ' ';
    length += CopyText(destination + length, destinationSize - length, next);
  }
  return length;
}
