// The Font and Line Spacing commands of the File menu.

#include "view/TTamrinWindow.h"

void TTamrinWindow::CmFont() {
  // The font chooser comes with the font and line-spacing change.
}

void TTamrinWindow::CmLineSpacing() {
  // The line-spacing dialog comes with the font and line-spacing change.
}
