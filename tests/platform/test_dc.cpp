// Device contexts: the window system's measures and opaque text cells, fonts selected
// and restored, and the recording context standing in for both paint and client DCs.

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>

#include <memory>
#include <string>
#include <vector>

#include "platform/DC.h"
#include "platform/qt/QtDialogUnits.h"
#include "platform/qt/QtFont.h"
#include "platform/Font.h"
#include "platform/Window.h"
#include "platform/testing/Driver.h"

using namespace platform;
namespace driver = platform::testing;

namespace {

constexpr TColor ClassBrush{192, 192, 192};

// A window that paints one string, with the light grey class brush.
class TCanvas : public TWindow {
public:
  TCanvas() {
    Attr.W = 240;
    Attr.H = 120;
  }
  void Paint(TDC& dc, bool erase, const TRect& rect) override {
    Erases.push_back(erase);
    Rects.push_back(rect);
    dc.SetBkColor(ColorBlue);
    dc.SetTextColor(ColorRed);
    dc.TextOut(5, 6, "painted");
  }
  void GetWindowClass(TWindowClass& windowClass) override {
    TWindow::GetWindowClass(windowClass);
    windowClass.BackgroundBrush = ClassBrush;
  }
  std::vector<bool> Erases;
  std::vector<TRect> Rects;
};

class DCTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Canvas.Create());
    Canvas.Show(TShowCommand::ShowNormal);
    driver::ProcessEventsFor(20);
  }
  void TearDown() override {
    Canvas.Destroy();
  }
  QImage Picture() {
    const std::string path = ::testing::TempDir() + "quorvel-dc.png";
    EXPECT_TRUE(driver::SavePicture(Canvas, path));
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
  }
  TCanvas Canvas;
};

// The Qt font our description stands for, built the way a reader of the headers
// expects: the face, the pixel height, bold from weight 700.
QFont ExpectedFont(const TFontDescription& description) {
  QFont font;
  if (!description.Face.empty()) font.setFamily(QString::fromStdString(description.Face));
  if (description.Height > 0) font.setPixelSize(description.Height);
  font.setBold(description.Weight >= 700);
  font.setItalic(description.Italic);
  return font;
}

TEST(FontMapping, TheTemplatesFacesResolveToTheInstalledFonts) {
  // What a reader of this machine sees: fontconfig's substitutes for the faces the
  // program names, from fonts-liberation and fonts-dejavu-core.
  struct Row {
    const char* Face;
    const char* Resolved;
  };
  const Row rows[] = {
      {"Times New Roman", "Liberation Serif"},
      {"MS Sans Serif", "DejaVu Sans"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Face);
    const TFont font({row.Face, 20, 400, false, false, false});
    EXPECT_EQ(QFontInfo(QtFontOf(font.GetHandle())).family().toStdString(), row.Resolved);
    EXPECT_EQ(QFontInfo(DialogFont(row.Face, 8)).family().toStdString(), row.Resolved);
  }
  // The dialogs' 8 points are 11 pixels at the 96 dots per inch they were laid out in.
  EXPECT_EQ(QFontInfo(DialogFont("MS Sans Serif", 8)).pixelSize(), 11);
}

TEST_F(DCTest, MeasuresAreTheFontsOwnInEveryFont) {
  struct Row {
    const char* Name;
    TFontDescription Description;
  };
  const std::vector<Row> rows = {
      {"default GUI font", {}},
      {"Times New Roman 20", {"Times New Roman", 20, 400, false, false, false}},
      {"MS Sans Serif 13 bold", {"MS Sans Serif", 13, 700, false, false, false}},
      {"Times New Roman 31 italic", {"Times New Roman", 31, 400, true, false, false}},
  };
  // Bytes past 127 are one character each, as Latin-1 reads them.
  const std::string text = "Orvane \xE9\xFC  Psalm 119:105";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    std::unique_ptr<TDC> dc = Canvas.GetClientDC();
    TFont font(row.Description);
    if (!row.Description.Face.empty()) dc->SelectObject(font);
    const QFontMetrics expected(ExpectedFont(row.Description));
    const TTextMetrics metrics = dc->GetTextMetrics();
    EXPECT_EQ(metrics.Height, expected.ascent() + expected.descent());
    EXPECT_EQ(metrics.Height, expected.height());
    EXPECT_EQ(metrics.Ascent, expected.ascent());
    EXPECT_EQ(metrics.ExternalLeading, std::max(0, expected.leading()));
    EXPECT_EQ(metrics.AverageCharWidth, expected.averageCharWidth());
    EXPECT_EQ(dc->GetTextExtent(text), expected.horizontalAdvance(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))));
    EXPECT_EQ(dc->GetTextExtent(""), 0);
  }
}

TEST_F(DCTest, ANewContextDrawsInTheDefaultFontAndRestoreGoesBackToIt) {
  std::unique_ptr<TDC> dc = Canvas.GetClientDC();
  EXPECT_EQ(dc->GetCurrentFont(), DefaultFontHandle());
  const int defaultWidth = dc->GetTextExtent("WWWW");
  TFont large({"Times New Roman", 40, 400, false, false, false});
  TFont small({"Times New Roman", 8, 400, false, false, false});
  dc->SelectObject(large);
  EXPECT_EQ(dc->GetCurrentFont(), large.GetHandle());
  dc->SelectObject(small);
  EXPECT_EQ(dc->GetCurrentFont(), small.GetHandle());
  // Back to the font from before the first selection, not the one before the last.
  dc->RestoreFont();
  EXPECT_EQ(dc->GetCurrentFont(), DefaultFontHandle());
  EXPECT_EQ(dc->GetTextExtent("WWWW"), defaultWidth);
}

TEST_F(DCTest, EachStringSitsOnAnOpaqueCellOfTheBackgroundColour) {
  int width = 0, height = 0;
  {
    std::unique_ptr<TDC> dc = Canvas.GetClientDC();
    dc->SetBkColor(TColor{0, 128, 0});
    dc->SetTextColor(ColorBlack);
    width = dc->GetTextExtent("Loading the Orvane");
    height = dc->GetTextMetrics().Height;
    dc->TextOut(20, 30, "Loading the Orvane");
  }
  const QImage picture = Picture();
  const QColor green(0, 128, 0), grey(192, 192, 192);
  // The cell's corners are the background colour; just outside it the surface is as it was.
  EXPECT_EQ(picture.pixelColor(20, 30), green);
  EXPECT_EQ(picture.pixelColor(20 + width - 1, 30 + height - 1), green);
  EXPECT_EQ(picture.pixelColor(19, 30), grey);
  EXPECT_EQ(picture.pixelColor(20 + width, 30), grey);
  EXPECT_EQ(picture.pixelColor(20, 30 + height), grey);
  EXPECT_EQ(picture.pixelColor(20, 29), grey);
  // The text itself is drawn inside the cell, in the text colour.
  int dark = 0;
  for (int y = 30; y < 30 + height; ++y) {
    for (int x = 20; x < 20 + width; ++x) {
      if (picture.pixelColor(x, y).lightness() < 40) ++dark;
    }
  }
  EXPECT_GT(dark, 20);
}

TEST_F(DCTest, InARecordingScopePaintsAndClientDCsAreRecordedWithFixedMetrics) {
  ASSERT_EQ(Canvas.Erases, std::vector<bool>{true});  // the first paint, on the screen
  Canvas.Erases.clear();
  Canvas.Rects.clear();
  TDrawLog log;
  {
    driver::TRecordingScope scope(log, TFixedMetrics{7, 19, 3});
    Canvas.Invalidate(true);
    Canvas.UpdateWindow();
    Canvas.Invalidate(false);
    Canvas.UpdateWindow();
    std::unique_ptr<TDC> dc = Canvas.GetClientDC();
    EXPECT_EQ(dc->GetTextExtent("abc"), 21);
    EXPECT_EQ(dc->GetTextMetrics().Height, 19);
    EXPECT_EQ(dc->GetTextMetrics().ExternalLeading, 3);
    dc->SetBkColor(ColorLightGray);
    dc->TextOut(1, 2, "banner");
  }
  EXPECT_EQ(Canvas.Erases, (std::vector<bool>{true, false}));
  ASSERT_EQ(Canvas.Rects.size(), 2u);
  EXPECT_EQ(Canvas.Rects[0], Canvas.GetClientRect());
  const std::vector<TDrawCall> texts = log.TextOuts();
  ASSERT_EQ(texts.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(texts[i].Text, "painted");
    EXPECT_EQ(texts[i].X, 5);
    EXPECT_EQ(texts[i].Y, 6);
    EXPECT_EQ(texts[i].Color, ColorRed);
    EXPECT_EQ(texts[i].Background, ColorBlue);
    EXPECT_EQ(texts[i].Font, DefaultFontHandle());
  }
  EXPECT_EQ(texts[2].Text, "banner");
  EXPECT_EQ(texts[2].Background, ColorLightGray);
  // Out of the scope, paints draw on the screen again and the log stays as it was.
  Canvas.Invalidate(true);
  Canvas.UpdateWindow();
  EXPECT_EQ(Canvas.Erases.size(), 3u);
  EXPECT_EQ(log.TextOuts().size(), 3u);
  EXPECT_EQ(Picture().pixelColor(6, 7), QColor(0, 0, 255));
}

}  // namespace
