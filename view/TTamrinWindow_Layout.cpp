// Layout and scrolling: the row height and the page size from the display font and
// LineSpace, the vertical scroll bar, and the go-to after a search.

#include "view/TTamrinWindow.h"

#include "search/SearchState.h"
#include "settings/Settings.h"

namespace TScrollCode = platform::TScrollCode;

void TTamrinWindow::UpdateLayout() {
  std::unique_ptr<platform::TDC> dc = GetClientDC();
  if (TextFont) {
    dc->SelectObject(*TextFont);
  }

  const platform::TTextMetrics metrics = dc->GetTextMetrics();
  LineHeight = metrics.Height + metrics.ExternalLeading + LineSpace;
  // A LineSpace from the settings file can cancel the font's height; rows are then one
  // pixel apart, so that the page size below never divides by zero.
  if (LineHeight < 1) {
    LineHeight = 1;
  }

  // Whole rows only: a partly visible row at the bottom does not count.
  LinesPerPage = GetClientRect().Bottom / LineHeight;

  // The last page is always full, and the top line is never negative.
  if (LineCount - 1 < LinesPerPage) {
    TopLine = 0;
  } else if (TopLine > LineCount - LinesPerPage) {
    TopLine = LineCount - LinesPerPage;
  }
  if (TopLine < 0) {
    TopLine = 0;
  }

  // The range ends at LineCount, not LineCount - 1: the thumb can go one place past the
  // last full page, and the scroll handler takes it back.
  ScrollInfo.Mask = platform::ScrollInfoMask::All;
  ScrollInfo.Min = 0;
  ScrollInfo.Max = LineCount;
  ScrollInfo.Page = static_cast<unsigned>(LinesPerPage > 0 ? LinesPerPage : 0);
  ScrollInfo.Pos = TopLine;
  SetScrollInfo(ScrollInfo, true);

  if (TextFont) {
    dc->RestoreFont();
  }
}

void TTamrinWindow::EvSize(unsigned sizeType, const platform::TSize& size) {
  TFrameWindow::EvSize(sizeType, size);
  UpdateLayout();
  Invalidate(true);
}

void TTamrinWindow::EvVScroll(unsigned scrollCode, unsigned thumbPosition,
                              platform::TScrollBarHandle scrollBar) {
  TFrameWindow::EvVScroll(scrollCode, thumbPosition, scrollBar);

  // A page moves by one row less than a page, so the row at the edge stays in view.
  const std::int32_t step = LinesPerPage - 1;
  const std::int32_t bottom = LineCount - LinesPerPage;
  const auto thumb = static_cast<std::int32_t>(thumbPosition);

  switch (scrollCode) {
    case TScrollCode::LineUp:
      if (TopLine > 0) TopLine = TopLine - 1;
      break;
    case TScrollCode::LineDown:
      TopLine = TopLine + 1;
      if (TopLine > bottom) TopLine = bottom;
      break;
    case TScrollCode::PageUp:
      TopLine = TopLine - step >= 0 ? TopLine - step : 0;
      break;
    case TScrollCode::PageDown:
      TopLine = TopLine + step;
      if (TopLine > bottom) TopLine = bottom;
      break;
    case TScrollCode::ThumbPosition:
    case TScrollCode::ThumbTrack:
      TopLine = thumb > bottom ? bottom : thumb;
      break;
    case TScrollCode::Top:
      TopLine = 0;
      break;
    case TScrollCode::Bottom:
      TopLine = bottom;
      break;
    default:
      break;
  }

  // With fewer lines than rows, bottom is negative; the layout brings TopLine back to 0.
  UpdateLayout();
  Invalidate(true);
}

void TTamrinWindow::GoToTargetLine() {
  if (TargetLine < 1) {
    return;
  }
  // To the top, then one line down at a time, each step as the scroll bar would make it.
  EvVScroll(TScrollCode::Top, 0, nullptr);
  for (std::int32_t step = 0; step < TargetLine; ++step) {
    EvVScroll(TScrollCode::LineDown, 0, nullptr);
  }
}
