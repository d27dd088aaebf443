#pragma once
// Font descriptions and font objects.
//
// A font handle names a font the window system can draw with. A TFont either owns the
// font it made from a description (and releases it when deleted) or only wraps a handle
// that belongs to someone else, such as the default font of a device context; deleting
// a wrapper leaves that font alone.

#include <memory>
#include <string>

namespace platform {

struct TFontDescription {
  std::string Face;        // family name as fontconfig resolves it; empty: the default GUI font
  int Height = 0;          // character height in pixels; 0: the default size
  int Weight = 400;        // 400 normal, 700 bold
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  friend bool operator==(const TFontDescription&, const TFontDescription&) = default;
};

struct TFontRecord;  // defined by the platform
using TFontHandle = const TFontRecord*;

// The font a new device context starts with: the default GUI font. It lives for the
// whole run and is never released.
TFontHandle DefaultFontHandle();

// The description a handle was made from (the window library's "read the font's
// description from its handle").
TFontDescription DescribeFont(TFontHandle handle);

class TFont {
public:
  // Makes a new font from the description; this object owns it.
  explicit TFont(const TFontDescription& description);
  // Wraps a font that belongs to someone else; this object does not release it.
  static std::unique_ptr<TFont> Wrap(TFontHandle handle);
  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  TFontHandle GetHandle() const { return Handle; }
  bool OwnsFont() const { return Owned != nullptr; }
  TFontDescription GetDescription() const { return DescribeFont(Handle); }

private:
  TFont() = default;
  std::unique_ptr<TFontRecord> Owned;
  TFontHandle Handle = nullptr;
};

}  // namespace platform
