#include "platform/Profile.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/Files.h"

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// One line of the file: where it starts, its text without the line end, and where the
// next line starts.
struct TLine {
  std::size_t Start;
  std::string_view Text;
  std::size_t Next;
  bool HasEnd;
};

std::vector<TLine> LinesOf(std::string_view file) {
  std::vector<TLine> lines;
  std::size_t start = 0;
  while (start < file.size()) {
    const std::size_t feed = file.find('\n', start);
    const std::size_t end = feed == std::string_view::npos ? file.size() : feed;
    std::string_view text = file.substr(start, end - start);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    const std::size_t next = feed == std::string_view::npos ? file.size() : feed + 1;
    lines.push_back({start, text, next, feed != std::string_view::npos});
    start = next;
  }
  return lines;
}

enum class TLineKind { Other, Comment, Section, Key };

struct TParsedLine {
  TLineKind Kind = TLineKind::Other;
  std::string_view Name;   // section or key name, blanks taken off
  std::string_view Value;  // key value, blanks taken off, quotes kept
};

TParsedLine Parse(std::string_view text) {
  const std::string_view content = Trimmed(text);
  TParsedLine line;
  if (content.empty()) return line;
  if (content.front() == ';') {
    line.Kind = TLineKind::Comment;
  } else if (content.front() == '[') {
    line.Kind = TLineKind::Section;
    const std::size_t close = content.find(']');
    line.Name = Trimmed(content.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  } else if (const std::size_t equals = content.find('='); equals != std::string_view::npos) {
    line.Kind = TLineKind::Key;
    line.Name = Trimmed(content.substr(0, equals));
    line.Value = Trimmed(content.substr(equals + 1));
  }
  return line;
}

// Where a key stands: the first section of the name, the first key of the name in it,
// and the line after which a new key of that section goes.
struct TPlace {
  std::optional<std::size_t> Section;   // index of the header line
  std::optional<std::size_t> Key;       // index of the key line
  std::size_t InsertAfter = 0;          // index of the last key line, or of the header
};

TPlace Find(const std::vector<TLine>& lines, std::string_view section, std::string_view key) {
  TPlace place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TParsedLine line = Parse(lines[i].Text);
    if (!place.Section) {
      if (line.Kind == TLineKind::Section && SameName(line.Name, section)) {
        place.Section = i;
        place.InsertAfter = i;
      }
      continue;
    }
    if (line.Kind == TLineKind::Section) break;
    if (line.Kind != TLineKind::Key) continue;
    place.InsertAfter = i;
    if (!place.Key && SameName(line.Name, key)) place.Key = i;
  }
  return place;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The value of the key in the file's bytes; none when the section or the key is missing.
std::optional<std::string> ValueIn(std::string_view file, std::string_view section, std::string_view key) {
  const std::vector<TLine> lines = LinesOf(file);
  const TPlace place = Find(lines, section, key);
  if (!place.Key) return std::nullopt;
  return std::string(Unquoted(Parse(lines[*place.Key].Text).Value));
}

std::optional<std::string> ReadValue(std::string_view section, std::string_view key, std::string_view path,
                                     std::string* error) {
  std::string file, reason;
  const TReadResult result = ReadRegularFile(path, file, reason);
  if (error != nullptr) *error = result == TReadResult::Failed ? reason : std::string();
  if (result != TReadResult::Read) return std::nullopt;
  return ValueIn(file, section, key);
}

bool HoldsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

std::size_t ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              char* buffer, std::size_t size, std::string_view path, std::string* error) {
  const std::optional<std::string> value = ReadValue(section, key, path, error);
  if (size == 0) return 0;
  const std::string_view text = value ? std::string_view(*value) : defaultValue;
  const std::size_t count = text.size() < size ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return count;
}

std::int32_t ReadProfileInt(std::string_view section, std::string_view key, std::int32_t defaultValue,
                            std::string_view path, std::string* error) {
  const std::optional<std::string> value = ReadValue(section, key, path, error);
  if (!value || value->empty()) return defaultValue;
  std::string_view digits = *value;
  const bool negative = digits.front() == '-';
  if (digits.front() == '+' || digits.front() == '-') digits.remove_prefix(1);
  if (digits.empty()) return defaultValue;
  std::int64_t magnitude = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return defaultValue;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{INT32_MAX} + 1) return defaultValue;
  }
  const std::int64_t result = negative ? -magnitude : magnitude;
  if (result < INT32_MIN || result > INT32_MAX) return defaultValue;
  return static_cast<std::int32_t>(result);
}

// The line end that a last line without one gains. A last line that ends in a CR is
// read without it, as a CR LF line is, so it gains only the line feed: another CR would
// stay in the line and change it (a section header "[Quorvel" CR would no longer name
// the section, and the key written under it would be lost).
namespace {

std::string_view EndOfLastLine(std::string_view text, std::string_view end) {
  return !text.empty() && text.back() == '\r' ? std::string_view("\n") : end;
}

}  // namespace

std::string WithProfileString(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view value) {
  const std::vector<TLine> lines = LinesOf(file);
  // Lines written end as the file's first line ends.
  const bool crlf = !lines.empty() && lines.front().HasEnd &&
                    lines.front().Next >= 2 && file[lines.front().Next - 2] == '\r';
  const std::string_view end = crlf ? "\r\n" : "\n";
  const TPlace place = Find(lines, section, key);

  std::string out;
  out.reserve(file.size() + section.size() + key.size() + value.size() + 8);
  if (place.Key) {
    const TLine& line = lines[*place.Key];
    out.append(file.substr(0, line.Start));
    out.append(Parse(line.Text).Name).append("=").append(value).append(end);
    out.append(file.substr(line.Next));
  } else if (place.Section) {
    const TLine& line = lines[place.InsertAfter];
    out.append(file.substr(0, line.Next));
    if (!line.HasEnd) out.append(EndOfLastLine(out, end));
    out.append(key).append("=").append(value).append(end);
    out.append(file.substr(line.Next));
  } else {
    out.append(file);
    if (!file.empty() && file.back() != '\n') out.append(EndOfLastLine(out, end));
    out.append("[").append(section).append("]").append(end);
    out.append(key).append("=").append(value).append(end);
  }
  return out;
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        std::string_view path, std::string& error) {
  if (HoldsLineBreak(section) || HoldsLineBreak(key) || HoldsLineBreak(value)) {
    error = "a setting cannot hold a line break";
    return false;
  }
  std::string file;
  if (ReadRegularFile(path, file, error) == TReadResult::Failed) return false;
  return ReplaceFileContents(path, WithProfileString(file, section, key, value), error);
}

}  // namespace platform
