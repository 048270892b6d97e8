// Where the About window puts its texts, at any DPI: the design is in
// pixels at 96 DPI, the texts come measured in fonts made for the window's
// DPI. Portable, so the arithmetic is tested natively.
#pragma once

namespace tavlin::about {

inline constexpr int kDesignDpi = 96;

// A DPI Windows could not tell (0, or a failed call's garbage) is the
// design's.
[[nodiscard]] constexpr int UsableDpi(int dpi) {
    return dpi > 0 ? dpi : kDesignDpi;
}

// pixels96 at that DPI, halves away from zero, as MulDiv rounds. In int:
// a window's pixels times a DPI stay far below its limit, and 32-bit code
// would call a library routine for each 64-bit division.
[[nodiscard]] constexpr int Scaled(int pixels96, int dpi) {
    const int scaled = pixels96 * UsableDpi(dpi);
    const int half = kDesignDpi / 2;
    return scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi);
}

// The fonts' heights (character height, in pixels at 96 DPI).
inline constexpr int kTextFontHeight = 14;
inline constexpr int kTitleFontHeight = 22;

struct TextSize {
    int width = 0;
    int height = 0;
};

// Each text as its font draws it, in pixels at the window's DPI.
struct MeasuredTexts {
    TextSize title;   // the title font
    TextSize version; // the text font, as the rest
    TextSize website;
    TextSize link; // underlined, as it is under the pointer
    TextSize ok;
};

struct Layout {
    int margin = 0;
    int titleY = 0, titleHeight = 0;
    int versionY = 0, textHeight = 0;
    int lineTopY = 0, lineHeight = 0;
    int websiteY = 0, websiteWidth = 0, linkWidth = 0;
    int linkPadding = 0; // round the address, inside the link: its focus frame
    int lineBottomY = 0;
    int okY = 0, okWidth = 0, okHeight = 0;
    int contentWidth = 0, clientWidth = 0, clientHeight = 0;
};

// The design where the texts fit it, wider and taller where a translation
// or a CJK face needs more; never smaller than the design at that DPI.
[[nodiscard]] Layout LayoutFor(const MeasuredTexts& texts, int dpi);

} // namespace tavlin::about
