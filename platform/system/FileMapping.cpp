#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Files.h"

namespace platform {

std::uint64_t TBinaryFile::Size() const {
  struct stat status {};
  if (Descriptor < 0 || ::fstat(Descriptor, &status) != 0 || status.st_size < 0) {
    return 0;
  }
  return static_cast<std::uint64_t>(status.st_size);
}

TFileMapping::~TFileMapping() { Unmap(); }

void TFileMapping::Unmap() {
  if (Start != nullptr) {
    ::munmap(Start, Length);
  }
  Start = nullptr;
  Length = 0;
}

bool TFileMapping::Map(const TBinaryFile& file, std::size_t size, std::size_t wanted) {
  Unmap();
  if (file.Descriptor < 0 || size == 0) {
    Error = std::strerror(EBADF);
    return false;
  }
  // Zeros first: untouched, they cost nothing.
  void* zeros = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (zeros == MAP_FAILED) {
    Error = std::strerror(errno);
    return false;
  }
  Start = zeros;
  Length = size;

  // Then the wanted bytes of the file over them, in whole pages. The bytes of the last
  // page past the file's end read as zeros, and no page lies wholly past it, so no look
  // at the view can fault while the file keeps its size.
  const std::uint64_t fileSize = file.Size();
  std::size_t mapped = wanted < size ? wanted : size;
  if (fileSize < mapped) {
    mapped = static_cast<std::size_t>(fileSize);
  }
  if (mapped > 0) {
    void* bytes = ::mmap(Start, mapped, PROT_READ, MAP_PRIVATE | MAP_FIXED | MAP_POPULATE, file.Descriptor, 0);
    if (bytes == MAP_FAILED) {
      Error = std::strerror(errno);
      Unmap();
      return false;
    }
  }
  Error.clear();
  return true;
}

}  // namespace platform
