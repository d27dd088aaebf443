// Replacing a file's contents through a temporary file and a rename.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/Files.h"

namespace platform {

namespace {

constexpr const char* NotRegularFile = "not a regular file";
// As many links as the system itself follows before it gives up with ELOOP.
constexpr int MaxLinkHops = 40;
constexpr mode_t NewFilePermissions = 0666;

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

TFileReplacement::~TFileReplacement() { Abandon(); }

bool TFileReplacement::Fail(int error) {
  Error = std::strerror(error);
  Abandon();
  return false;
}

void TFileReplacement::Abandon() {
  if (Descriptor >= 0) ::close(std::exchange(Descriptor, -1));
  if (!Temporary.empty()) ::unlink(Temporary.c_str());
  Temporary.clear();
  WritingInPlace = false;
}

bool TFileReplacement::Begin(std::string_view path) {
  Abandon();
  Error.clear();
  Written = 0;
  Existed = false;
  if (path.find('\0') != std::string_view::npos) return Fail(EINVAL);

  // The file a chain of symbolic links ends at; the links themselves stay as they are.
  Target = NativePath(path);
  struct stat status {};
  for (int hops = 0;; ++hops) {
    if (::lstat(Target.c_str(), &status) != 0) {
      if (errno == ENOENT) break;
      return Fail(errno);
    }
    if (!S_ISLNK(status.st_mode)) {
      if (!S_ISREG(status.st_mode)) {
        Error = NotRegularFile;
        return false;
      }
      Existed = true;
      break;
    }
    if (hops == MaxLinkHops) return Fail(ELOOP);
    std::string link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1, '\0');
    const ssize_t length = ::readlink(Target.c_str(), link.data(), link.size());
    if (length < 0) return Fail(errno);
    link.resize(static_cast<std::size_t>(length));
    Target = link.front() == '/' ? link : DirectoryOf(Target) + "/" + link;
  }

  Temporary = DirectoryOf(Target) + "/." + NameOf(Target) + ".XXXXXX";
  Descriptor = ::mkostemp(Temporary.data(), O_CLOEXEC);
  if (Descriptor < 0) {
    const int reason = errno;
    Temporary.clear();
    // A folder the program may not write in: the file itself may still be writable.
    if (reason != EACCES && reason != EPERM) return Fail(reason);
    do {
      Descriptor = ::open(Target.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                          NewFilePermissions);
    } while (Descriptor < 0 && errno == EINTR);
    if (Descriptor < 0) return Fail(errno);
    struct stat opened {};
    if (::fstat(Descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      Abandon();
      Error = NotRegularFile;
      return false;
    }
    WritingInPlace = true;
    return true;
  }
  if (Existed) {
    // The owner first: changing it may clear the set-id bits, which the mode then restores.
    if (::fchown(Descriptor, status.st_uid, status.st_gid) != 0) {
      [[maybe_unused]] const int ignored = ::fchown(Descriptor, static_cast<uid_t>(-1), status.st_gid);
    }
    ::fchmod(Descriptor, status.st_mode & 07777);
  } else {
    ::fchmod(Descriptor, NewFilePermissions & ~CurrentUmask());
  }
  return true;
}

bool TFileReplacement::Write(const void* data, std::size_t size) {
  if (Descriptor < 0) return Fail(EBADF);
  const char* place = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count = ::write(Descriptor, place + done, size - done);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Fail(errno);
    if (count == 0) return Fail(ENOSPC);
    done += static_cast<std::size_t>(count);
  }
  Written += size;
  return true;
}

bool TFileReplacement::Commit() {
  if (Descriptor < 0) return Fail(EBADF);
  if (WritingInPlace && ::ftruncate(Descriptor, static_cast<off_t>(Written)) != 0) return Fail(errno);
  if (::fsync(Descriptor) != 0 && errno != EINVAL) return Fail(errno);
  // Closed here, not in Abandon, so that an error of the close itself is seen.
  if (::close(std::exchange(Descriptor, -1)) != 0) return Fail(errno);
  if (!Temporary.empty()) {
    if (::rename(Temporary.c_str(), Target.c_str()) != 0) return Fail(errno);
    Temporary.clear();
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(DirectoryOf(Target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
  }
  WritingInPlace = false;
  return true;
}

bool ReplaceFileContents(std::string_view path, std::string_view bytes, std::string& error) {
  TFileReplacement replacement;
  const bool done = replacement.Begin(path) && replacement.Write(bytes.data(), bytes.size()) &&
                    replacement.Commit();
  error = done ? std::string() : replacement.ErrorText();
  return done;
}

}  // namespace platform
