#pragma once
// An icon resource as picture files for the desktop's icon theme: PNG pictures of the
// sizes the theme asks for, and a scalable SVG drawing of the same pixels. The build
// uses them to install the program's icon; the programs themselves never write one.

#include <string>

#include "platform/Resources.h"

namespace platform {

// Writes `icon` as a `size` x `size` PNG picture at `path`, each of its 32 x 32 pixels
// drawn as a block without blending. False when the picture cannot be written.
bool WriteIconPng(const TIconResource& icon, int size, const std::string& path);

// The SVG drawing of `icon`: a 32 x 32 canvas with one square per pixel, runs of a
// colour along a row joined, so that it scales to any size with sharp edges.
std::string IconSvg(const TIconResource& icon);

// The palette index of the pixel at (x, y): the row's hexadecimal digit, 0 past a row's end.
int IconPixel(const TIconResource& icon, int x, int y);

}  // namespace platform
