// vesk build and vesk lines, run as the built program on files made in a temporary
// directory: the exact bytes on stdout and stderr, and the exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

#include "support/Fixtures.h"
#include "textstore/TextImage.h"
#include "util/Version.h"

#ifndef QUORVEL_VESK
#error "QUORVEL_VESK must name the vesk program"
#endif

namespace {

namespace fs = std::filesystem;

using testsupport::TRun;

const char UsageLines[][56] = {
    "vesk build [TEXT [IMAGE]]",
    "vesk lines [IMAGE]",
    "vesk search [-i] [--table] PHRASE [IMAGE]",
    "vesk settings [-f FILE] [DataPath|LineSpace VALUE]",
    "vesk --version",
};

class VeskTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "quorvel-vesk-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    Directory = pattern;
    fs::create_directory(Directory / "work");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(Directory, ignored);
  }

  // Runs vesk with `arguments` in the working directory Directory/work.
  TRun Run(const std::vector<std::string>& arguments) const {
    return testsupport::RunProgram(QUORVEL_VESK, arguments, Directory / "work", Directory);
  }

  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Directory / "work" / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  static std::string ReadFile(const fs::path& path) { return testsupport::ReadWholeFile(path); }

  std::string WorkFile(const std::string& name) const { return ReadFile(Directory / "work" / name); }

  fs::path Directory;
};

TEST_F(VeskTest, BuildWritesTheImageAndSaysHowManyLines) {
  WriteFile("VESK.TXT", "$1#Psalm 1\r\n1 Blessed is the man\r\n\r\n");
  const TRun run = Run({"build"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, "Stored 3 lines in VESK.BIN\n");
  EXPECT_EQ(run.Err, "");
  const std::string image = WorkFile("VESK.BIN");
  ASSERT_EQ(image.size(), ImageSize);
  EXPECT_EQ(image.substr(0, 4), std::string("\x04\x00\x00\x00", 4));
  EXPECT_EQ(std::string(image.c_str() + 4 + 257), "1 Blessed is the man");

  // The lines come back as the reader loads them, with the empty last one.
  const TRun lines = Run({"lines"});
  EXPECT_EQ(lines.ExitCode, 0);
  EXPECT_EQ(lines.Out, "$1#Psalm 1\n1 Blessed is the man\n\n\n");
  EXPECT_EQ(lines.Err, "");
}

TEST_F(VeskTest, BuildAndLinesTakeTheirFilesAndBackslashes) {
  fs::create_directory(Directory / "work" / "books");
  WriteFile("books/psalms.txt", "one\ntwo");
  const TRun run = Run({"build", "books\\psalms.txt", "books\\\\psalms.bin"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(run.Out, "Stored 2 lines in books\\\\psalms.bin\n");
  EXPECT_EQ(WorkFile("books/psalms.bin").size(), ImageSize);

  const TRun lines = Run({"lines", (Directory / "work").string() + "\\books\\psalms.bin"});
  EXPECT_EQ(lines.ExitCode, 0) << lines.Err;
  EXPECT_EQ(lines.Out, "one\ntwo\n\n");
}

TEST_F(VeskTest, BuildSaysWhenTheTextWasCut) {
  std::string text;
  for (int i = 0; i < 17003; ++i) {
    text += std::to_string(i) + "\n";
  }
  WriteFile("VESK.TXT", text);
  const TRun run = Run({"build"});
  EXPECT_EQ(run.ExitCode, 0);
  const std::string first = "Stored 17000 lines in VESK.BIN\n";
  ASSERT_EQ(run.Out.substr(0, first.size()), first);
  const std::string rest = run.Out.substr(first.size());
  EXPECT_NE(rest.find("17000"), std::string::npos) << rest;
  EXPECT_EQ(std::count(rest.begin(), rest.end(), '\n'), 1) << rest;

  const TRun lines = Run({"lines"});
  EXPECT_EQ(std::count(lines.Out.begin(), lines.Out.end(), '\n'), 17001);
  EXPECT_EQ(lines.Out.substr(lines.Out.size() - 8), "\n16999\n\n");
}

TEST_F(VeskTest, FailuresNameTheFileAndTheReason) {
  struct TCase {
    const char* Name;
    std::vector<std::string> Arguments;
    std::string Err;
  };
  fs::create_directory(Directory / "work" / "dir");
  ASSERT_EQ(::mkfifo((Directory / "work" / "fifo").c_str(), 0600), 0);
  WriteFile("present.txt", "one\n");
  const TCase cases[] = {
      {"a missing text", {"build"}, "vesk: VESK.TXT: No such file or directory\n"},
      {"a text that is a directory", {"build", "dir"}, "vesk: dir: not a regular file\n"},
      {"an image that is a directory", {"build", "present.txt", "dir"}, "vesk: dir: not a regular file\n"},
      {"an image in a missing directory", {"build", "present.txt", "no\\VESK.BIN"},
       "vesk: no\\VESK.BIN: No such file or directory\n"},
      {"a missing image", {"lines"}, "vesk: VESK.BIN: No such file or directory\n"},
      {"an image that is a directory", {"lines", "dir"}, "vesk: dir: not a regular file\n"},
      {"an image that is a FIFO", {"lines", "fifo"}, "vesk: fifo: not a regular file\n"},
      {"a search in a FIFO", {"search", "Lord", "fifo"}, "vesk: fifo: not a regular file\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TRun run = Run(c.Arguments);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, c.Err);
  }
  EXPECT_FALSE(fs::exists(Directory / "work" / "VESK.BIN"));
}

TEST_F(VeskTest, LinesPrintsTheLoadedBytesAndNothingElse) {
  // A hand-made image: line ends in the slots, bytes beyond ASCII, a short file.
  std::string image(4 + 257 * 4, '\0');
  image[0] = 5;
  const char* slots[] = {"plain", "crlf\r\n", "two lfs\n\n", "\xA3\xE9\t bytes"};
  for (int k = 0; k < 4; ++k) {
    std::memcpy(&image[4 + 257 * static_cast<std::size_t>(k)], slots[k], std::strlen(slots[k]));
  }
  WriteFile("VESK.BIN", image);
  TRun run = Run({"lines"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, "plain\ncrlf\ntwo lfs\n\n\xA3\xE9\t bytes\n\n");
  // The short file is loaded as far as it goes, and named as damaged in one line.
  EXPECT_EQ(run.Err, "vesk: VESK.BIN: damaged book file: 1032 of 4369004 bytes read\n");
  run = Run({"search", "plain"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Err, "vesk: VESK.BIN: damaged book file: 1032 of 4369004 bytes read\n");
  EXPECT_NE(run.Out.find("Found In"), std::string::npos);

  // A whole image gives no warning.
  image.resize(ImageSize, '\0');
  WriteFile("VESK.BIN", image);
  run = Run({"lines"});
  EXPECT_EQ(run.Out, "plain\ncrlf\ntwo lfs\n\n\xA3\xE9\t bytes\n\n");
  EXPECT_EQ(run.Err, "");

  // A count of 0 or below loads nothing.
  for (const char count : {'\0', '\xFF'}) {
    image.replace(0, 4, 4, count);
    WriteFile("VESK.BIN", image);
    run = Run({"lines"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "");
  }
}

TEST_F(VeskTest, UsageNamesEveryCommand) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"--help"}, std::vector<std::string>{"-h"}}) {
    SCOPED_TRACE(arguments.empty() ? "no arguments" : arguments[0]);
    const TRun run = Run(arguments);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "");
    for (const char* line : UsageLines) {
      EXPECT_NE(run.Out.find(line), std::string::npos) << line;
    }
  }
  const TRun version = Run({"--version"});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Out, std::string("vesk ") + QuorvelVersion + "\n");

  const TRun unknown = Run({"frobnicate"});
  EXPECT_EQ(unknown.ExitCode, 2);
  EXPECT_EQ(unknown.Out, "");
  EXPECT_NE(unknown.Err.find("frobnicate"), std::string::npos);
  for (const char* line : UsageLines) {
    EXPECT_NE(unknown.Err.find(line), std::string::npos) << line;
  }
}

TEST_F(VeskTest, WrongArgumentsAreUsageErrors) {
  WriteFile("VESK.TXT", "one\n");
  const std::vector<std::string> cases[] = {
      {"build", "a", "b", "c"},
      {"build", "--bogus"},
      {"lines", "a", "b"},
      {"lines", "-x"},
  };
  for (const std::vector<std::string>& arguments : cases) {
    SCOPED_TRACE(arguments[0] + " " + arguments[1]);
    const TRun run = Run(arguments);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("usage"), std::string::npos) << run.Err;
  }
  EXPECT_FALSE(fs::exists(Directory / "work" / "VESK.BIN"));  // nothing was built
}

TEST_F(VeskTest, SettingsShowWhatTheReaderStartedHereWouldUse) {
  const std::string work = (Directory / "work").string();
  TRun run = Run({"settings"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Out, "DataPath=" + work + "\nLineSpace=1\n");
  EXPECT_FALSE(fs::exists(Directory / "work" / "quorvel.ini"));  // showing writes nothing

  WriteFile("quorvel.ini", "; mine\r\n[quorvel]\r\ndatapath = \"/srv/books\"\r\n");
  run = Run({"settings", "LineSpace", "-3"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  run = Run({"settings", "datapath", "/home/me/Psalms"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(WorkFile("quorvel.ini"), "; mine\r\n[quorvel]\r\ndatapath=/home/me/Psalms\r\nLineSpace=-3\r\n");
  run = Run({"settings"});
  EXPECT_EQ(run.Out, "DataPath=/home/me/Psalms\nLineSpace=-3\n");

  // -f names another file; +007 is stored as the reader stores numbers.
  run = Run({"settings", "-f", "../other.ini", "LineSpace", "+007"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err;
  EXPECT_EQ(ReadFile(Directory / "other.ini"), "[Quorvel]\nLineSpace=7\n");
  run = Run({"settings", "-f", "../other.ini"});
  EXPECT_EQ(run.Out, "DataPath=" + work + "\nLineSpace=7\n");
}

TEST_F(VeskTest, SettingsRefuseWhatTheReaderCouldNotTakeAndNameFilesTheyCannotUse) {
  WriteFile("quorvel.ini", "[Quorvel]\nLineSpace=5\n");
  const std::vector<std::string> refused[] = {
      {"settings", "LineSpace", "12abc"},
      {"settings", "LineSpace", "2147483648"},
      {"settings", "LineSpace", ""},
      {"settings", "DataPath", std::string(81, 'd')},
      {"settings", "DataPath", "/a\n[Evil]"},
      {"settings", "Colour", "red"},
      {"settings", "LineSpace"},
      {"settings", "LineSpace", "1", "2"},
      {"settings", "-f"},
      {"settings", "--bogus"},
  };
  for (const std::vector<std::string>& arguments : refused) {
    SCOPED_TRACE(arguments.back());
    const TRun run = Run(arguments);
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_NE(run.Err.find("usage: vesk settings"), std::string::npos) << run.Err;
  }
  EXPECT_EQ(WorkFile("quorvel.ini"), "[Quorvel]\nLineSpace=5\n");
  // The longest folder the reader takes is accepted.
  EXPECT_EQ(Run({"settings", "DataPath", std::string(80, 'd')}).ExitCode, 0);

  ASSERT_EQ(::mkfifo((Directory / "fifo.ini").c_str(), 0600), 0);
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"settings", "-f", "../fifo.ini"},
        std::vector<std::string>{"settings", "-f", "../fifo.ini", "LineSpace", "1"}}) {
    SCOPED_TRACE(arguments.size());
    const TRun run = Run(arguments);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("fifo.ini: not a regular file"), std::string::npos) << run.Err;
  }
}

}  // namespace
