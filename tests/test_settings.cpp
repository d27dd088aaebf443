// The settings file: the INI functions with the original platform's reading and writing
// rules, their safe replacement of the file, and the reader's two settings.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "settings/Settings.h"
#include "support/Fixtures.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TTempDirectory;

// ---------------------------------------------------------------------------------
// Reading

struct TReadRow {
  const char* Name;
  std::string File;
  const char* Key;
  std::string Expected;  // with the default "<default>"
};

TEST(ReadProfileString, FollowsTheOriginalReadingRules) {
  TTempDirectory temp("quorvel-profile");
  const std::string hundred(100, 'h');
  const TReadRow rows[] = {
      {"plain", "[Quorvel]\nDataPath=/a\n", "DataPath", "/a"},
      {"names in any case", "[quorVEL]\ndatapath=/a\n", "DataPath", "/a"},
      {"blanks around names and values", "[ \tQuorvel ]\n  DataPath\t =  /a b \t\n", "DataPath", "/a b"},
      {"double quotes", "[Quorvel]\nDataPath=\"/a b\"\n", "DataPath", "/a b"},
      {"single quotes", "[Quorvel]\nDataPath= '/a' \n", "DataPath", "/a"},
      {"one pair only", "[Quorvel]\nDataPath=\"\"x\"\"\n", "DataPath", "\"x\""},
      {"quotes that do not match", "[Quorvel]\nDataPath=\"x'\n", "DataPath", "\"x'"},
      {"a lone quote", "[Quorvel]\nDataPath=\"\n", "DataPath", "\""},
      {"an empty value", "[Quorvel]\nDataPath=\nLineSpace=3\n", "DataPath", ""},
      {"the first key of a name", "[Quorvel]\nDataPath=/1\nDATAPATH=/2\n", "DataPath", "/1"},
      {"the first section of a name", "[Quorvel]\nLineSpace=1\n[quorvel]\nDataPath=/2\n", "DataPath", "<default>"},
      {"a comment line", "[Quorvel]\n;DataPath=/c\n \t; x\nDataPath=/d\n", "DataPath", "/d"},
      {"no comment after a value", "[Quorvel]\nDataPath=/a ; b\n", "DataPath", "/a ; b"},
      {"lines before the first section", "DataPath=/none\n[Quorvel]\n", "DataPath", "<default>"},
      {"another section's key", "[Other]\nDataPath=/o\n[Quorvel]\nLineSpace=3\n", "DataPath", "<default>"},
      {"CR LF lines", "[Quorvel]\r\nDataPath=/a\r\nLineSpace=3\r\n", "DataPath", "/a"},
      {"a last line without its end", "[Quorvel]\nDataPath=/a", "DataPath", "/a"},
      {"the value after the first '='", "[Quorvel]\nDataPath==/a=b\n", "DataPath", "=/a=b"},
      {"a 100-character value", "[Quorvel]\nDataPath=" + hundred + "\n", "DataPath", std::string(80, 'h')},
      {"an empty file", "", "DataPath", "<default>"},
  };
  for (const TReadRow& row : rows) {
    SCOPED_TRACE(row.Name);
    temp.WriteFile("q.ini", row.File);
    char buffer[81];
    std::memset(buffer, 'Z', sizeof buffer);
    std::string error = "not touched";
    const std::size_t count = platform::ReadProfileString("Quorvel", row.Key, "<default>", buffer, sizeof buffer,
                                                          temp.PathOf("q.ini"), &error);
    EXPECT_EQ(std::string(buffer), row.Expected);
    EXPECT_EQ(count, row.Expected.size());
    EXPECT_EQ(error, "");
  }
}

TEST(ReadProfileString, KeepsToItsBufferAndTellsAFileItCannotRead) {
  TTempDirectory temp("quorvel-profile");
  temp.WriteFile("q.ini", "[Quorvel]\nDataPath=/abc\n");
  char buffer[8];
  std::memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(platform::ReadProfileString("Quorvel", "DataPath", "", buffer, 3, temp.PathOf("q.ini")), 2u);
  EXPECT_STREQ(buffer, "/a");
  EXPECT_EQ(buffer[3], 'Z');
  EXPECT_EQ(platform::ReadProfileString("Quorvel", "DataPath", "", buffer, 1, temp.PathOf("q.ini")), 0u);
  EXPECT_STREQ(buffer, "");
  buffer[0] = 'Z';
  EXPECT_EQ(platform::ReadProfileString("Quorvel", "DataPath", "", buffer, 0, temp.PathOf("q.ini")), 0u);
  EXPECT_EQ(buffer[0], 'Z');

  // No file: the default, and no error. A FIFO: the default, at once, and the reason.
  std::string error;
  EXPECT_EQ(platform::ReadProfileString("Quorvel", "DataPath", "dflt", buffer, sizeof buffer,
                                        temp.PathOf("missing.ini"), &error), 4u);
  EXPECT_STREQ(buffer, "dflt");
  EXPECT_EQ(error, "");
  ASSERT_EQ(::mkfifo(temp.PathOf("fifo.ini").c_str(), 0600), 0);
  EXPECT_EQ(platform::ReadProfileInt("Quorvel", "LineSpace", 1, temp.PathOf("fifo.ini"), &error), 1);
  EXPECT_EQ(error, "not a regular file");
  fs::create_directory(temp.Path() / "dir.ini");
  EXPECT_EQ(platform::ReadProfileInt("Quorvel", "LineSpace", 1, temp.PathOf("dir.ini"), &error), 1);
  EXPECT_EQ(error, "not a regular file");
}

TEST(ReadProfileInt, TakesOnlyAPlainDecimalIntegerWithinThirtyTwoBits) {
  TTempDirectory temp("quorvel-profile");
  struct Row {
    const char* Value;
    std::int32_t Expected;
  };
  const Row rows[] = {
      {"-3", -3},         {"+7", 7},           {"007", 7},          {" 5 ", 5},
      {"\"10\"", 10},     {"0", 0},            {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},              {"2147483648", 1},   {"-2147483649", 1},
      {"99999999999999999999", 1},             {"12abc", 1},        {"", 1},
      {"abc", 1},         {"5 5", 1},          {"+", 1},            {"-", 1},
      {"0x10", 1},        {"1.5", 1},          {"--1", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Value);
    temp.WriteFile("q.ini", std::string("[Quorvel]\nLineSpace=") + row.Value + "\n");
    EXPECT_EQ(platform::ReadProfileInt("Quorvel", "LineSpace", 1, temp.PathOf("q.ini")), row.Expected);
  }
  EXPECT_EQ(platform::ReadProfileInt("Quorvel", "Missing", 42, temp.PathOf("q.ini")), 42);
}

// ---------------------------------------------------------------------------------
// Writing

TEST(WithProfileString, KeepsEveryOtherByteAndPlacesKeysAsTheOriginalDoes) {
  struct Row {
    const char* Name;
    std::string Before;
    const char* Key;
    const char* Value;
    std::string After;
  };
  const Row rows[] = {
      {"a new file", "", "DataPath", "/a", "[Quorvel]\nDataPath=/a\n"},
      {"an existing key, spelled as in the file", "[quorvel]\n  datapath = /old  \nLineSpace=1\n", "DataPath", "/new",
       "[quorvel]\ndatapath=/new\nLineSpace=1\n"},
      {"a new key after the section's last key line", "[Quorvel]\nDataPath=/a\n\n; c\n[Other]\nx=1\n", "LineSpace",
       "5", "[Quorvel]\nDataPath=/a\nLineSpace=5\n\n; c\n[Other]\nx=1\n"},
      {"a section without keys", "[Quorvel]\n; nothing yet\n[Other]\n", "LineSpace", "5",
       "[Quorvel]\nLineSpace=5\n; nothing yet\n[Other]\n"},
      {"a new section at the end", "; c\n[Other]\nx=1", "LineSpace", "5",
       "; c\n[Other]\nx=1\n[Quorvel]\nLineSpace=5\n"},
      {"CR LF lines", "[Other]\r\nx=1\r\n", "LineSpace", "-3", "[Other]\r\nx=1\r\n[Quorvel]\r\nLineSpace=-3\r\n"},
      {"CR LF and a last key line without its end", "[Quorvel]\r\nDataPath=/a", "LineSpace", "5",
       "[Quorvel]\r\nDataPath=/a\r\nLineSpace=5\r\n"},
      {"a replaced last line without its end", "[Quorvel]\nLineSpace=1", "LineSpace", "5", "[Quorvel]\nLineSpace=5\n"},
      {"the line end of the first line", "[Quorvel]\nx=1\r\nLineSpace=1\r\n", "LineSpace", "5",
       "[Quorvel]\nx=1\r\nLineSpace=5\n"},
      {"the first section of a name", "[Quorvel]\nx=1\n[QUORVEL]\nLineSpace=1\n", "LineSpace", "5",
       "[Quorvel]\nx=1\nLineSpace=5\n[QUORVEL]\nLineSpace=1\n"},
      {"the first key of a name", "[Quorvel]\nLineSpace=1\nLineSpace=2\n", "LineSpace", "5",
       "[Quorvel]\nLineSpace=5\nLineSpace=2\n"},
      {"a key before the first section", "LineSpace=9\n[Quorvel]\n", "LineSpace", "5",
       "LineSpace=9\n[Quorvel]\nLineSpace=5\n"},
      {"a commented key", "[Quorvel]\n;LineSpace=1\n", "LineSpace", "5", "[Quorvel]\nLineSpace=5\n;LineSpace=1\n"},
      {"an empty value", "[Quorvel]\nDataPath=/a\n", "DataPath", "", "[Quorvel]\nDataPath=\n"},
      // A last line that lost the line feed of its CR LF gains only the line feed.
      {"a last section header ending in a CR", "\r\n[Quorvel\r", "Te", "?", "\r\n[Quorvel\r\nTe=?\r\n"},
      {"a last line ending in a CR, then a new section", "[Other]\nx=1\r", "LineSpace", "5",
       "[Other]\nx=1\r\n[Quorvel]\nLineSpace=5\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(platform::WithProfileString(row.Before, "Quorvel", row.Key, row.Value), row.After);
  }
}

class ProfileFileTest : public ::testing::Test {
protected:
  TTempDirectory Temp{"quorvel-profile"};
  std::string Write(const std::string& name, const char* key, const char* value) {
    std::string error;
    EXPECT_TRUE(platform::WriteProfileString("Quorvel", key, value, Temp.PathOf(name), error)) << error;
    return Temp.ReadFile(name);
  }
  static mode_t ModeOf(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode;
  }
};

TEST_F(ProfileFileTest, ANewFileIsMadeReadableAndWritableForAll) {
  const mode_t mask = ::umask(022);
  EXPECT_EQ(Write("q.ini", "LineSpace", "1"), "[Quorvel]\nLineSpace=1\n");
  ::umask(mask);
  EXPECT_EQ(ModeOf(Temp.PathOf("q.ini")) & 07777, 0644u);
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(Temp.Path()), fs::directory_iterator()), 1);
}

TEST_F(ProfileFileTest, AnExistingFileKeepsItsPermissionsAndALinkStaysALink) {
  Temp.WriteFile("private.ini", "; mine\n");
  ::chmod(Temp.PathOf("private.ini").c_str(), 0600);
  EXPECT_EQ(Write("private.ini", "LineSpace", "5"), "; mine\n[Quorvel]\nLineSpace=5\n");
  EXPECT_EQ(ModeOf(Temp.PathOf("private.ini")) & 07777, 0600u);

  fs::create_directory(Temp.Path() / "real");
  Temp.WriteFile("real/q.ini", "[Quorvel]\nLineSpace=1\n");
  fs::create_symlink("real/q.ini", Temp.Path() / "link.ini");
  EXPECT_EQ(Write("link.ini", "LineSpace", "10"), "[Quorvel]\nLineSpace=10\n");
  EXPECT_TRUE(S_ISLNK(ModeOf(Temp.PathOf("link.ini"))));
  EXPECT_EQ(Temp.ReadFile("real/q.ini"), "[Quorvel]\nLineSpace=10\n");
  // A dangling link makes the file it names.
  fs::create_symlink("real/new.ini", Temp.Path() / "dangling.ini");
  EXPECT_EQ(Write("dangling.ini", "LineSpace", "0"), "[Quorvel]\nLineSpace=0\n");
  EXPECT_TRUE(S_ISLNK(ModeOf(Temp.PathOf("dangling.ini"))));
  EXPECT_TRUE(fs::is_regular_file(Temp.Path() / "real/new.ini"));
}

TEST_F(ProfileFileTest, WhatIsNotARegularFileIsNeitherReadNorWritten) {
  ASSERT_EQ(::mkfifo(Temp.PathOf("fifo.ini").c_str(), 0600), 0);
  fs::create_directory(Temp.Path() / "dir.ini");
  for (const char* name : {"fifo.ini", "dir.ini"}) {
    SCOPED_TRACE(name);
    std::string error;
    EXPECT_FALSE(platform::WriteProfileString("Quorvel", "LineSpace", "1", Temp.PathOf(name), error));
    EXPECT_EQ(error, "not a regular file");
  }
  EXPECT_TRUE(S_ISFIFO(ModeOf(Temp.PathOf("fifo.ini"))));
  EXPECT_TRUE(fs::is_empty(Temp.Path() / "dir.ini"));
  std::string error;
  EXPECT_FALSE(platform::WriteProfileString("Quorvel", "LineSpace", "1\n[Evil]", Temp.PathOf("q.ini"), error));
  EXPECT_FALSE(fs::exists(Temp.Path() / "q.ini"));
}

TEST_F(ProfileFileTest, AFolderWithoutWritePermissionWritesAWritableFileInPlaceAndLeavesAnotherAsItWas) {
  fs::create_directory(Temp.Path() / "locked");
  Temp.WriteFile("locked/mine.ini", "; mine\n[Quorvel]\nLineSpace=1\n; a long tail that the new file is shorter than\n");
  Temp.WriteFile("locked/theirs.ini", "[Quorvel]\nLineSpace=1\n");
  ::chown(Temp.PathOf("locked/mine.ini").c_str(), testsupport::UnprivilegedUser(), static_cast<gid_t>(-1));
  ::chmod(Temp.PathOf("locked/theirs.ini").c_str(), 0444);
  ::chmod(Temp.PathOf("locked").c_str(), 0555);
  ::chmod(Temp.Path().c_str(), 0755);
  const std::string mine = Temp.PathOf("locked/mine.ini");
  const std::string theirs = Temp.PathOf("locked/theirs.ini");
  const int result = testsupport::RunWithoutPrivileges([&] {
    std::string error;
    const bool wroteMine = platform::WriteProfileString("Quorvel", "LineSpace", "5", mine, error);
    const bool wroteTheirs = platform::WriteProfileString("Quorvel", "LineSpace", "5", theirs, error);
    return (wroteMine ? 1 : 0) | (wroteTheirs ? 2 : 0) | (error == std::strerror(EACCES) ? 4 : 0);
  });
  ::chmod(Temp.PathOf("locked").c_str(), 0755);
  EXPECT_EQ(result, 1 | 4);
  EXPECT_EQ(Temp.ReadFile("locked/mine.ini"),
            "; mine\n[Quorvel]\nLineSpace=5\n; a long tail that the new file is shorter than\n");
  EXPECT_EQ(Temp.ReadFile("locked/theirs.ini"), "[Quorvel]\nLineSpace=1\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Temp.Path() / "locked"), fs::directory_iterator()), 2);
}

// ---------------------------------------------------------------------------------
// The reader's settings

// Each test runs in a working folder of its own, as a run started there would.
class SettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Previous = fs::current_path();
    fs::current_path(Temp.Path());
    DataPath[0] = '\0';
    LineSpace = 0;
    SettingsPath[0] = '\0';
  }
  void TearDown() override { fs::current_path(Previous); }

  // One run's settings: formed, read, changed by `during`, written.
  void Run(void (*during)() = nullptr) {
    FormSettingsPath();
    ReadSettings();
    if (during) during();
    WriteSettings();
  }

  TTempDirectory Temp{"quorvel-settings"};
  fs::path Previous;
};

TEST_F(SettingsTest, AFirstRunUsesTheWorkingFolderAndLeavesBothKeys) {
  FormSettingsPath();
  EXPECT_EQ(platform::NativePath(SettingsPath), (Temp.Path() / "quorvel.ini").string());
  EXPECT_TRUE(ReadSettings());
  EXPECT_EQ(std::string(DataPath), Temp.Path().string());
  EXPECT_EQ(LineSpace, 1);
  EXPECT_TRUE(WriteSettings());
  EXPECT_EQ(Temp.ReadFile("quorvel.ini"), "[Quorvel]\nDataPath=" + Temp.Path().string() + "\nLineSpace=1\n");
}

TEST_F(SettingsTest, WhatOneRunWritesTheNextReads) {
  Run([] {
    LineSpace = -3;
    std::strcpy(DataPath, "/home/me/books");
  });
  Run();
  EXPECT_EQ(LineSpace, -3);
  EXPECT_STREQ(DataPath, "/home/me/books");
}

TEST_F(SettingsTest, StoredValuesAreReadAsTheReaderTakesThem) {
  struct Row {
    const char* Name;
    std::string File;
    std::string DataPathRead;  // "<cwd>": the working folder
    std::int32_t LineSpaceRead;
  };
  const Row rows[] = {
      {"a 100-character folder", "[Quorvel]\nDataPath=/" + std::string(99, 'd') + "\n", "/" + std::string(79, 'd'), 1},
      {"an empty DataPath", "[Quorvel]\nDataPath=\nLineSpace=10\n", "<cwd>", 10},
      {"no section", "; nothing\n", "<cwd>", 1},
      {"trailing text", "[Quorvel]\nLineSpace=12abc\n", "<cwd>", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Temp.WriteFile("quorvel.ini", row.File);
    FormSettingsPath();
    ReadSettings();
    EXPECT_EQ(std::string(DataPath), row.DataPathRead == "<cwd>" ? Temp.Path().string() : row.DataPathRead);
    EXPECT_EQ(LineSpace, row.LineSpaceRead);
  }
}

TEST_F(SettingsTest, AHandWrittenFileKeepsItsCommentsAndOtherSections) {
  const std::string before = "; my reader\r\n[Window]\r\nx=1\r\n\r\n[quorvel]\r\n  linespace = 5 ; old\r\n";
  Temp.WriteFile("quorvel.ini", before);
  Run();
  EXPECT_EQ(Temp.ReadFile("quorvel.ini"),
            "; my reader\r\n[Window]\r\nx=1\r\n\r\n[quorvel]\r\nlinespace=1\r\nDataPath=" + Temp.Path().string() + "\r\n");
}

TEST_F(SettingsTest, TwoWorkingFoldersKeepTheirOwnSettings) {
  fs::create_directory(Temp.Path() / "a");
  fs::create_directory(Temp.Path() / "b");
  fs::current_path(Temp.Path() / "a");
  Run([] { LineSpace = 10; });
  fs::current_path(Temp.Path() / "b");
  Run([] { LineSpace = -3; });
  fs::current_path(Temp.Path() / "a");
  Run();
  EXPECT_EQ(LineSpace, 10);
  EXPECT_EQ(Temp.ReadFile("b/quorvel.ini"), "[Quorvel]\nDataPath=" + (Temp.Path() / "b").string() + "\nLineSpace=-3\n");
}

TEST_F(SettingsTest, ALongWorkingFolderLeavesDataPathEmptyAndATooLongOneKeepsNoSettings) {
  // 80 characters or more: no room in DataPath, whose path then starts at the root.
  fs::path deep = Temp.Path();
  while (deep.string().size() < 90) deep /= "folder";
  fs::create_directories(deep);
  fs::current_path(deep);
  Run();
  EXPECT_STREQ(DataPath, "");
  EXPECT_EQ(testsupport::ReadWholeFile(deep / "quorvel.ini"), "[Quorvel]\nDataPath=\nLineSpace=1\n");

  // Too long for the settings file's 500 characters: nothing read or written, anywhere.
  while (deep.string().size() < 495) deep /= "folder";
  fs::create_directories(deep);
  fs::current_path(deep);
  const bool rootHadOne = fs::exists("/quorvel.ini");
  Run([] { LineSpace = 5; });
  EXPECT_STREQ(SettingsPath, "");
  EXPECT_EQ(LineSpace, 5);
  EXPECT_TRUE(fs::is_empty(deep));
  EXPECT_EQ(fs::exists("/quorvel.ini"), rootHadOne);
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenStaysAsItWas) {
  ASSERT_EQ(::mkfifo("quorvel.ini", 0600), 0);
  FormSettingsPath();
  EXPECT_FALSE(ReadSettings());  // at once, not waiting for a writer
  EXPECT_EQ(LineSpace, 1);
  EXPECT_FALSE(WriteSettings());
  struct stat status {};
  ::lstat("quorvel.ini", &status);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));

  // A folder the run may not write in, holding a file it may not write.
  fs::create_directory(Temp.Path() / "locked");
  Temp.WriteFile("locked/quorvel.ini", "[Quorvel]\nLineSpace=10\n");
  ::chmod((Temp.Path() / "locked/quorvel.ini").c_str(), 0644);
  ::chmod((Temp.Path() / "locked").c_str(), 0555);
  ::chmod(Temp.Path().c_str(), 0755);
  fs::current_path(Temp.Path() / "locked");
  const int result = testsupport::RunWithoutPrivileges([] {
    FormSettingsPath();
    ReadSettings();
    LineSpace = 0;
    return WriteSettings() ? 1 : 0;
  });
  fs::current_path(Temp.Path());
  ::chmod((Temp.Path() / "locked").c_str(), 0755);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Temp.ReadFile("locked/quorvel.ini"), "[Quorvel]\nLineSpace=10\n");
}

}  // namespace
