// The INI reader and writer on any quorvel.ini with any key and value. The input is the
// key, a NUL, the value, a NUL, a buffer size byte, then the file. The reader copies at
// most size - 1 bytes and a NUL; writing a key and reading it back gives the value; and
// every line that is not that key's stays as it was. Keys and values are drawn from
// printable characters without line breaks, values without outer blanks or quotes, keys
// without '=' and not beginning with ';' or '['.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzFiles.h"
#include "platform/Profile.h"

namespace {

constexpr char Section[] = "Quorvel";

std::string Printable(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    if (c >= ' ' && c <= '~') text += c;
  }
  return text;
}

std::string Trimmed(std::string text, std::string_view outer) {
  const std::size_t first = text.find_first_not_of(outer);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(outer) - first + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

struct TLine {
  std::string Text;   // without its line feed
  bool Open = false;  // the last line, without a line end
};

// The file's lines, split at line feeds, without the lines that name `key`.
std::vector<TLine> OtherLines(std::string_view file, const std::string& key) {
  std::vector<TLine> lines;
  std::size_t start = 0;
  while (start < file.size()) {
    std::size_t end = file.find('\n', start);
    const bool open = end == std::string_view::npos;
    if (open) end = file.size();
    std::string line(file.substr(start, end - start));
    const std::size_t equals = line.find('=');
    const bool names = equals != std::string::npos && Lower(Trimmed(line.substr(0, equals), " \t\r")) == Lower(key);
    if (!names) lines.push_back({line, open});
    start = end + 1;
  }
  return lines;
}

// Whether the lines stayed: byte for byte, but a last line without a line end may have
// gained a CR before its new line feed.
bool Stayed(const std::vector<TLine>& before, const std::vector<TLine>& after) {
  if (before.size() != after.size()) return false;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (after[i].Text != before[i].Text && !(before[i].Open && after[i].Text == before[i].Text + "\r")) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t keyEnd = input.find('\0');
  if (keyEnd == std::string_view::npos) return 0;
  const std::size_t valueEnd = input.find('\0', keyEnd + 1);
  if (valueEnd == std::string_view::npos || valueEnd + 1 >= size) return 0;

  std::string key = Printable(input.substr(0, keyEnd));
  key.erase(std::remove(key.begin(), key.end(), '='), key.end());
  const std::size_t first = key.find_first_not_of(" \t;[");
  key = first == std::string::npos ? std::string() : Trimmed(key.substr(first), " \t");
  const std::string value = Trimmed(Printable(input.substr(keyEnd + 1, valueEnd - keyEnd - 1)), " \t\"'");
  const std::size_t bufferSize = static_cast<unsigned char>(input[valueEnd + 1]);
  const std::string_view file = input.substr(valueEnd + 2);
  if (key.empty()) return 0;

  const std::string path = fuzz::WriteInput("quorvel.ini", file);
  std::vector<char> buffer(bufferSize + 1, '\x7F');
  const std::size_t copied = platform::ReadProfileString(Section, key, "default", buffer.data(), bufferSize, path);
  if (bufferSize == 0) {
    fuzz::Check(copied == 0 && buffer[0] == '\x7F', "nothing is written into an empty buffer");
  } else {
    fuzz::Check(copied <= bufferSize - 1 && buffer[copied] == '\0', "at most size - 1 bytes and a NUL");
  }
  fuzz::Check(buffer[bufferSize] == '\x7F', "nothing past the buffer");

  const std::string written = platform::WithProfileString(file, Section, key, value);
  const std::string writtenPath = fuzz::WriteInput("written.ini", written);
  std::vector<char> readBack(value.size() + 2);
  const std::size_t length =
      platform::ReadProfileString(Section, key, "", readBack.data(), readBack.size(), writtenPath);
  fuzz::Check(std::string_view(readBack.data(), length) == value, "a key written reads back as its value");

  const std::vector<TLine> before = OtherLines(file, key);
  std::vector<TLine> after = OtherLines(written, key);
  // A new section brings its header; everything else stays.
  const std::string header = "[" + std::string(Section) + "]";
  if (after.size() == before.size() + 1) {
    for (auto line = after.rbegin(); line != after.rend(); ++line) {
      if (line->Text == header || line->Text == header + "\r") {
        after.erase(std::next(line).base());
        break;
      }
    }
  }
  fuzz::Check(Stayed(before, after), "every other line stays byte for byte");
  return 0;
}
