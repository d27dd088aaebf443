// The system half of the platform layer: paths, binary files, the text-mode stream and
// the working directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <unistd.h>

#include "platform/Files.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
protected:
  testsupport::TTempDirectory Temp{"quorvel-files"};
  const fs::path Directory = Temp.Path();

  std::string PathOf(const std::string& name) const { return Temp.PathOf(name); }
  void WriteFile(const std::string& name, const std::string& bytes) const { Temp.WriteFile(name, bytes); }
  std::string ReadFile(const std::string& name) const { return Temp.ReadFile(name); }

  // Every line that GetLine gives for `bytes` with the buffer size `size`.
  std::vector<std::string> LinesOf(const std::string& bytes, std::size_t size) {
    WriteFile("text.txt", bytes);
    platform::TTextStream stream;
    EXPECT_TRUE(stream.Open(PathOf("text.txt")));
    std::vector<std::string> lines;
    std::vector<char> buffer(size + 1, 'Z');
    while (stream.GetLine(buffer.data(), size)) {
      EXPECT_EQ(buffer[size], 'Z') << "written past the buffer";
      lines.emplace_back(buffer.data());
    }
    EXPECT_FALSE(stream.Failed());
    return lines;
  }

};

TEST(NativePath, TakesBothSeparators) {
  struct TCase {
    std::string Path;
    std::string Expected;
  };
  const TCase cases[] = {
      {"/home/me/books\\VESK.BIN", "/home/me/books/VESK.BIN"},
      {"/home/me/books/\\VESK.BIN", "/home/me/books/VESK.BIN"},  // a trailing separator doubles
      {"/home//me\\\\books", "/home/me/books"},
      {"\\VESK.BIN", "/VESK.BIN"},                              // an empty directory
      {"VESK.BIN", "VESK.BIN"},
      {"books\\VESK.BIN", "books/VESK.BIN"},
      {"", ""},
      {"/", "/"},
      {"caf\xE9\\x", "caf\xE9/x"},                              // bytes pass unchanged
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("path \"" + c.Path + "\"");
    EXPECT_EQ(platform::NativePath(c.Path), c.Expected);
  }
}

TEST_F(FilesTest, OpensPathsWithBackslashes) {
  fs::create_directory(Directory / "books");
  WriteFile("books/VESK.BIN", "image");
  platform::TBinaryFile file;
  ASSERT_TRUE(file.Open(Directory.string() + "\\books\\VESK.BIN", platform::TOpenMode::ReadOnly))
      << file.ErrorText();
  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, sizeof buffer), 5u);
  EXPECT_STREQ(buffer, "image");
}

TEST_F(FilesTest, ReadLoopsToTheEndOfTheFile) {
  const std::string bytes(300000, '\x7f');
  WriteFile("big", bytes);
  platform::TBinaryFile file;
  ASSERT_TRUE(file.Open(PathOf("big"), platform::TOpenMode::ReadOnly));
  std::string buffer(400000, '\0');
  EXPECT_EQ(file.Read(buffer.data(), buffer.size()), bytes.size());
  EXPECT_EQ(buffer.substr(0, bytes.size()), bytes);
  EXPECT_EQ(file.Read(buffer.data(), buffer.size()), 0u);  // at the end
  EXPECT_TRUE(file.ErrorText().empty());
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(FilesTest, WriteCreatesReadWritableAndNeverTruncates) {
  const mode_t oldMask = ::umask(022);
  platform::TBinaryFile file;
  ASSERT_TRUE(file.Open(PathOf("new.bin"), platform::TOpenMode::WriteCreateNoTruncate));
  EXPECT_TRUE(file.WriteAll("0123456789", 10));
  EXPECT_TRUE(file.Close());
  ::umask(oldMask);
  struct stat status {};
  ASSERT_EQ(::stat(PathOf("new.bin").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);  // 0666 less the umask: not executable

  // A second write goes over the first bytes and leaves the tail.
  ASSERT_TRUE(file.Open(PathOf("new.bin"), platform::TOpenMode::WriteCreateNoTruncate));
  EXPECT_TRUE(file.WriteAll("ab", 2));
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadFile("new.bin"), "ab23456789");
}

TEST_F(FilesTest, FailuresGiveTheSystemsReason) {
  platform::TBinaryFile file;
  EXPECT_FALSE(file.Open(PathOf("missing"), platform::TOpenMode::ReadOnly));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.ErrorText(), std::strerror(ENOENT));

  EXPECT_FALSE(file.Open(PathOf("no/such/dir/x"), platform::TOpenMode::WriteCreateNoTruncate));
  EXPECT_EQ(file.ErrorText(), std::strerror(ENOENT));

  // Only regular files open: a directory, a FIFO (at once, not waiting for a writer)
  // and a device are refused, for reading and for writing.
  ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
  for (const std::string& path : {Directory.string(), PathOf("fifo"), std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    for (const auto mode : {platform::TOpenMode::ReadOnly, platform::TOpenMode::WriteCreateNoTruncate}) {
      EXPECT_FALSE(file.Open(path, mode));
      EXPECT_FALSE(file.IsOpen());
      EXPECT_EQ(file.ErrorText(), "not a regular file");
    }
  }

  // A name with a NUL inside is refused rather than cut short.
  WriteFile("a", "x");
  EXPECT_FALSE(file.Open(PathOf("a") + std::string("\0b", 2), platform::TOpenMode::ReadOnly));
  EXPECT_FALSE(file.IsOpen());

  // A write that cannot go through says why: here a file-size limit of 1 KiB.
  const std::string big = PathOf("big.bin");
  const int result = testsupport::RunInChild([&] {
    const struct rlimit limit{1024, 1024};
    ::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    platform::TBinaryFile limited;
    const std::string bytes(4096, 'x');
    const bool wrote = limited.Open(big, platform::TOpenMode::WriteCreateNoTruncate) &&
                       limited.WriteAll(bytes.data(), bytes.size());
    return !wrote && limited.ErrorText() == std::strerror(EFBIG) ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
}

TEST_F(FilesTest, MovingHandsTheFileOver) {
  WriteFile("a", "abc");
  platform::TBinaryFile first;
  ASSERT_TRUE(first.Open(PathOf("a"), platform::TOpenMode::ReadOnly));
  platform::TBinaryFile second(std::move(first));
  EXPECT_FALSE(first.IsOpen());  // NOLINT(bugprone-use-after-move): the moved-from file is what is tested
  ASSERT_TRUE(second.IsOpen());
  char buffer[4] = {};
  EXPECT_EQ(second.Read(buffer, 3), 3u);
  EXPECT_STREQ(buffer, "abc");
}

TEST_F(FilesTest, TextStreamReadsInTextMode) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    std::size_t Size;
    std::vector<std::string> Expected;
  };
  const TCase cases[] = {
      {"LF lines", "one\ntwo\n", 100, {"one\n", "two\n"}},
      {"CR LF lines read as LF lines", "one\r\ntwo\r\n", 100, {"one\n", "two\n"}},
      {"a CR anywhere is dropped", "o\rn\re\r\r\n\rtwo", 100, {"one\n", "two"}},
      {"a last line without line feed", "one\ntwo", 100, {"one\n", "two"}},
      {"an empty line", "\n\n", 100, {"\n", "\n"}},
      {"an empty text", "", 100, {}},
      {"only carriage returns", "\r\r\r", 100, {}},
      {"Ctrl-Z ends the text", "one\ntw\x1Ao\nthree\n", 100, {"one\n", "tw"}},
      {"Ctrl-Z first", "\x1A" "one\n", 100, {}},
      {"at most size - 1 characters", "abcdefg\n", 4, {"abc", "def", "g\n"}},
      {"the line feed fits as the last character", "abc\nd", 5, {"abc\n", "d"}},
      {"a line of size - 1 leaves its line feed for the next read", "abc\n", 4, {"abc", "\n"}},
      {"dropped CRs do not count", "ab\r\r\rc\n", 4, {"abc", "\n"}},
      {"size 2 reads one character", "ab\n", 2, {"a", "b", "\n"}},
      {"other bytes pass unchanged", "\xA3\t\x01\n", 100, {"\xA3\t\x01\n"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(LinesOf(c.Bytes, c.Size), c.Expected);
  }
}

TEST_F(FilesTest, TextStreamReadsAcrossItsBuffer) {
  // Lines that straddle the 64 KiB buffer, with CR LF ends split between two fills.
  std::string bytes;
  std::vector<std::string> expected;
  for (int i = 0; bytes.size() < 300000; ++i) {
    const std::string line = std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'x');
    bytes += line + "\r\n";
    expected.push_back(line + "\n");
  }
  EXPECT_EQ(LinesOf(bytes, 200), expected);
}

TEST_F(FilesTest, TextStreamReportsOpenAndReadFailures) {
  platform::TTextStream stream;
  EXPECT_FALSE(stream.Open(PathOf("missing.txt")));
  EXPECT_EQ(stream.ErrorText(), std::strerror(ENOENT));

  EXPECT_FALSE(stream.Open(Directory.string()));
  EXPECT_EQ(stream.ErrorText(), "not a regular file");
  char buffer[100] = "unchanged";

  // Reopening starts afresh.
  WriteFile("t", "x\n");
  ASSERT_TRUE(stream.Open(PathOf("t")));
  EXPECT_FALSE(stream.Failed());
  ASSERT_TRUE(stream.GetLine(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "x\n");
  EXPECT_FALSE(stream.GetLine(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "x\n");  // the end of the text leaves the buffer as it was
  EXPECT_FALSE(stream.Failed());
}

TEST_F(FilesTest, WorkingDirectoryFitsOrIsNotWritten) {
  char expected[4096];
  ASSERT_NE(::getcwd(expected, sizeof expected), nullptr);
  const std::size_t length = std::strlen(expected);

  char buffer[4096];
  ASSERT_TRUE(platform::GetWorkingDirectory(buffer, sizeof buffer));
  EXPECT_STREQ(buffer, expected);

  std::memset(buffer, 'Z', sizeof buffer);
  ASSERT_TRUE(platform::GetWorkingDirectory(buffer, length + 1));  // exactly fits
  EXPECT_STREQ(buffer, expected);

  std::memset(buffer, 'Z', sizeof buffer);
  EXPECT_FALSE(platform::GetWorkingDirectory(buffer, length));  // the NUL does not fit
  for (char c : buffer) {
    ASSERT_EQ(c, 'Z');
  }
}

}  // namespace
