#include "util/StringArray.h"

#include <cassert>
#include <cstring>

namespace {

// Characters are kept in chunks of this size; a longer text gets a chunk of its own.
constexpr std::size_t ChunkSize = std::size_t{64} * 1024;

}  // namespace

TStringArray::TStringArray() {
  Blocks.push_back(std::make_unique<std::string_view[]>(InitialCapacity));
  Room = InitialCapacity;
}

TStringArray::~TStringArray() = default;

void TStringArray::Flush() {
  Count = 0;
  Chunks.clear();
}

const char* TStringArray::StoreCharacters(std::string_view text) {
  if (text.empty()) {
    return "";
  }
  if (Chunks.empty() || Chunks.back().Size - Chunks.back().Used < text.size()) {
    TChunk chunk;
    chunk.Size = text.size() > ChunkSize ? text.size() : ChunkSize;
    chunk.Bytes = std::make_unique_for_overwrite<char[]>(chunk.Size);
    Chunks.push_back(std::move(chunk));
  }
  TChunk& chunk = Chunks.back();
  char* place = chunk.Bytes.get() + chunk.Used;
  std::memcpy(place, text.data(), text.size());
  chunk.Used += text.size();
  return place;
}

void TStringArray::Add(std::string_view text) {
  if (Count == Room) {
    Blocks.push_back(std::make_unique<std::string_view[]>(GrowthDelta));
    Room += GrowthDelta;
  }
  const char* place = StoreCharacters(text);
  const std::int32_t index = Count;
  if (index < InitialCapacity) {
    Blocks[0][index] = std::string_view(place, text.size());
  } else {
    const std::int32_t later = index - InitialCapacity;
    Blocks[1 + later / GrowthDelta][later % GrowthDelta] = std::string_view(place, text.size());
  }
  ++Count;
}

std::string_view TStringArray::operator[](std::int32_t index) const {
  assert(index >= 0 && index < Count);
  if (index < 0 || index >= Count) {
    return {};
  }
  if (index < InitialCapacity) {
    return Blocks[0][index];
  }
  const std::int32_t later = index - InitialCapacity;
  return Blocks[1 + later / GrowthDelta][later % GrowthDelta];
}
