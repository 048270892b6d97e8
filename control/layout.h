// The settings window's geometry in twips, as designed; the window turns it
// into pixels at its own DPI. The frames' places are relative to the tab
// control's top left corner, and what a frame holds to the frame's.
#pragma once

#include "control/boxes.h"

#include <algorithm>
#include <array>

namespace tavlin::control {

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
    [[nodiscard]] constexpr int Right() const { return left + width; }
    [[nodiscard]] constexpr int Bottom() const { return top + height; }
};

inline constexpr int kInnerWidth = 6000;
inline constexpr int kInnerHeight = 5085;
inline constexpr TwipsRect kTabRect{120, 120, 5760, 4335};
inline constexpr TwipsRect kOkRect{2640, 4560, 1560, 405};
inline constexpr TwipsRect kCancelRect{4320, 4560, 1560, 405};

// Inside the tab control: both frames fill the page below the tab strip.
inline constexpr TwipsRect kFrameRect{120, 360, 5520, 3855};
// Inside Frame1, below the boxes: what the window says about the
// installation and policy, room for two lines before it scrolls.
inline constexpr TwipsRect kPolicyNoteRect{240, 3300, 5160, 495};
// Inside Frame2, on the "About" page.
inline constexpr TwipsRect kTitleRect{240, 480, 5040, 330};
inline constexpr TwipsRect kLineRect{240, 1035, 5040, 30};
inline constexpr TwipsRect kWebsiteLabelRect{240, 1320, 960, 285};
inline constexpr TwipsRect kWebsiteRect{1200, 1320, 3600, 285};

// Room kept between a box and the frame's right border.
inline constexpr int kFrameMargin = 60;

// A box's place inside Frame1. Box 0 is designed a little wider than the
// frame; its caption ends well before, so it is cut to the frame instead of
// drawing over the border.
[[nodiscard]] constexpr TwipsRect BoxRect(const BoxInfo& box) {
    return {box.left, box.top, std::min(box.width, kFrameRect.width - kFrameMargin - box.left),
            kBoxHeight};
}

inline constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel, halves away from zero; 15 twips a pixel at
// 96 DPI.
[[nodiscard]] constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

// What the window's font makes of its texts, in pixels: each box's caption,
// the room a check box takes before its caption, and the buttons' and the
// About page's texts.
struct TextWidths {
    std::array<int, kBoxCount> captions{};
    int checkBox = 0;
    int ok = 0;
    int cancel = 0;
    int websiteLabel = 0;
    int website = 0;
};

struct PixelSpan {
    int left = 0;
    int width = 0;
    [[nodiscard]] constexpr int Right() const { return left + width; }
};

// The window across, in pixels: the design where the texts fit it, wider
// where a translation runs longer. The window, the tab control, the frames,
// the note and the About title are `extra` wider than designed; the tops
// and heights stay as designed.
struct FittedLayout {
    int extra = 0;
    // Inside Frame1.
    std::array<PixelSpan, kBoxCount> boxes{};
    // In the window.
    PixelSpan ok;
    PixelSpan cancel;
    // Inside Frame2.
    PixelSpan websiteLabel;
    PixelSpan website;
};
[[nodiscard]] FittedLayout FitToTexts(const TextWidths& widths, int dpi);

// CenterForm: half the difference of the sizes, halves kept.
[[nodiscard]] constexpr int CenteredOrigin(int screenExtent, int windowExtent) {
    return (screenExtent - windowExtent) / 2;
}

} // namespace tavlin::control
