// One full repaint of a 60-row page with a phrase that matches in every third line
// (Ignore Case on), against the same page with no phrase: through the recording
// device context (the painter's own work) and through a real window's paint.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/DC.h"
#include "platform/FrameWindow.h"
#include "platform/testing/Driver.h"
#include "platform/testing/TestApplication.h"
#include "search/SearchState.h"
#include "settings/Settings.h"
#include "util/TextHelpers.h"
#include "view/TTamrinWindow.h"

namespace {

constexpr int Rows = 60;

void FillPage(TTamrinWindow& view) {
  view.TextLines.Flush();
  for (int i = 0; i < Rows; ++i) {
    std::string line = std::to_string(i + 1) + " And the people of the land went forth and gathered it, ";
    // Every third line holds the phrase, in capitals that only Ignore Case matches.
    line += i % 3 == 0 ? "PRAISE YE THE LORD for ever" : "and brought it unto the king";
    view.TextLines.Add(line.substr(0, 99));
  }
  view.LineCount = Rows;
  view.TopLine = 0;
}

void SetPhrase(bool withPhrase) {
  CopyText(SearchPhrase, sizeof SearchPhrase, withPhrase ? "praise ye the lord" : "");
  // Ignore Case is on for both pages, so that only the phrase makes the difference.
  IgnoreCase = 1;
}

void BM_PainterRecording(benchmark::State& state) {
  TTamrinWindow view(nullptr);
  FillPage(view);
  view.LinesPerPage = Rows;
  view.LineHeight = 16;
  SetPhrase(state.range(0) != 0);
  platform::TDrawLog log;
  log.Calls.reserve(1024);
  for (auto _ : state) {
    log.Clear();
    platform::TRecordingDC dc(log, {8, 16, 0});
    view.Paint(dc, true, {0, 0, 800, Rows * 16});
    benchmark::DoNotOptimize(log.Calls.data());
  }
  state.SetLabel(state.range(0) ? "phrase, ignore case" : "no phrase");
}
BENCHMARK(BM_PainterRecording)->Arg(0)->Arg(1);

// A context that only counts what it is asked to draw and measures every byte 8 pixels
// wide: the painter's work alone, without the recorder's copies of every string.
class TCountingDC : public platform::TDC {
public:
  void SetBkColor(platform::TColor) override {}
  void SetTextColor(platform::TColor) override { ++Colours; }
  void SelectObject(const platform::TFont&) override {}
  void RestoreFont() override {}
  void TextOut(int, int, std::string_view text) override { Bytes += text.size(); }
  int GetTextExtent(std::string_view text) override { return static_cast<int>(text.size()) * 8; }
  platform::TTextMetrics GetTextMetrics() override { return {16, 0, 12, 8}; }
  platform::TFontHandle GetCurrentFont() override { return platform::DefaultFontHandle(); }

  std::size_t Bytes = 0;
  int Colours = 0;
};

void BM_PainterCounting(benchmark::State& state) {
  TTamrinWindow view(nullptr);
  FillPage(view);
  view.LinesPerPage = Rows;
  view.LineHeight = 16;
  SetPhrase(state.range(0) != 0);
  TCountingDC dc;
  for (auto _ : state) {
    view.Paint(dc, true, {0, 0, 800, Rows * 16});
  }
  benchmark::DoNotOptimize(dc.Bytes);
  state.SetLabel(state.range(0) ? "phrase, ignore case" : "no phrase");
}
BENCHMARK(BM_PainterCounting)->Arg(0)->Arg(1);

void BM_PaintRealWindow(benchmark::State& state) {
  auto* view = new TTamrinWindow(nullptr);
  platform::TFrameWindow frame(nullptr, "paint benchmark", view);
  frame.Create();
  view->KillTimer(1);
  frame.Show(platform::TShowCommand::ShowNormal);
  LineSpace = 0;
  FillPage(*view);
  // The row height comes from the real default font: size the client to hold 60 rows.
  view->UpdateLayout();
  platform::testing::ResizeClient(*view, 800, Rows * view->LineHeight);
  view->UpdateLayout();
  SetPhrase(state.range(0) != 0);
  for (auto _ : state) {
    view->Invalidate(true);
    view->UpdateWindow();
  }
  state.counters["rows"] = view->LinesPerPage;
  state.SetLabel(state.range(0) ? "phrase, ignore case" : "no phrase");
}
BENCHMARK(BM_PaintRealWindow)->Arg(0)->Arg(1);

}  // namespace

int main(int argc, char** argv) {
  platform::testing::TestApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
