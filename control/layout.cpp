#include "control/layout.h"

namespace tavlin::control {
namespace {

// Room beyond the measured text, so that a caption never touches the
// control's edge (a check box draws its focus rectangle around the text).
constexpr int kTextSlack = 90;
// A push button's margins around its caption, both sides together.
constexpr int kButtonPadding = 360;
// The least room between the two columns of tab boxes.
constexpr int kColumnGap = 120;
constexpr int kFirstColumnLeft = 960;
constexpr int kSecondColumnLeft = 2640;

} // namespace

FittedLayout FitToTexts(const TextWidths& widths, int dpi) {
    const auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    FittedLayout fit;
    const auto needed = [&](int index) {
        return widths.checkBox + widths.captions[static_cast<std::size_t>(index)] + px(kTextSlack);
    };

    // The second column of tab boxes moves right as far as the first
    // column's longest caption asks.
    int firstColumnRight = 0;
    for (int i = 0; i < kBoxCount; ++i) {
        if (kBoxes[static_cast<std::size_t>(i)].left == kFirstColumnLeft) {
            firstColumnRight = std::max(firstColumnRight, px(kFirstColumnLeft) + needed(i));
        }
    }
    const int secondColumn = std::max(px(kSecondColumnLeft), firstColumnRight + px(kColumnGap));

    int frameNeeded = px(kFrameRect.width);
    for (int i = 0; i < kBoxCount; ++i) {
        const BoxInfo& box = kBoxes[static_cast<std::size_t>(i)];
        PixelSpan& span = fit.boxes[static_cast<std::size_t>(i)];
        span.left = box.left == kSecondColumnLeft ? secondColumn : px(box.left);
        span.width = std::max(px(BoxRect(box).width), needed(i));
        frameNeeded = std::max(frameNeeded, span.Right() + px(kFrameMargin));
    }

    fit.websiteLabel.left = px(kWebsiteLabelRect.left);
    fit.websiteLabel.width =
        std::max(px(kWebsiteLabelRect.width), widths.websiteLabel + px(kTextSlack));
    fit.website.left = std::max(px(kWebsiteRect.left), fit.websiteLabel.Right());
    fit.website.width = std::max(px(kWebsiteRect.width), widths.website + px(kTextSlack));
    frameNeeded = std::max(frameNeeded, fit.website.Right() + px(kFrameMargin));

    fit.extra = frameNeeded - px(kFrameRect.width);

    const int buttonWidth =
        std::max(px(kCancelRect.width), std::max(widths.ok, widths.cancel) + px(kButtonPadding));
    const int gap = px(kCancelRect.left) - px(kOkRect.Right());
    fit.cancel = {px(kCancelRect.Right()) + fit.extra - buttonWidth, buttonWidth};
    fit.ok = {fit.cancel.left - gap - buttonWidth, buttonWidth};
    return fit;
}

} // namespace tavlin::control
