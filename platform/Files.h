#pragma once
// The system half of the platform layer: files, the text-mode stream the builder reads,
// path separators and the working directory. Plain C++ on POSIX calls, no Qt.

#include <cstddef>
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
  // False when the file cannot be opened.
  bool Open(std::string_view path, TOpenMode mode);
  bool IsOpen() const { return Descriptor >= 0; }

  // Reads up to `size` bytes, going on after short reads until `size` bytes are read,
  // the end of the file is reached or an error happens. Returns the bytes read; on an
  // error ErrorText() tells why.
  std::size_t Read(void* buffer, std::size_t size);

  // Writes all `size` bytes, going on after short writes. False on an error.
  bool WriteAll(const void* data, std::size_t size);

  // Closes the file; false when the system reports an error on closing (the file is
  // closed all the same). True when no file was open.
  bool Close();

  const std::string& ErrorText() const { return Error; }

private:
  void Fail(int error);

  int Descriptor = -1;
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

  static constexpr std::size_t BufferSize = 64 * 1024;

  TBinaryFile File;
  std::unique_ptr<char[]> Buffer;
  std::size_t Start = 0;
  std::size_t End = 0;
  bool AtEnd = false;
  bool ReadFailed = false;
  std::string Error;
};

// Reads the working directory into `buffer`, ended by a NUL. Fails and writes nothing
// when the directory and its NUL do not fit in `size` bytes, or when it cannot be read.
bool GetWorkingDirectory(char* buffer, std::size_t size);

}  // namespace platform
