// Contains and ContainsFolded: whether a phrase occurs in a line, the test the search
// makes of every line of the book, with case and without.
//
// Both look at sixteen places at once: at each place, the text's byte under the
// phrase's first byte and its byte under the phrase's last byte are compared with
// those two bytes; only a place where both agree is compared whole. A phrase rarely
// begins and ends where a line's bytes do, so nearly every place is passed over sixteen
// at a time, and ignoring case costs one more comparison of each byte, not a copy.
#include <cstdint>
#include <cstring>

#include "util/TextHelpers.h"

namespace {

using TBytes16 = unsigned char __attribute__((vector_size(16)));

TBytes16 Load16(const char* place) {
  TBytes16 bytes;
  std::memcpy(&bytes, place, sizeof bytes);
  return bytes;
}

TBytes16 Splat16(unsigned char byte) {
  TBytes16 bytes{};
  for (int i = 0; i < 16; ++i) bytes[i] = byte;
  return bytes;
}

unsigned char FoldByte(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c | 0x20) : c; }

// A to Z of each byte taken as a to z.
TBytes16 Fold16(TBytes16 bytes) {
  const TBytes16 capital = (bytes >= Splat16('A')) & (bytes <= Splat16('Z'));
  return bytes | (capital & Splat16(0x20));
}

template <bool Fold>
unsigned char Seen(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return Fold ? FoldByte(byte) : byte;
}

// Whether the phrase lies whole at `place`.
template <bool Fold>
bool MatchesAt(const char* place, std::string_view pattern) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (Seen<Fold>(place[i]) != static_cast<unsigned char>(pattern[i])) return false;
  }
  return true;
}

template <bool Fold>
bool Find(std::string_view text, std::string_view pattern) {
  const std::size_t length = pattern.size();
  if (length == 0 || text.size() < length) return false;
  const std::size_t places = text.size() - length + 1;  // where the phrase can begin
  const char* const data = text.data();
  const std::size_t last = length - 1;

  std::size_t at = 0;
  if (places >= 16) {
    const TBytes16 first = Splat16(static_cast<unsigned char>(pattern.front()));
    const TBytes16 final = Splat16(static_cast<unsigned char>(pattern.back()));
    // Sixteen places at a time while every byte looked at lies in the text.
    for (; at + 16 <= places; at += 16) {
      TBytes16 heads = Load16(data + at);
      TBytes16 tails = Load16(data + at + last);
      if constexpr (Fold) {
        heads = Fold16(heads);
        tails = Fold16(tails);
      }
      const TBytes16 both = (heads == first) & (tails == final);
      std::uint64_t halves[2];
      std::memcpy(halves, &both, sizeof halves);
      if ((halves[0] | halves[1]) == 0) continue;
      for (std::size_t lane = 0; lane < 16; ++lane) {
        if (both[lane] != 0 && MatchesAt<Fold>(data + at + lane, pattern)) return true;
      }
    }
  }
  for (; at < places; ++at) {
    if (MatchesAt<Fold>(data + at, pattern)) return true;
  }
  return false;
}

}  // namespace

bool Contains(std::string_view text, std::string_view pattern) { return Find<false>(text, pattern); }

bool ContainsFolded(std::string_view text, std::string_view pattern) { return Find<true>(text, pattern); }
