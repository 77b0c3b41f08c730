// The main window's title band, drawn with GDI at the window's DPI: no stored picture
// to stretch, so it is sharp at every scale.
#pragma once

#include <windows.h>

namespace inkwarden {

struct TitleBandPlace {
    RECT band;     // the picture's rectangle, in window pixels
    RECT minimise; // the minimise spot: the house glyph is centred in it
    RECT exit;     // the visible part of the exit spot: the X glyph is centred in it
};

// Paints the band in window pixels; the caller sets the DC's origin so that window
// pixel (0, 0) is where it belongs, and the DC's clipping keeps the rest out.
void PaintTitleBand(HDC dc, UINT dpi, const TitleBandPlace& place);

} // namespace inkwarden
