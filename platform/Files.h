#pragma once
// The system half of the platform layer: files, the text-mode stream the builder reads,
// whole-file reads and replacements, path separators and the working directory. Plain
// C++ on POSIX calls, no Qt.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The application forms paths with a backslash. Both '\' and '/' separate directories
// here: "/home/me/books\VESK.BIN" opens /home/me/books/VESK.BIN, a doubled separator is
// harmless (a run of separators becomes one), and "\VESK.BIN" is /VESK.BIN.
std::string NativePath(std::string_view path);

enum class TOpenMode {
  ReadOnly,
  // Writing only; the file is created when missing and otherwise written over from its
  // first byte, never truncated.
  WriteCreateNoTruncate,
};

// A file opened in binary mode. Move-only; the destructor closes it.
// ErrorText() holds the system's reason for the last failure; a successful Open
// empties it.
class TBinaryFile {
public:
  TBinaryFile() = default;
  TBinaryFile(const TBinaryFile&) = delete;
  TBinaryFile& operator=(const TBinaryFile&) = delete;
  TBinaryFile(TBinaryFile&& other) noexcept;
  TBinaryFile& operator=(TBinaryFile&& other) noexcept;
  ~TBinaryFile();

  // Opens `path` (through NativePath), closing any file held before. A new file gets
  // the permissions 0666 before the umask: readable and writable, not executable.
  // Only a regular file is opened: anything else (a FIFO, a directory, a device) is
  // refused with the reason "not a regular file", without waiting. False when the file
  // cannot be opened.
  bool Open(std::string_view path, TOpenMode mode);
  bool IsOpen() const { return Descriptor >= 0; }

  // Reads up to `size` bytes, going on after short reads until `size` bytes are read,
  // the end of the file is reached or an error happens. Returns the bytes read; on an
  // error ErrorText() tells why.
  std::size_t Read(void* buffer, std::size_t size);

  // Writes all `size` bytes, going on after short writes. False on an error.
  bool WriteAll(const void* data, std::size_t size);

  // Moves to `offset` bytes from the start of the file. False on an error.
  bool SeekTo(std::uint64_t offset);

  // Closes the file; false when the system reports an error on closing (the file is
  // closed all the same). True when no file was open.
  bool Close();

  const std::string& ErrorText() const { return Error; }

  // The file's size in bytes; 0 when it cannot be told.
  std::uint64_t Size() const;

private:
  friend class TFileMapping;
  void Fail(int error);

  int Descriptor = -1;
  std::string Error;
};

// A read-only view of the first bytes of an open file, for a reader that looks at a few
// of them: `size` bytes at Data(), of which the first `wanted` are the file's own bytes,
// brought in at once (zeros where the file ends sooner). Past `wanted` the view holds
// the rest of the file's last page brought in, then zeros; pages of the file that are
// not wanted are never read, and nothing is copied. The view stays valid after the file is closed.
// A file that another program cuts short while it is viewed raises SIGBUS at a look at
// the lost bytes.
class TFileMapping {
public:
  TFileMapping() = default;
  TFileMapping(const TFileMapping&) = delete;
  TFileMapping& operator=(const TFileMapping&) = delete;
  ~TFileMapping();

  // False, with the system's reason in ErrorText(), when the view cannot be made.
  bool Map(const TBinaryFile& file, std::size_t size, std::size_t wanted);
  const unsigned char* Data() const { return static_cast<const unsigned char*>(Start); }
  const std::string& ErrorText() const { return Error; }

private:
  void Unmap();

  void* Start = nullptr;
  std::size_t Length = 0;
  std::string Error;
};

// The text-mode stream ("rt") of the builder: every carriage return is dropped as it
// is read, so that CR LF and LF lines read alike, and a Ctrl-Z (byte 26) ends the text.
class TTextStream {
public:
  TTextStream();
  TTextStream(const TTextStream&) = delete;
  TTextStream& operator=(const TTextStream&) = delete;
  ~TTextStream();

  // Opens `path` (through NativePath) for reading, closing any stream held before.
  // False when the file cannot be opened.
  bool Open(std::string_view path);

  // Like fgets: reads at most size - 1 characters, stopping after a line feed (kept in
  // the buffer) or at the end of the text, and ends the buffer with a NUL. Dropped
  // carriage returns do not count. False when nothing could be read before the end of
  // the text (the buffer is then unchanged), and on a read error (Failed() is then
  // true and the line is lost). size >= 2.
  bool GetLine(char* buffer, std::size_t size);

  // A read error (not the end of the text) happened.
  bool Failed() const { return ReadFailed; }

  void Close();

  const std::string& ErrorText() const { return Error; }

private:
  // Refills the buffer; false at the end of the file or on an error.
  bool Refill();

  static constexpr std::size_t BufferSize = std::size_t{64} * 1024;

  TBinaryFile File;
  std::unique_ptr<char[]> Buffer;
  std::size_t Start = 0;
  std::size_t End = 0;
  bool AtEnd = false;
  bool ReadFailed = false;
  std::string Error;
};

// How a whole-file read ended.
enum class TReadResult {
  Read,     // the file's bytes are in the string
  Missing,  // there is no file of that name
  Failed,   // there is one, but it could not be read: the error text says why
};

// Reads the whole of a regular file. A file that is not a regular file (a FIFO, a
// directory, a device) is never opened in a way that can block and is never read: it
// fails with the reason "not a regular file". Symbolic links are followed.
TReadResult ReadRegularFile(std::string_view path, std::string& bytes, std::string& error);

// Whether `path` names something that exists but is not a regular file (a symbolic
// link is followed); false for a regular file, for no file and when it cannot be told.
bool IsNonRegularFile(std::string_view path);

// Replaces a file's contents as one step: the new contents go to a temporary file beside
// the file, which is then renamed over it, so that the old contents stay whole until the
// new ones are complete and a failure or a kill in between leaves the file as it was.
//
// A symbolic link is followed to the file it names, which is replaced; the link stays a
// link. An existing file keeps its permission bits and, where the process may, its owner
// and group; a new file gets 0666 before the umask. A hard link to the file is not kept
// (the rename makes a new file). Where no temporary file can be made beside the file (a
// folder without write permission holding a writable file), the file is written in place
// from its first byte and cut to the new length, as a plain write would do it. Something
// that exists but is not a regular file is refused with "not a regular file".
class TFileReplacement {
public:
  TFileReplacement() = default;
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;
  ~TFileReplacement();  // abandons an uncommitted replacement, leaving the file as it was

  // Starts the replacement of the file `path` names (through NativePath). False, with
  // the reason, when it cannot be started.
  bool Begin(std::string_view path);
  // Writes the next bytes of the new contents; false, with the reason, on an error.
  bool Write(const void* data, std::size_t size);
  // Makes the new contents the file's: flushed to the disk, then renamed over the file.
  // False, with the reason, when that fails; the file then holds its old contents
  // (unless it had to be written in place).
  bool Commit();
  // Drops the new contents; the file keeps its old ones.
  void Abandon();

  bool InPlace() const { return WritingInPlace; }
  // Whether the file existed when the replacement began.
  bool TargetExisted() const { return Existed; }
  // The file that is being replaced: the target of a symbolic link, else the path.
  const std::string& TargetPath() const { return Target; }
  const std::string& ErrorText() const { return Error; }

private:
  bool Fail(int error);

  std::string Target;
  std::string Temporary;     // empty when writing in place
  int Descriptor = -1;
  bool WritingInPlace = false;
  bool Existed = false;
  std::size_t Written = 0;
  std::string Error;
};

// The whole of `bytes` as the file's new contents, through TFileReplacement.
bool ReplaceFileContents(std::string_view path, std::string_view bytes, std::string& error);

// Reads the working directory into `buffer`, ended by a NUL. Fails and writes nothing
// when the directory and its NUL do not fit in `size` bytes, or when it cannot be read.
bool GetWorkingDirectory(char* buffer, std::size_t size);

}  // namespace platform
