// The parts of the layer that need no window system: event-table lookup, the module's
// resources, font objects and the recording device context.

#include <algorithm>
#include <map>

#include "platform/DC.h"
#include "platform/DialogTemplate.h"
#include "platform/EventTable.h"
#include "platform/Font.h"
#include "platform/FontRecord.h"
#include "platform/Resources.h"

namespace platform {

const TEventEntry* TEventTable::Find(TEventKind kind, int id, unsigned code) const {
  for (const TEventTable* table = this; table != nullptr; table = table->Base) {
    for (const TEventEntry& entry : table->Entries) {
      if (entry.Kind != kind) continue;
      if (kind == TEventKind::Command && entry.Id != id) continue;
      if (kind == TEventKind::Notify && (entry.Id != id || entry.Code != code)) continue;
      return &entry;
    }
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------
// Resources

namespace {
struct TModuleTables {
  std::map<int, const TMenuResource*> Menus;
  std::map<int, const TAcceleratorTable*> Accelerators;
  std::map<int, const TIconResource*> Icons;
  std::map<int, const TDialogTemplate*> Dialogs;
};
TModuleTables& Tables() {
  static TModuleTables tables;
  return tables;
}
template <class T>
const T* FindIn(const std::map<int, const T*>& map, int id) {
  const auto found = map.find(id);
  return found == map.end() ? nullptr : found->second;
}
}  // namespace

void TModule::Add(const TMenuResource& menu) { Tables().Menus[menu.Id] = &menu; }
void TModule::Add(const TAcceleratorTable& accelerators) {
  Tables().Accelerators[accelerators.Id] = &accelerators;
}
void TModule::Add(const TIconResource& icon) { Tables().Icons[icon.Id] = &icon; }
void TModule::Add(const TDialogTemplate& dialog) { Tables().Dialogs[dialog.Id] = &dialog; }
const TMenuResource* TModule::FindMenu(int id) const { return FindIn(Tables().Menus, id); }
const TAcceleratorTable* TModule::FindAccelerators(int id) const {
  return FindIn(Tables().Accelerators, id);
}
const TIconResource* TModule::FindIcon(int id) const { return FindIn(Tables().Icons, id); }
const TDialogTemplate* TModule::FindDialog(int id) const { return FindIn(Tables().Dialogs, id); }

TModule& DefaultModule() {
  static TModule module;
  return module;
}

// ---------------------------------------------------------------------------------
// Fonts

TFontHandle DefaultFontHandle() {
  static const TFontRecord defaultFont{};
  return &defaultFont;
}

TFontDescription DescribeFont(TFontHandle handle) {
  return handle ? handle->Description : TFontDescription{};
}

TFont::TFont(const TFontDescription& description)
    : Owned(std::make_unique<TFontRecord>(TFontRecord{description})), Handle(Owned.get()) {}

std::unique_ptr<TFont> TFont::Wrap(TFontHandle handle) {
  std::unique_ptr<TFont> font(new TFont());
  font->Handle = handle;
  return font;
}

TFont::~TFont() = default;

// ---------------------------------------------------------------------------------
// The recording device context

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
