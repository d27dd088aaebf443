#pragma once
// The font chooser: a modal dialog, owned by a window, in which the user picks a screen
// font (family, style and size), the underline and strike-out effects and a text colour,
// and sees a sample of the choice in its colour.

#include <string>

#include "platform/Colour.h"
#include "platform/Font.h"

namespace platform {

class TWindow;

// What the chooser offers, as the font command asks for it.
namespace ChooseFontFlag {
inline constexpr unsigned ScreenFonts = 0x00001;          // the fonts of the screen
inline constexpr unsigned InitToDescription = 0x00040;    // opens on the description given
inline constexpr unsigned Effects = 0x00100;              // underline, strike-out and the colour
inline constexpr unsigned ForceFontExist = 0x10000;       // only a font that exists can be chosen
}  // namespace ChooseFontFlag

// The ids of the chooser's own controls, for a test driver: OK, Cancel and the colour list.
inline constexpr int ChooseFontColourListId = 1139;

struct TChooseFontData {
  unsigned Flags = 0;
  TFontDescription Font;          // in: where the chooser opens; out: the chosen font
  TColor Color = ColorBlack;      // in: the colour shown; out: the chosen colour
};

// The sixteen standard colours of the colour list, each with its name.
struct TNamedColour {
  const char* Name = nullptr;
  TColor Color;
};
extern const TNamedColour StandardColours[16];

class TChooseFontDialog {
public:
  // `owner` places the chooser and takes no input while it runs; it may be null.
  TChooseFontDialog(TWindow* owner, const TChooseFontData& data);

  // Runs the chooser modally. IdOk (1) when the user confirmed, with Data holding the
  // chosen font and colour; IdCancel (2) when the chooser was cancelled (Cancel, Escape,
  // the close box) or a quit request was pending, with Data as it was given.
  //
  // Sizes are shown in points at the screen's logical resolution and given back as the
  // character height in pixels. OK without a change gives back the very description the
  // chooser opened on, so that nothing on the screen moves.
  int Execute();

  TChooseFontData Data;

private:
  TWindow* Owner;
};

}  // namespace platform
