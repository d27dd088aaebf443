// vesk search, run as the built program on images made in a temporary directory: the
// exact bytes on stdout and stderr, and the exit codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "support/Fixtures.h"
#include "textstore/TextImage.h"

#ifndef QUORVEL_VESK
#error "QUORVEL_VESK must name the vesk program"
#endif

namespace {

namespace fs = std::filesystem;

using testsupport::TRun;


// Ten spacers, then the no-match line.
const std::string NoMatchOutput = " \n \n \n \n \n \n \n \n \n \n                 No Matches Found for this Phrase\n";

class VeskSearchTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "quorvel-vesk-search-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    Directory = pattern;
    fs::create_directory(Directory / "work");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(Directory, ignored);
  }

  // Writes an image as the builder makes it from `lines`, in the working directory.
  void WriteImage(const std::string& name, const std::vector<std::string>& lines) const {
    auto image = std::make_unique<TTextImage>();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      image->StoreLine(static_cast<std::int32_t>(i), lines[i]);
    }
    image->SetLineCount(static_cast<std::int32_t>(lines.size()) + 1);
    std::ofstream out(Directory / "work" / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image->Data()), static_cast<std::streamsize>(image->Size()));
  }

  // Runs vesk search with `arguments` in Directory/work.
  TRun Search(const std::vector<std::string>& arguments) const {
    std::vector<std::string> words{"search"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return testsupport::RunProgram(QUORVEL_VESK, words, Directory / "work", Directory);
  }

  fs::path Directory;
};

struct TSearchCase {
  const char* Name;
  std::vector<std::string> Arguments;
  int ExitCode;
  std::string Out;
  std::string Err;
};

const std::vector<std::string> PsalmLines = {
    "$1#Psalm 1",
    "1 Blessed is the man that walketh",
    "not in the counsel of the ungodly",
    "$2#Psalm 2",
    "1 Why do the heathen rage, and the",
    "people imagine a vain thing? -v",
    "\xA3\xFF raw bytes \x80",
};

TEST_F(VeskSearchTest, PrintsTheListOrTheTableAndExitsAsTheScanEnds) {
  WriteImage("VESK.BIN", PsalmLines);
  WriteImage("other.bin", {"only the other image"});
  const TSearchCase rows[] = {
      {"line finds of verses, listed without their numbers",
       {"the man"},
       0,
       " \n1.) Found In:     'Psalm 1'\n              Blessed is the man that walketh\n",
       ""},
      {"ignore case with -i, and the heading find",
       {"-i", "PSALM 2"},
       0,
       " \n1.) Found In:     'Psalm 2'\n",
       ""},
      {"without -i the case must match", {"PSALM 2"}, 0, NoMatchOutput, ""},
      {"a split find of a verse, 13 blanks",
       {"the people"},
       0,
       " \n1.) Found In:     'Psalm 2'\n             Why do the heathen rage, and the people imagine a vain thing? -v\n",
       ""},
      {"the table: number, line of the find, start of its section",
       {"--table", "-i", "THE"},
       0,
       "1\t-2\t-3\n2\t-1\t-3\n3\t1\t0\n",
       ""},
      {"the table is empty when nothing is found", {"--table", "absent"}, 0, "", ""},
      {"-- lets a phrase begin with '-'",
       {"--", "-v"},
       0,
       " \n1.) Found In:     'Psalm 2'\n             people imagine a vain thing? -v\n",
       ""},
      {"list entries are raw bytes",
       {"raw"},
       0,
       " \n1.) Found In:     'Psalm 2'\n             \xA3\xFF raw bytes \x80\n",
       ""},
      {"a phrase is taken as its first 35 bytes",
       {"not in the counsel of the ungodly $2#Psalm 2 and beyond"},
       0,
       " \n1.) Found In:     'Psalm 1'\n             not in the counsel of the ungodly $2#Psalm 2\n",
       ""},
      {"the image operand", {"other", "other.bin"}, 0, " \n1.) Found In:     ''\n             only the other image\n", ""},
      {"a refused phrase prints nothing on stdout",
       {"--table", "?! ..."},
       2,
       "",
       "You have not entered a Phrase to be searched for!\n"},
      {"an empty phrase is refused", {""}, 2, "", "You have not entered a Phrase to be searched for!\n"},
      {"a missing image", {"x", "missing.bin"}, 1, "", "vesk: missing.bin: No such file or directory\n"},
      {"an unknown option", {"-x", "the"}, 2, "", "vesk: -x: unknown option\nusage: vesk search [-i] [--table] PHRASE [IMAGE]\n"},
      {"no phrase", {"-i"}, 2, "", "usage: vesk search [-i] [--table] PHRASE [IMAGE]\n"},
      {"too many operands",
       {"a", "b", "c"},
       2,
       "",
       "vesk: c: too many arguments\nusage: vesk search [-i] [--table] PHRASE [IMAGE]\n"},
  };
  for (const TSearchCase& row : rows) {
    SCOPED_TRACE(row.Name);
    const TRun run = Search(row.Arguments);
    EXPECT_EQ(run.ExitCode, row.ExitCode);
    EXPECT_EQ(run.Out, row.Out);
    EXPECT_EQ(run.Err, row.Err);
  }
}

TEST_F(VeskSearchTest, TooManyFindsListsThe499AndSaysSoOnStderr) {
  WriteImage("VESK.BIN", std::vector<std::string>(520, "x marks"));
  const TRun run = Search({"marks"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_EQ(run.Err, "Too many finds!  Please try a more specific search-phrase!\n");
  std::string expected;
  for (int n = 1; n <= 499; ++n) {
    expected += " \n" + std::to_string(n) + ".) Found In:     ''\n             x marks\n";
  }
  EXPECT_EQ(run.Out, expected);

  const TRun table = Search({"--table", "marks"});
  EXPECT_EQ(table.ExitCode, 0);
  EXPECT_EQ(table.Out.substr(0, 10), "1\t-3\t0\n2\t-");
  EXPECT_NE(table.Out.find("\n499\t495\t0\n"), std::string::npos);
  EXPECT_EQ(table.Out.find("\n500\t"), std::string::npos);
}

}  // namespace
