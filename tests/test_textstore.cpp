// The text image, the builder and the loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "support/Fixtures.h"
#include "textstore/ImageBuilder.h"
#include "textstore/ImageLoader.h"
#include "textstore/TextImage.h"

namespace {

namespace fs = std::filesystem;

using TLines = std::vector<std::string>;

std::size_t SlotOffset(std::int32_t k) {
  return CountSize + SlotSize * static_cast<std::size_t>(k);
}

// Writes raw bytes into slot k, up to the end of the slot.
void PutSlotBytes(TTextImage& image, std::int32_t k, const std::string& bytes) {
  ASSERT_LE(bytes.size(), SlotSize);
  std::memcpy(image.Data() + SlotOffset(k), bytes.data(), bytes.size());
}

TLines LoadedLines(const TTextImage& image) {
  TLines lines;
  const std::int32_t given = ForEachLoadedLine(image, [&](std::string_view line) { lines.emplace_back(line); });
  EXPECT_EQ(given, static_cast<std::int32_t>(lines.size()));
  return lines;
}

class TextStoreTest : public ::testing::Test {
protected:
  void SetUp() override {
    Image = std::make_unique<TTextImage>();
  }

  testsupport::TTempDirectory Temp{"quorvel-textstore"};
  const fs::path Directory = Temp.Path();

  std::string PathOf(const std::string& name) const { return Temp.PathOf(name); }
  void WriteFile(const std::string& name, const std::string& bytes) const { Temp.WriteFile(name, bytes); }
  std::string ReadFile(const std::string& name) const { return Temp.ReadFile(name); }

  // Builds an image from `text` and checks what every image the builder makes holds:
  // the stored lines in slots 0 to n - 1, a count of n + 1, zero in every later slot,
  // and the file equal to the image in memory.
  void ExpectBuild(const std::string& text, const TLines& expected) {
    WriteFile("VESK.TXT", text);
    const TBuildReport report = BuildTextImage(*Image, PathOf("VESK.TXT"), PathOf("VESK.BIN"));
    ASSERT_TRUE(report.Succeeded) << report.FailedPath << ": " << report.Reason;
    EXPECT_FALSE(report.Truncated);
    const std::int32_t n = static_cast<std::int32_t>(expected.size());
    EXPECT_EQ(report.LinesStored, n);
    EXPECT_EQ(Image->LineCount(), n + 1);
    for (std::int32_t k = 0; k < n; ++k) {
      EXPECT_EQ(Image->Line(k), expected[static_cast<std::size_t>(k)]) << "slot " << k;
    }
    const unsigned char* rest = Image->Data() + SlotOffset(n);
    const std::size_t restSize = ImageSize - SlotOffset(n);
    EXPECT_EQ(std::count(rest, rest + restSize, 0), static_cast<std::ptrdiff_t>(restSize))
        << "bytes after the last line are not all zero";
    const std::string file = ReadFile("VESK.BIN");
    ASSERT_EQ(file.size(), ImageSize);
    EXPECT_EQ(std::memcmp(file.data(), Image->Data(), ImageSize), 0);
  }

  std::unique_ptr<TTextImage> Image;
};

TEST(TextImage, HasTheFixedLayout) {
  EXPECT_EQ(TTextImage::Size(), 4369004u);
  EXPECT_EQ(sizeof(TTextImage), 4369004u);

  auto image = std::make_unique<TTextImage>();
  image->SetLineCount(2);
  EXPECT_EQ(std::vector<int>(image->Data(), image->Data() + 4), (std::vector<int>{2, 0, 0, 0}));
  image->SetLineCount(0x01020304);
  EXPECT_EQ(std::vector<int>(image->Data(), image->Data() + 4), (std::vector<int>{4, 3, 2, 1}));
  EXPECT_EQ(image->LineCount(), 0x01020304);
  image->SetLineCount(-2);
  EXPECT_EQ(std::vector<int>(image->Data(), image->Data() + 4), (std::vector<int>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(image->LineCount(), -2);

  // The text of line k begins at byte 4 + 257 k.
  for (const std::int32_t k : {0, 1, 2, 8500, 16999}) {
    SCOPED_TRACE("slot " + std::to_string(k));
    image->StoreLine(k, "line " + std::to_string(k));
    EXPECT_EQ(std::memcmp(image->Data() + 4 + 257 * static_cast<std::size_t>(k), ("line " + std::to_string(k)).c_str(),
                          ("line " + std::to_string(k)).size() + 1),
              0);
    EXPECT_EQ(image->Line(k), "line " + std::to_string(k));
  }
}

TEST(TextImage, ReadsSlotsByTheAccessRule) {
  auto image = std::make_unique<TTextImage>();
  // A slot full of text, with no NUL, ends at the end of its 257 bytes.
  PutSlotBytes(*image, 16999, std::string(SlotSize, 'x'));
  EXPECT_EQ(image->Line(16999), std::string(SlotSize, 'x'));
  PutSlotBytes(*image, 5, std::string("ab\0cd", 5));
  EXPECT_EQ(image->Line(5), "ab");
  EXPECT_EQ(image->Line(6), "");
  // Outside 0 to 16,999 every index gives an empty line.
  for (const std::int32_t k : {-1, -17000, 17000, 17001, INT32_MAX, INT32_MIN}) {
    EXPECT_EQ(image->Line(k), "") << "index " << k;
  }
}

TEST(TextImage, StoreLineZeroFillsTheRestOfTheSlot) {
  auto image = std::make_unique<TTextImage>();
  PutSlotBytes(*image, 3, std::string(SlotSize, 'x'));
  PutSlotBytes(*image, 4, "next");
  image->StoreLine(3, "short");
  const unsigned char* slot = image->Data() + SlotOffset(3);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(slot), 5), "short");
  EXPECT_EQ(std::count(slot + 5, slot + SlotSize, 0), static_cast<std::ptrdiff_t>(SlotSize - 5));
  EXPECT_EQ(image->Line(4), "next");  // the neighbour is untouched

  image->Clear();
  EXPECT_EQ(std::count(image->Data(), image->Data() + ImageSize, 0), static_cast<std::ptrdiff_t>(ImageSize));
}

TEST(TextImage, TellsTheMarksOfTheText) {
  struct TCase {
    std::string Line;
    bool Heading;
    bool HeadingMark;
    std::string Title;
    bool Numbered;
  };
  const TCase cases[] = {
      {"$12#Section Twelve", true, true, "Section Twelve", false},
      {"$#Title", true, true, "Title", false},
      {"$no hash", true, true, "", false},
      {"$1#One#Two", true, true, "One#Two", false},
      {"a $ inside", false, true, "", false},
      {"7 The sample verse begins here,", false, false, "", true},
      {"  12 indented verse", false, false, "", true},
      {"0 not a verse", false, false, "", false},
      {"-3 not a verse", false, false, "", false},
      {"and the sample goes on.", false, false, "", false},
      {"", false, false, "", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE("line \"" + c.Line + "\"");
    EXPECT_EQ(IsHeadingLine(c.Line), c.Heading);
    EXPECT_EQ(HoldsHeadingMark(c.Line), c.HeadingMark);
    EXPECT_EQ(TitleOf(c.Line), c.Title);
    EXPECT_EQ(BeginsWithPositiveNumber(c.Line), c.Numbered);
  }
}

TEST_F(TextStoreTest, BuildsOneLinePerSlot) {
  const std::string l99(99, 'a');
  const std::string l100 = std::string(99, 'b') + "c";
  const std::string l198 = std::string(99, 'd') + std::string(99, 'e');
  struct TCase {
    const char* Name;
    std::string Text;
    TLines Expected;
  };
  const TCase cases[] = {
      {"LF lines", "$1#Psalm 1\n1 Blessed is the man\n", {"$1#Psalm 1", "1 Blessed is the man"}},
      {"CR LF lines", "$1#Psalm 1\r\n1 Blessed is the man\r\n", {"$1#Psalm 1", "1 Blessed is the man"}},
      {"a last line without line feed", "one\ntwo", {"one", "two"}},
      {"empty lines are slots", "\none\n\n\ntwo\n", {"", "one", "", "", "two"}},
      {"an empty text", "", {}},
      {"a line feed alone", "\n", {""}},
      {"99 characters then a line feed give two slots", l99 + "\nnext\n", {l99, "", "next"}},
      {"99 characters at the end of the text", l99, {l99}},
      {"100 characters give 99 and 1", l100 + "\n", {std::string(99, 'b'), "c"}},
      {"198 characters then a line feed", l198 + "\n", {std::string(99, 'd'), std::string(99, 'e'), ""}},
      {"Ctrl-Z ends the text", "one\ntw\x1Ao\nthree\n", {"one", "tw"}},
      {"a CR inside a line is dropped", "a\rb\n", {"ab"}},
      {"bytes pass unchanged", "\xA3\xA3 caf\xE9\t$ #\n", {"\xA3\xA3 caf\xE9\t$ #"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ExpectBuild(c.Text, c.Expected);
  }
}

TEST_F(TextStoreTest, CrLfAndLfBuildIdenticalImages) {
  const std::string lines[] = {"$1#Psalm 1", "1 Blessed is the man", "", "2 But his delight", std::string(150, 'w')};
  std::string lf, crlf;
  for (const std::string& line : lines) {
    lf += line + "\n";
    crlf += line + "\r\n";
  }
  WriteFile("lf.txt", lf);
  WriteFile("crlf.txt", crlf);
  ASSERT_TRUE(BuildTextImage(*Image, PathOf("lf.txt"), PathOf("lf.bin")).Succeeded);
  ASSERT_TRUE(BuildTextImage(*Image, PathOf("crlf.txt"), PathOf("crlf.bin")).Succeeded);
  const std::string a = ReadFile("lf.bin");
  EXPECT_EQ(a.size(), ImageSize);
  EXPECT_TRUE(a == ReadFile("crlf.bin"));
}

TEST_F(TextStoreTest, BuildClearsWhatTheImageHeldBefore) {
  std::memset(Image->Data(), 'q', ImageSize);
  ExpectBuild("one\ntwo\n", {"one", "two"});
}

TEST_F(TextStoreTest, BuildOverALongerFileKeepsItsTail) {
  const std::string tail = "tail bytes beyond the image";
  WriteFile("VESK.BIN", std::string(ImageSize, '\x55') + tail);
  WriteFile("VESK.TXT", "one\n");
  const TBuildReport report = BuildTextImage(*Image, PathOf("VESK.TXT"), PathOf("VESK.BIN"));
  ASSERT_TRUE(report.Succeeded) << report.Reason;
  const std::string file = ReadFile("VESK.BIN");
  ASSERT_EQ(file.size(), ImageSize + tail.size());
  EXPECT_EQ(std::memcmp(file.data(), Image->Data(), ImageSize), 0);
  EXPECT_EQ(file.substr(ImageSize), tail);

  // Loading it reads only the image and gives the lines back.
  auto loaded = std::make_unique<TTextImage>();
  const TReadReport read = ReadImageFile(*loaded, PathOf("VESK.BIN"));
  EXPECT_TRUE(read.Opened);
  EXPECT_EQ(read.BytesRead, ImageSize);
  EXPECT_EQ(LoadedLines(*loaded), (TLines{"one", ""}));
}

TEST_F(TextStoreTest, BuildStopsAtTheLastSlot) {
  struct TCase {
    int TextLines;
    bool Truncated;
  };
  for (const TCase c : {TCase{16999, false}, TCase{17000, false}, TCase{17001, true}, TCase{17050, true}}) {
    SCOPED_TRACE(std::to_string(c.TextLines) + " text lines");
    std::string text;
    for (int i = 0; i < c.TextLines; ++i) {
      text += std::to_string(i) + " line\n";
    }
    WriteFile("VESK.TXT", text);
    const TBuildReport report = BuildTextImage(*Image, PathOf("VESK.TXT"), PathOf("VESK.BIN"));
    ASSERT_TRUE(report.Succeeded) << report.Reason;
    const std::int32_t stored = c.TextLines < SlotCount ? c.TextLines : SlotCount;
    EXPECT_EQ(report.LinesStored, stored);
    EXPECT_EQ(report.Truncated, c.Truncated);
    EXPECT_EQ(Image->LineCount(), stored + 1);
    EXPECT_EQ(Image->Line(16998), "16998 line");
    EXPECT_EQ(Image->Line(16999), c.TextLines >= 17000 ? "16999 line" : "");
    EXPECT_EQ(ReadFile("VESK.BIN").size(), ImageSize);  // nothing written past the image

    const TLines lines = LoadedLines(*Image);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(stored + 1));
    EXPECT_EQ(lines.back(), "");
  }
}

TEST_F(TextStoreTest, AMissingTextReadsNothingAndWritesNothing) {
  std::memset(Image->Data(), 'q', ImageSize);
  const TBuildReport report = BuildTextImage(*Image, PathOf("VESK.TXT"), PathOf("VESK.BIN"));
  EXPECT_FALSE(report.Succeeded);
  EXPECT_EQ(report.FailedPath, PathOf("VESK.TXT"));
  EXPECT_EQ(report.Reason, std::strerror(ENOENT));
  EXPECT_EQ(report.LinesStored, 0);
  EXPECT_EQ(std::count(Image->Data(), Image->Data() + ImageSize, 'q'), static_cast<std::ptrdiff_t>(ImageSize));
  EXPECT_FALSE(fs::exists(Directory / "VESK.BIN"));
}

TEST_F(TextStoreTest, AnUnreadableTextLeavesTheImageFileAlone) {
  // A directory or a FIFO is no text; the FIFO is refused at once, not waited on.
  fs::create_directory(Directory / "dir.txt");
  ASSERT_EQ(::mkfifo(PathOf("fifo.txt").c_str(), 0600), 0);
  WriteFile("VESK.BIN", "the old image");
  for (const char* name : {"dir.txt", "fifo.txt"}) {
    SCOPED_TRACE(name);
    const TBuildReport report = BuildTextImage(*Image, PathOf(name), PathOf("VESK.BIN"));
    EXPECT_FALSE(report.Succeeded);
    EXPECT_EQ(report.FailedPath, PathOf(name));
    EXPECT_EQ(report.Reason, "not a regular file");
  }
  EXPECT_EQ(ReadFile("VESK.BIN"), "the old image");
}

TEST_F(TextStoreTest, AnUnwritableImageIsReportedWithItsPath) {
  WriteFile("VESK.TXT", "one\n");
  struct TCase {
    std::string ImagePath;
    std::string Reason;
  };
  fs::create_directory(Directory / "dir.bin");
  ASSERT_EQ(::mkfifo(PathOf("fifo.bin").c_str(), 0600), 0);
  const TCase cases[] = {
      {PathOf("missing") + "\\VESK.BIN", std::strerror(ENOENT)},
      {PathOf("dir.bin"), "not a regular file"},
      {PathOf("fifo.bin"), "not a regular file"},
      {"/dev/full", "not a regular file"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ImagePath);
    const TBuildReport report = BuildTextImage(*Image, PathOf("VESK.TXT"), c.ImagePath);
    EXPECT_FALSE(report.Succeeded);
    EXPECT_EQ(report.FailedPath, c.ImagePath);
    EXPECT_EQ(report.Reason, c.Reason);
    EXPECT_EQ(report.LinesStored, 1);  // the text itself was read
  }
}

TEST(ImageLoader, TurnsSlotsIntoLines) {
  struct TCase {
    const char* Name;
    std::int32_t Count;
    std::vector<std::string> Slots;  // raw bytes of slots 0 on
    TLines Expected;
  };
  const std::string full(SlotSize, 'n');  // no NUL in the whole slot
  const TCase cases[] = {
      {"plain lines and the empty last one", 3, {"one", "two"}, {"one", "two", ""}},
      {"LF", 1, {"text\n"}, {"text"}},
      {"CR", 1, {"text\r"}, {"text"}},
      {"CR LF", 1, {"text\r\n"}, {"text"}},
      {"two LFs keep one", 1, {"text\n\n"}, {"text\n"}},
      {"LF CR loses the CR only", 1, {"text\n\r"}, {"text\n"}},
      {"CR CR keeps one", 1, {"text\r\r"}, {"text\r"}},
      {"only a line feed", 1, {"\n"}, {""}},
      {"only CR LF", 1, {"\r\n"}, {""}},
      {"an empty slot", 1, {""}, {""}},
      {"count 0", 0, {"one"}, {}},
      {"a negative count", -1, {"one"}, {}},
      {"the most negative count", INT32_MIN, {"one"}, {}},
      {"a slot without NUL gives its first 99 bytes", 1, {full}, {std::string(99, 'n')}},
      {"a slot longer than 99 is cut before its line feed is seen", 1,
       {std::string(120, 'l') + "\n"}, {std::string(99, 'l')}},
      {"98 characters and CR LF", 1, {std::string(98, 'm') + "\r\n"}, {std::string(98, 'm')}},
      {"99 characters and a line feed", 1, {std::string(99, 'm') + "\n"}, {std::string(99, 'm')}},
      {"the cut line loses a line feed at its 99th byte", 1,
       {std::string(98, 'k') + "\n" + std::string(20, 'k')}, {std::string(98, 'k')}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto image = std::make_unique<TTextImage>();
    image->SetLineCount(c.Count);
    for (std::size_t k = 0; k < c.Slots.size(); ++k) {
      PutSlotBytes(*image, static_cast<std::int32_t>(k), c.Slots[k]);
    }
    EXPECT_EQ(LoadedLines(*image), c.Expected);
  }
}

TEST(ImageLoader, GivesAtMost17001Lines) {
  auto image = std::make_unique<TTextImage>();
  PutSlotBytes(*image, 0, "first");
  PutSlotBytes(*image, 16999, "last slot\r\n");
  for (const std::int32_t count : {17001, 17002, INT32_MAX}) {
    SCOPED_TRACE("count " + std::to_string(count));
    image->SetLineCount(count);
    const TLines lines = LoadedLines(*image);
    ASSERT_EQ(lines.size(), 17001u);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[16999], "last slot");
    EXPECT_EQ(lines[17000], "");  // slot 17,000 does not exist and reads as empty
  }
}

TEST_F(TextStoreTest, ReadsTheImageFileIntoTheStartOfTheImage) {
  // A short file fills the start; the rest keeps what it held.
  std::memset(Image->Data(), 'q', ImageSize);
  std::string bytes = std::string("\x02\x00\x00\x00", 4) + "one";
  WriteFile("short.bin", bytes);
  TReadReport report = ReadImageFile(*Image, PathOf("short.bin"));
  EXPECT_TRUE(report.Opened);
  EXPECT_EQ(report.BytesRead, bytes.size());
  EXPECT_TRUE(report.Reason.empty());
  EXPECT_EQ(Image->LineCount(), 2);
  EXPECT_EQ(std::memcmp(Image->Data() + 4, "one", 3), 0);
  EXPECT_EQ(Image->Data()[7], 'q');
  EXPECT_EQ(Image->Data()[ImageSize - 1], 'q');

  // A missing file: nothing read, the image as it was.
  report = ReadImageFile(*Image, PathOf("missing.bin"));
  EXPECT_FALSE(report.Opened);
  EXPECT_EQ(report.BytesRead, 0u);
  EXPECT_EQ(report.Reason, std::strerror(ENOENT));
  EXPECT_EQ(Image->LineCount(), 2);

  // A path with backslashes.
  fs::create_directory(Directory / "data");
  WriteFile("data/VESK.BIN", std::string("\x01\x00\x00\x00", 4) + "x");
  report = ReadImageFile(*Image, Directory.string() + "\\data\\VESK.BIN");
  EXPECT_TRUE(report.Opened) << report.Reason;
  EXPECT_EQ(Image->LineCount(), 1);
}

TEST_F(TextStoreTest, BuiltImagesLoadBackWithAnEmptyLastLine) {
  WriteFile("VESK.TXT", "$1#Psalm 1\r\n1 Blessed is the man\r\n\r\n2 But\r\n");
  ASSERT_TRUE(BuildTextImage(*Image, PathOf("VESK.TXT"), PathOf("VESK.BIN")).Succeeded);
  auto loaded = std::make_unique<TTextImage>();
  const TReadReport report = ReadImageFile(*loaded, PathOf("VESK.BIN"));
  ASSERT_TRUE(report.Opened);
  EXPECT_EQ(report.BytesRead, ImageSize);
  EXPECT_EQ(LoadedLines(*loaded), (TLines{"$1#Psalm 1", "1 Blessed is the man", "", "2 But", ""}));

  // An empty text gives one empty line.
  WriteFile("VESK.TXT", "");
  ASSERT_TRUE(BuildTextImage(*Image, PathOf("VESK.TXT"), PathOf("VESK.BIN")).Succeeded);
  ASSERT_TRUE(ReadImageFile(*loaded, PathOf("VESK.BIN")).Opened);
  EXPECT_EQ(loaded->LineCount(), 1);
  EXPECT_EQ(LoadedLines(*loaded), (TLines{""}));
}

// The image as the builder writes it for `text`, made in memory for comparison.
std::string ImageBytesOf(const TTextImage& image) {
  return std::string(reinterpret_cast<const char*>(image.Data()), ImageSize);
}

TEST_F(TextStoreTest, ABuildThatFailsPartWayLeavesTheOldImageByteForByte) {
  WriteFile("VESK.TXT", "$1#Psalm 1\n1 Blessed\n");
  const std::string old = "an old image that must survive" + std::string(5000, 'o');
  WriteFile("VESK.BIN", old);
  // A file-size limit of 1 MiB: the new image of 4,369,004 bytes cannot be written whole.
  const std::string text = PathOf("VESK.TXT");
  const std::string image = PathOf("VESK.BIN");
  const int result = testsupport::RunInChild([&] {
    const struct rlimit limit{1 << 20, 1 << 20};
    ::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    auto memory = std::make_unique<TTextImage>();
    const TBuildReport report = BuildTextImage(*memory, text, image);
    return !report.Succeeded && report.FailedPath == image && report.Reason == std::strerror(EFBIG) ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadFile("VESK.BIN"), old);
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(Directory), fs::directory_iterator()), 2);
}

TEST_F(TextStoreTest, ABuildKeepsALongerFilesTailItsPermissionsAndALink) {
  WriteFile("VESK.TXT", "one\ntwo\n");
  fs::create_directory(Directory / "books");
  WriteFile("books/VESK.BIN", std::string(ImageSize, 'x') + "the tail");
  ::chmod(PathOf("books/VESK.BIN").c_str(), 0640);
  fs::create_symlink("books/VESK.BIN", Directory / "VESK.BIN");

  const TBuildReport report = BuildTextImage(*Image, PathOf("VESK.TXT"), PathOf("VESK.BIN"));
  ASSERT_TRUE(report.Succeeded) << report.Reason;
  EXPECT_TRUE(fs::is_symlink(Directory / "VESK.BIN"));
  EXPECT_EQ(ReadFile("books/VESK.BIN"), ImageBytesOf(*Image) + "the tail");
  struct stat status {};
  ASSERT_EQ(::stat(PathOf("books/VESK.BIN").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(TextStoreTest, AFolderWithoutWritePermissionGetsTheImageWrittenInPlace) {
  WriteFile("VESK.TXT", "one\n");
  fs::create_directory(Directory / "locked");
  WriteFile("locked/VESK.BIN", "short old image");
  ::chown(PathOf("locked/VESK.BIN").c_str(), testsupport::UnprivilegedUser(), static_cast<gid_t>(-1));
  ::chmod(PathOf("locked").c_str(), 0555);
  ::chmod(Directory.c_str(), 0755);
  ::chmod(PathOf("VESK.TXT").c_str(), 0644);
  const std::string text = PathOf("VESK.TXT");
  const std::string image = PathOf("locked/VESK.BIN");
  const int result = testsupport::RunWithoutPrivileges([&] {
    auto memory = std::make_unique<TTextImage>();
    return BuildTextImage(*memory, text, image).Succeeded ? 0 : 1;
  });
  ::chmod(PathOf("locked").c_str(), 0755);
  EXPECT_EQ(result, 0);
  const std::string written = ReadFile("locked/VESK.BIN");
  ASSERT_EQ(written.size(), ImageSize);
  EXPECT_EQ(written.substr(CountSize, 4), std::string("one\0", 4));
}

}  // namespace

// The view of vesk against the whole read of the reader: for every kind of file, the same
// report and the same bytes in every slot that the loader and the scan can reach (0 up
// to the count + 1), so the same lines. Each file holds distinct bytes in every slot, so
// a slot viewed from the wrong place shows.
TEST_F(TextStoreTest, AViewShowsWhatTheWholeReadShowsInEveryReachableSlot) {
  auto slotText = [](int slot) { return "slot " + std::to_string(slot) + std::string(static_cast<std::size_t>(slot % 90), 'x'); };
  auto imageBytes = [&](std::int32_t count) {
    TTextImage made;
    for (int slot = 0; slot < SlotCount; ++slot) made.StoreLine(slot, slotText(slot));
    made.SetLineCount(count);
    return std::string(reinterpret_cast<const char*>(made.Data()), ImageSize);
  };
  struct Row {
    const char* Name;
    std::int32_t Count;
    std::size_t Length;  // the file's bytes: the image cut or lengthened
  };
  // A view brings in whole pages, so a slot that is not brought in shows only when it
  // reaches into the next page: a count whose last reachable slot starts just before a
  // page's end.
  std::int32_t pageCount = 100;
  while ((CountSize + static_cast<std::size_t>(pageCount + 1) * SlotSize) % 4096 < 4096 - 16) ++pageCount;
  const Row rows[] = {
      {"a count whose last reachable slot crosses a page", pageCount, ImageSize},
      {"a full image of 3,650 lines", 3650, ImageSize},
      {"a count of 0", 0, ImageSize},
      {"a negative count", -5, ImageSize},
      {"the largest count", MaxImageLineCount, ImageSize},
      {"a count past the slots", 1000000, ImageSize},
      {"cut inside the reachable slots", 3650, CountSize + 1000 * SlotSize + 17},
      {"cut just past the reachable slots", 3650, CountSize + 3652 * SlotSize + 1},
      {"cut inside the count", 3650, 3},
      {"the count alone", 3650, CountSize},
      {"longer than the image", 3650, ImageSize + 5000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    std::string bytes = imageBytes(row.Count);
    bytes.resize(row.Length, 'T');
    WriteFile("VESK.BIN", bytes);

    auto read = std::make_unique<TTextImage>();
    const TReadReport readReport = ReadImageFile(*read, PathOf("VESK.BIN"));
    platform::TFileMapping mapping;
    auto fallback = std::make_unique<TTextImage>();
    TReadReport viewReport;
    const TTextImage* viewed = ViewImageFile(mapping, *fallback, PathOf("VESK.BIN"), viewReport);
    ASSERT_NE(viewed, nullptr);
    EXPECT_EQ(viewReport.Opened, readReport.Opened);
    EXPECT_EQ(viewReport.BytesRead, readReport.BytesRead);
    EXPECT_EQ(ImageWasReadWhole(viewReport), ImageWasReadWhole(readReport));

    ASSERT_EQ(viewed->LineCount(), read->LineCount());
    const std::int64_t reachable = std::clamp<std::int64_t>(std::int64_t{read->LineCount()} + 2, 0, SlotCount);
    for (std::int32_t slot = 0; slot < reachable; ++slot) {
      ASSERT_EQ(viewed->Line(slot), read->Line(slot)) << "slot " << slot;
    }
  }

  // A file that cannot be opened gives no view, and says why.
  platform::TFileMapping mapping;
  auto fallback = std::make_unique<TTextImage>();
  TReadReport report;
  EXPECT_EQ(ViewImageFile(mapping, *fallback, PathOf("missing.bin"), report), nullptr);
  EXPECT_FALSE(report.Opened);
  EXPECT_FALSE(report.Reason.empty());
  ::mkfifo(PathOf("fifo.bin").c_str(), 0600);
  EXPECT_EQ(ViewImageFile(mapping, *fallback, PathOf("fifo.bin"), report), nullptr);
  EXPECT_FALSE(report.Reason.empty());
}
