#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace platform {

std::string NativePath(std::string_view path) {
  std::string native;
  native.reserve(path.size());
  for (const char c : path) {
    const bool separator = c == '\\' || c == '/';
    if (separator) {
      if (!native.empty() && native.back() == '/') {
        continue;
      }
      native.push_back('/');
    } else {
      native.push_back(c);
    }
  }
  return native;
}

bool GetWorkingDirectory(char* buffer, std::size_t size) {
  // getcwd may leave anything in a buffer that is too small, so the directory is read
  // into one of our own and copied only when it fits.
  std::vector<char> directory(4096);
  while (::getcwd(directory.data(), directory.size()) == nullptr) {
    if (errno != ERANGE) {
      return false;
    }
    directory.resize(directory.size() * 2);
  }
  const std::size_t length = std::strlen(directory.data());
  if (buffer == nullptr || length + 1 > size) {
    return false;
  }
  std::memcpy(buffer, directory.data(), length + 1);
  return true;
}

}  // namespace platform
