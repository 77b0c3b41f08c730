// The title band is drawn for the window's DPI: at every common scale the house and
// the X are pure white pixel shapes (no blur from resampling), symmetric, centred in
// the minimise and exit spots, and the band keeps its blue, dark line and grey strip.
#include "platform/platform.h"
#include "ui/title_band.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace inkwarden {
namespace {

struct Shape {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};

struct Band {
    explicit Band(UINT dpi) {
        auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
        width = px(7575);
        place.band = {px(-1080), 0, px(-1080) + px(8820), px(525)};
        place.minimise = {px(6960), 0, px(6960) + px(375), px(375)};
        place.exit = {px(7320), 0, width, px(375)};
        height = place.band.bottom;
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        SelectObject(dc_, bitmap_);
        PaintTitleBand(dc_, dpi, place);
        GdiFlush();
    }
    ~Band() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    std::uint32_t At(int x, int y) const { return bits_[y * width + x] & 0xFFFFFF; }
    bool White(int x, int y) const { return At(x, y) == 0xFFFFFF; }
    // The white pixels inside a rectangle.
    Shape WhiteIn(const RECT& r) const {
        Shape s;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (White(x, y)) {
                    s.left = std::min(s.left, x), s.right = std::max(s.right, x + 1);
                    s.top = std::min(s.top, y), s.bottom = std::max(s.bottom, y + 1);
                    ++s.count;
                }
        return s;
    }
    bool MirrorSymmetric(const Shape& s) const {
        for (int y = s.top; y < s.bottom; ++y)
            for (int x = s.left; x < s.right; ++x)
                if (White(x, y) != White(s.left + s.right - 1 - x, y))
                    return false;
        return true;
    }
    int width, height;
    TitleBandPlace place;
    HDC dc_;
    HBITMAP bitmap_;
    std::uint32_t* bits_ = nullptr;
};

TEST(TitleBand, SharpGlyphsUnderTheSpotsAtEveryScale) {
    const auto red = [](std::uint32_t c) { return static_cast<int>(c >> 16); };
    const auto blue = [](std::uint32_t c) { return static_cast<int>(c & 0xFF); };
    for (UINT dpi : {96u, 120u, 144u, 168u, 192u, 288u}) {
        SCOPED_TRACE(dpi);
        const Band band(dpi);
        const double scale = dpi / 96.0;
        const TitleBandPlace& p = band.place;

        // White appears only in the two spots.
        const Shape all = band.WhiteIn({0, 0, band.width, band.height});
        const Shape house = band.WhiteIn(p.minimise);
        const RECT exitOnly = {p.minimise.right, p.exit.top, p.exit.right, p.exit.bottom};
        const Shape cross = band.WhiteIn(exitOnly);
        EXPECT_EQ(all.count, house.count + cross.count);
        for (const auto& [glyph, spot] : {std::pair{house, p.minimise}, std::pair{cross, p.exit}}) {
            EXPECT_GT(glyph.count, static_cast<int>(40 * scale * scale));
            // Centres in half pixels: across exactly, and down within a 96-DPI pixel.
            EXPECT_LE(std::abs((glyph.left + glyph.right) - (spot.left + spot.right)), 1);
            EXPECT_LE(std::abs((glyph.top + glyph.bottom) - (spot.top + spot.bottom)), 1 + 2 * scale);
            EXPECT_NEAR(glyph.right - glyph.left, 13.5 * scale, 1 + 1.5 * scale);
            EXPECT_TRUE(band.MirrorSymmetric(glyph));
        }

        // The band: blue with its lighter middle, a dark line, a light grey strip.
        const int x = band.width / 2, blueRow = static_cast<int>(14 * scale);
        EXPECT_GT(blue(band.At(x, blueRow)), red(band.At(x, blueRow)) + 60);
        EXPECT_GT(red(band.At(x, blueRow)), red(band.At(8, blueRow))); // the glow
        const std::uint32_t line = band.At(x, static_cast<int>(std::lround(28 * scale)));
        EXPECT_LT(red(line), 0x40);
        const std::uint32_t strip = band.At(x, band.height - 1);
        EXPECT_GT(red(strip), 0xD0);
        EXPECT_LE(std::abs(red(strip) - blue(strip)), 8);
    }
}

} // namespace
} // namespace inkwarden
