// Whole-file reads that never block on something that is not a regular file.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Files.h"

namespace platform {

namespace {
constexpr const char* NotRegularFile = "not a regular file";
}  // namespace

bool IsNonRegularFile(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return false;
  struct stat status {};
  return ::stat(NativePath(path).c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

TReadResult ReadRegularFile(std::string_view path, std::string& bytes, std::string& error) {
  bytes.clear();
  error.clear();
  if (path.find('\0') != std::string_view::npos) {
    error = std::strerror(EINVAL);
    return TReadResult::Failed;
  }
  const std::string native = NativePath(path);
  struct stat status {};
  if (::stat(native.c_str(), &status) != 0) {
    if (errno == ENOENT) return TReadResult::Missing;
    error = std::strerror(errno);
    return TReadResult::Failed;
  }
  if (!S_ISREG(status.st_mode)) {
    error = NotRegularFile;
    return TReadResult::Failed;
  }
  // Opened without waiting, and checked again once open: the name may have been given
  // to a FIFO in between.
  int descriptor;
  do {
    descriptor = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    if (errno == ENOENT) return TReadResult::Missing;
    error = std::strerror(errno);
    return TReadResult::Failed;
  }
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    error = S_ISREG(status.st_mode) ? std::strerror(errno) : NotRegularFile;
    ::close(descriptor);
    return TReadResult::Failed;
  }
  char buffer[16 * 1024];
  for (;;) {
    const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      error = std::strerror(errno);
      ::close(descriptor);
      bytes.clear();
      return TReadResult::Failed;
    }
    if (count == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(descriptor);
  return TReadResult::Read;
}

}  // namespace platform
