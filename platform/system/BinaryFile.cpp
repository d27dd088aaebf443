#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// Read, write, execute for no one: a new image is a data file, and the umask applies.
constexpr mode_t NewFilePermissions = 0666;
constexpr const char* NotRegularFile = "not a regular file";

}  // namespace

TBinaryFile::TBinaryFile(TBinaryFile&& other) noexcept
    : Descriptor(std::exchange(other.Descriptor, -1)), Error(std::move(other.Error)) {}

TBinaryFile& TBinaryFile::operator=(TBinaryFile&& other) noexcept {
  if (this != &other) {
    Close();
    Descriptor = std::exchange(other.Descriptor, -1);
    Error = std::move(other.Error);
  }
  return *this;
}

TBinaryFile::~TBinaryFile() {
  Close();
}

void TBinaryFile::Fail(int error) {
  Error = std::strerror(error);
}

bool TBinaryFile::Open(std::string_view path, TOpenMode mode) {
  Close();
  // A NUL inside the name would make the system open a shorter name: another file.
  if (path.find('\0') != std::string_view::npos) {
    Fail(EINVAL);
    return false;
  }
  const std::string native = NativePath(path);
  // Only regular files: a FIFO would hold the program until someone writes into it, a
  // device may do anything on open, and a directory holds no data. The name is looked
  // at first, then opened without waiting and looked at again, since it may have been
  // given to something else in between.
  struct stat status {};
  if (::stat(native.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    Error = NotRegularFile;
    return false;
  }
  const int flags = (mode == TOpenMode::ReadOnly ? O_RDONLY : (O_WRONLY | O_CREAT)) | O_NONBLOCK | O_NOCTTY |
                    O_CLOEXEC;
  int descriptor;
  do {
    descriptor = ::open(native.c_str(), flags, NewFilePermissions);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    Fail(errno);
    return false;
  }
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    Error = NotRegularFile;
    return false;
  }
  // Reads and writes wait as usual from here on.
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  Descriptor = descriptor;
  Error.clear();
  return true;
}

std::size_t TBinaryFile::Read(void* buffer, std::size_t size) {
  if (Descriptor < 0) {
    Fail(EBADF);
    return 0;
  }
  char* place = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = ::read(Descriptor, place + done, size - done);
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      Fail(errno);
      break;
    }
    if (count == 0) {
      break;
    }
    done += static_cast<std::size_t>(count);
  }
  return done;
}

bool TBinaryFile::WriteAll(const void* data, std::size_t size) {
  if (Descriptor < 0) {
    Fail(EBADF);
    return false;
  }
  const char* place = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = ::write(Descriptor, place + done, size - done);
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      Fail(errno);
      return false;
    }
    if (count == 0) {
      // A write that takes nothing would loop for ever; the device is full.
      Fail(ENOSPC);
      return false;
    }
    done += static_cast<std::size_t>(count);
  }
  return true;
}

bool TBinaryFile::SeekTo(std::uint64_t offset) {
  if (Descriptor < 0) {
    Fail(EBADF);
    return false;
  }
  if (::lseek(Descriptor, static_cast<off_t>(offset), SEEK_SET) < 0) {
    Fail(errno);
    return false;
  }
  return true;
}

bool TBinaryFile::Close() {
  if (Descriptor < 0) {
    return true;
  }
  // The descriptor is released even when close reports an error, so it is never
  // closed twice (on Linux a retry after EINTR could close another file).
  const int result = ::close(std::exchange(Descriptor, -1));
  if (result != 0) {
    Fail(errno);
    return false;
  }
  return true;
}

}  // namespace platform
