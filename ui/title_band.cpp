#include "ui/title_band.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace inkwarden {

namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb kBlueTop = {0x4B, 0x8B, 0xDA}, kBlueBottom = {0x1C, 0x4F, 0x9C}, kGlow = {0xA9, 0xD0, 0xFF};
constexpr Rgb kBevelLight = {0xFF, 0xFF, 0xFF}, kBevelDark = {0x0E, 0x2F, 0x66};
constexpr Rgb kShadowLine = {0x23, 0x32, 0x4A}, kStrip = {0xE0, 0xE0, 0xE0}, kStripShade = {0x9A, 0xA0, 0xA8};
constexpr Rgb kGlyph = {0xFF, 0xFF, 0xFF}, kGlyphShadow = {0x0A, 0x24, 0x50};

// Heights at 96 DPI: the blue part, then a dark line, then the grey strip to the bottom.
constexpr double kBlueHeight = 28;

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

COLORREF Ref(Rgb c) {
    return RGB(std::lround(c.r), std::lround(c.g), std::lround(c.b));
}

// The blue part at (x, y), in 96-DPI pixels from the band's top left corner: darker
// towards the bottom, lighter in a wide elliptical glow under the title.
Rgb BlueAt(double x, double y, double bandWidth) {
    const double t = std::clamp(y / kBlueHeight, 0.0, 1.0);
    Rgb c = Mix(kBlueTop, kBlueBottom, t * t * 0.6 + t * 0.4);
    const double dx = (x - bandWidth / 2) / (bandWidth * 0.425), dy = (y - 9) / 24;
    const double d = dx * dx + dy * dy;
    if (d < 1)
        c = Mix(c, kGlow, 0.55 * (1 - d) * (1 - d)); // no visible rim: fades out with (1 - d)^2
    return c;
}

void Fill(HDC dc, const RECT& r, Rgb c) {
    SetDCBrushColor(dc, Ref(c));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Rows y0 to y1 of the blue part as a strip of shaded triangles whose corners take the
// band's colour, tinted by `amount` of `tint` (the bevel of the top and bottom row).
void BlueStrip(HDC dc, const RECT& band, int y0, int y1, double scale, Rgb tint, double amount) {
    constexpr int kColumns = 42; // 14 px at 96 DPI: the glow stays smooth
    TRIVERTEX corners[2 * (kColumns + 1)];
    GRADIENT_TRIANGLE triangles[2 * kColumns];
    const int width = band.right - band.left;
    for (int i = 0; i <= kColumns; ++i) {
        const int x = band.left + MulDiv(width, i, kColumns);
        for (int row = 0; row < 2; ++row) {
            const int y = row ? y1 : y0;
            const Rgb c =
                Mix(BlueAt((x - band.left) / scale, (y - band.top) / scale, width / scale), tint, amount);
            auto channel = [](double v) { return static_cast<COLOR16>(std::lround(v) << 8); };
            corners[2 * i + row] = {x, y, channel(c.r), channel(c.g), channel(c.b), 0};
        }
    }
    for (ULONG i = 0; i < kColumns; ++i) {
        triangles[2 * i] = {2 * i, 2 * i + 1, 2 * i + 2};
        triangles[2 * i + 1] = {2 * i + 1, 2 * i + 3, 2 * i + 2};
    }
    GdiGradientFill(dc, corners, 2 * (kColumns + 1), triangles, 2 * kColumns, GRADIENT_FILL_TRIANGLE);
}

// [left, right) of about `width` pixels, symmetric about `centre` taken to the nearest
// half pixel: the glyphs stay symmetric at every scale.
struct Span {
    int left, right;
};
Span Centred(double centre, double width) {
    const long twice = std::lround(centre * 2);
    long w = std::max(1L, std::lround(width));
    if ((twice - w) % 2 != 0)
        w += (width > static_cast<double>(w) || w == 1) ? 1 : -1;
    const int left = static_cast<int>((twice - w) / 2);
    return {left, left + static_cast<int>(w)};
}

// A glyph as rows of pixels, drawn twice: a soft shadow one pixel down and right, then white.
using Glyph = std::vector<RECT>;

void PaintGlyph(HDC dc, const Glyph& glyph, int shadowOffset, Rgb underneath) {
    for (RECT r : glyph) {
        OffsetRect(&r, shadowOffset, shadowOffset);
        Fill(dc, r, Mix(underneath, kGlyphShadow, 0.35));
    }
    for (const RECT& r : glyph)
        Fill(dc, r, kGlyph);
}

// A house ("minimise to home"): a roof of 45-degree steps over a square body.
Glyph House(double cx, double cy, double scale, RECT* door) {
    Glyph g;
    const Span base = Centred(cx, 15 * scale);
    const int apexWidth = (base.right - base.left) % 2 ? 1 : 2;
    const int steps = (base.right - base.left - apexWidth) / 2;
    const int eaves = static_cast<int>(std::lround(cy - 0.2 * scale)) - 1; // the roof's widest row
    for (int i = 0; i <= steps; ++i)
        g.push_back({base.left + i, eaves - i, base.right - i, eaves - i + 1});
    const Span body = Centred(cx, 9 * scale);
    const int bodyTop = eaves + 1 - static_cast<int>(std::lround(scale));
    const int bottom = static_cast<int>(std::lround(cy + 6.5 * scale));
    g.push_back({body.left, bodyTop, body.right, bottom});
    const Span doorSpan = Centred(cx, 3 * scale);
    *door = {doorSpan.left, static_cast<int>(std::lround(cy + 2 * scale)), doorSpan.right, bottom};
    return g;
}

// An X of two 45-degree strokes, each row `w` pixels wide.
Glyph Cross(double cx, double cy, double scale) {
    Glyph g;
    const Span span = Centred(cx, 12 * scale);
    const int w = std::max(2, static_cast<int>(std::lround(2.8 * scale)));
    const int rows = span.right - span.left - w + 1;
    const int top = static_cast<int>(std::lround(cy - rows / 2.0));
    for (int i = 0; i < rows; ++i) {
        g.push_back({span.left + i, top + i, span.left + i + w, top + i + 1});
        g.push_back({span.right - i - w, top + i, span.right - i, top + i + 1});
    }
    return g;
}

} // namespace

void PaintTitleBand(HDC dc, UINT dpi, const TitleBandPlace& place) {
    const double scale = dpi / 96.0;
    const RECT& band = place.band;
    const double bandWidth = (band.right - band.left) / scale;
    const int bevel = std::max(1, static_cast<int>(std::lround(scale)));
    const int blueBottom = band.top + static_cast<int>(std::lround(kBlueHeight * scale));

    // The blue part: a lighter top row, the body in slices, a darker bottom row.
    BlueStrip(dc, band, band.top, band.top + bevel, scale, kBevelLight, 0.28);
    constexpr int kSlices = 6;
    const int bodyTop = band.top + bevel, bodyHeight = blueBottom - bevel - bodyTop;
    for (int i = 0; i < kSlices; ++i)
        BlueStrip(dc, band, bodyTop + bodyHeight * i / kSlices, bodyTop + bodyHeight * (i + 1) / kSlices,
                  scale, kBevelDark, 0);
    BlueStrip(dc, band, blueBottom - bevel, blueBottom, scale, kBevelDark, 0.25);

    // A dark line, then a grey strip with the line's shadow fading into it.
    const int line = std::max(1, static_cast<int>(scale));
    Fill(dc, {band.left, blueBottom, band.right, blueBottom + line}, kShadowLine);
    for (int y = blueBottom + line; y < band.bottom; ++y) {
        const double below = (y + 0.5 - blueBottom - line) / scale;
        Fill(dc, {band.left, y, band.right, y + 1}, Mix(kStrip, kStripShade, 0.45 * std::exp(-below * 1.1)));
    }

    // The glyphs under the two spots.
    const int shadow = std::max(1, static_cast<int>(std::lround(scale)));
    auto at = [&](double x, double y) {
        return BlueAt((x - band.left) / scale, (y - band.top) / scale, bandWidth);
    };
    const RECT& m = place.minimise;
    const double hx = (m.left + m.right) / 2.0, hy = (m.top + m.bottom) / 2.0;
    RECT door;
    PaintGlyph(dc, House(hx, hy, scale, &door), shadow, at(hx, hy));
    Fill(dc, door, at(hx, (door.top + door.bottom) / 2.0));
    const RECT& e = place.exit;
    const double xx = (e.left + e.right) / 2.0, xy = (e.top + e.bottom) / 2.0;
    PaintGlyph(dc, Cross(xx, xy, scale), shadow, at(xx, xy));
}

} // namespace inkwarden
