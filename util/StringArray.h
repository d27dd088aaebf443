#pragma once
// The view's growable array of strings (TextLines): one entry per loaded line, index 0
// first. It starts with room for 101 entries and makes room for 100 more each time it
// is full.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TStringArray {
public:
  static constexpr std::int32_t InitialCapacity = 101;
  static constexpr std::int32_t GrowthDelta = 100;

  TStringArray();
  TStringArray(const TStringArray&) = delete;
  TStringArray& operator=(const TStringArray&) = delete;
  ~TStringArray();

  // Empties the array. The room for entries stays as it was.
  void Flush();

  // Appends a copy of `text` as the last entry.
  void Add(std::string_view text);

  std::int32_t GetItemsInContainer() const { return Count; }

  // The entry at `index`, 0 <= index < GetItemsInContainer(); an empty text for any
  // other index. The text stays valid and unchanged until the next Flush or the array's
  // destruction: adding entries moves none of the earlier ones.
  std::string_view operator[](std::int32_t index) const;

  // The number of entries the array has room for before it grows again.
  std::int32_t Capacity() const { return Room; }

private:
  // Entries live in blocks (the first of 101 entries, every later one of 100), so
  // growing never copies the entries already held. Their characters live in chunks
  // that are never moved either.
  struct TChunk {
    std::unique_ptr<char[]> Bytes;
    std::size_t Size = 0;
    std::size_t Used = 0;
  };

  const char* StoreCharacters(std::string_view text);

  std::vector<std::unique_ptr<std::string_view[]>> Blocks;
  std::vector<TChunk> Chunks;
  std::int32_t Count = 0;
  std::int32_t Room = 0;
};
