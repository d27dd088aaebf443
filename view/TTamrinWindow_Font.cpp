// The Font and Line Spacing commands of the File menu.

#include "view/TTamrinWindow.h"

#include "platform/Commands.h"
#include "platform/FontChooser.h"
#include "view/SpacingResources.h"
#include "view/TDlg6.h"

namespace {

// Screen fonts, opening on the view's font, with the effects and the colour, and only
// fonts that exist: 65857.
constexpr unsigned FontChooserFlags = platform::ChooseFontFlag::ScreenFonts |
                                      platform::ChooseFontFlag::InitToDescription |
                                      platform::ChooseFontFlag::Effects |
                                      platform::ChooseFontFlag::ForceFontExist;
static_assert(FontChooserFlags == 65857);

}  // namespace

void TTamrinWindow::CmFont() {
  platform::TChooseFontData data;
  data.Flags = FontChooserFlags;
  data.Color = TextColor;

  // The first time: the font a device context on the view starts with, which the view
  // wraps but does not own. It stays TextFont also when the chooser is cancelled.
  if (!TextFont) {
    std::unique_ptr<platform::TDC> dc = GetClientDC();
    TextFont = platform::TFont::Wrap(dc->GetCurrentFont());
  }
  data.Font = TextFont->GetDescription();

  platform::TChooseFontDialog chooser(this, data);
  if (chooser.Execute() == platform::IdOk) {
    // The font it replaces goes first; a wrapper leaves the font it wraps alone.
    TextFont.reset();
    TextFont = std::make_unique<platform::TFont>(chooser.Data.Font);
    TextColor = chooser.Data.Color;
    UpdateLayout();
    Invalidate(true);
  }
}

void TTamrinWindow::CmLineSpacing() {
  TDlg6 dialog(this, IDD_LINE_SPACING);
  dialog.Execute();
  // However the dialog closed: the rows follow LineSpace at once.
  UpdateLayout();
  Invalidate(true);
}
