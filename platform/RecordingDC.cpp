// The recording device context: every call is logged, and text is measured with fixed
// metrics, so that tests and benchmarks see exact positions, colours and rows.

#include <algorithm>
#include <iterator>

#include "platform/DC.h"

namespace platform {

std::vector<TDrawCall> TDrawLog::TextOuts() const {
  std::vector<TDrawCall> texts;
  std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(texts),
               [](const TDrawCall& call) { return call.Kind == TDrawCall::TKind::TextOut; });
  return texts;
}

TRecordingDC::TRecordingDC(TDrawLog& log, TFixedMetrics metrics)
    : Log(log), Metrics(metrics), Current(DefaultFontHandle()) {}

void TRecordingDC::SetBkColor(TColor color) {
  Background = color;
  Log.Calls.push_back({TDrawCall::TKind::SetBkColor, color, Background, 0, 0, {}, Current});
}

void TRecordingDC::SetTextColor(TColor color) {
  Text = color;
  Log.Calls.push_back({TDrawCall::TKind::SetTextColor, color, Background, 0, 0, {}, Current});
}

void TRecordingDC::SelectObject(const TFont& font) {
  if (Saved == nullptr) Saved = Current;
  Current = font.GetHandle();
  Log.Calls.push_back({TDrawCall::TKind::SelectFont, Text, Background, 0, 0, {}, Current});
}

void TRecordingDC::RestoreFont() {
  if (Saved != nullptr) {
    Current = Saved;
    Saved = nullptr;
  }
  Log.Calls.push_back({TDrawCall::TKind::RestoreFont, Text, Background, 0, 0, {}, Current});
}

void TRecordingDC::TextOut(int x, int y, std::string_view text) {
  Log.Calls.push_back({TDrawCall::TKind::TextOut, Text, Background, x, y, std::string(text), Current});
}

int TRecordingDC::GetTextExtent(std::string_view text) {
  return static_cast<int>(text.size()) * Metrics.CharWidth;
}

TTextMetrics TRecordingDC::GetTextMetrics() {
  return {Metrics.Height, Metrics.ExternalLeading, Metrics.Height * 3 / 4, Metrics.CharWidth};
}

TFontHandle TRecordingDC::GetCurrentFont() { return Current; }

}  // namespace platform
