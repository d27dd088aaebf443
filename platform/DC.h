#pragma once
// Device contexts: what the program draws with. A context draws strings on an opaque
// background cell, aligned by their top-left corner, in pixel coordinates of the
// window's client area.
//
// Two implementations: the window system's (made by TWindow::GetClientDC and handed to
// TWindow::Paint) and TRecordingDC, which records every call and measures with fixed
// metrics, so that tests see exact positions, colours and row counts.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Colour.h"
#include "platform/Font.h"

namespace platform {

struct TTextMetrics {
  int Height = 0;            // ascent plus descent, pixels
  int ExternalLeading = 0;   // extra space the font suggests between rows, never negative
  int Ascent = 0;
  int AverageCharWidth = 0;
};

class TDC {
public:
  virtual ~TDC() = default;
  virtual void SetBkColor(TColor color) = 0;
  virtual void SetTextColor(TColor color) = 0;
  // Selects a font; RestoreFont puts back the one that was selected before the first
  // SelectObject since the context was made (or since the last RestoreFont).
  virtual void SelectObject(const TFont& font) = 0;
  virtual void RestoreFont() = 0;
  // Draws the whole string (bytes, one character each) with its top-left corner at x, y.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  // The width in pixels of the string in the selected font.
  virtual int GetTextExtent(std::string_view text) = 0;
  virtual TTextMetrics GetTextMetrics() = 0;
  virtual TFontHandle GetCurrentFont() = 0;
};

// One recorded call of a TRecordingDC.
struct TDrawCall {
  enum class TKind { SetBkColor, SetTextColor, SelectFont, RestoreFont, TextOut };
  TKind Kind;
  TColor Color;              // SetBkColor, SetTextColor; for TextOut the text colour in force
  TColor Background;         // TextOut: the background colour in force
  int X = 0;
  int Y = 0;
  std::string Text;          // TextOut
  TFontHandle Font = nullptr;// SelectFont; for TextOut the font in force
};

// The calls of every TRecordingDC that writes into it, in order.
struct TDrawLog {
  std::vector<TDrawCall> Calls;
  std::vector<TDrawCall> TextOuts() const;  // only the TextOut calls
  void Clear() { Calls.clear(); }
};

// Fixed metrics: every byte is CharWidth pixels wide, every font Height high.
struct TFixedMetrics {
  int CharWidth = 8;
  int Height = 16;
  int ExternalLeading = 0;
};

class TRecordingDC : public TDC {
public:
  explicit TRecordingDC(TDrawLog& log, TFixedMetrics metrics = {});
  void SetBkColor(TColor color) override;
  void SetTextColor(TColor color) override;
  void SelectObject(const TFont& font) override;
  void RestoreFont() override;
  void TextOut(int x, int y, std::string_view text) override;
  int GetTextExtent(std::string_view text) override;
  TTextMetrics GetTextMetrics() override;
  TFontHandle GetCurrentFont() override;

private:
  TDrawLog& Log;
  TFixedMetrics Metrics;
  TColor Text = ColorBlack;
  TColor Background{255, 255, 255};
  TFontHandle Current;
  TFontHandle Saved = nullptr;
};

}  // namespace platform
