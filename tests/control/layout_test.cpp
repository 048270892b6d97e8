#include "control/layout.h"

#include "control/boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace tavlin::control {
namespace {

TEST(TwipsToPixels, AtCommonDpis) {
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {0, 96, 0},      {15, 96, 1},     {7, 96, 0},       {8, 96, 1},
        {6000, 96, 400}, {5085, 96, 339}, {6000, 120, 500}, {6000, 144, 600},
        {375, 192, 50},  {-15, 96, -1},   {-8, 96, -1},     {1440, 96, 96},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

TEST(CenteredOrigin, HalvesTheDifference) {
    EXPECT_EQ(CenteredOrigin(1024, 406), 309);
    EXPECT_EQ(CenteredOrigin(768, 768), 0);
    EXPECT_EQ(CenteredOrigin(800, 1000), -100);
}

TEST(WindowLayout, TheButtonsLineUpWithTheTabControl) {
    EXPECT_EQ(kCancelRect.Right(), kTabRect.Right());
    EXPECT_EQ(kOkRect.top, kCancelRect.top);
    EXPECT_LT(kOkRect.Right(), kCancelRect.left);
    EXPECT_LT(kTabRect.Bottom(), kOkRect.top);
    EXPECT_LE(kCancelRect.Bottom(), kInnerHeight);
    EXPECT_LE(kTabRect.Right() + kTabRect.left, kInnerWidth);
}

TEST(WindowLayout, BoxesStayInsideTheFrame) {
    for (int i = 0; i < kBoxCount; ++i) {
        const BoxInfo& box = kBoxes[static_cast<std::size_t>(i)];
        const TwipsRect r = BoxRect(box);
        EXPECT_EQ(r.left, box.left) << i;
        EXPECT_EQ(r.top, box.top) << i;
        EXPECT_EQ(r.height, kBoxHeight) << i;
        EXPECT_GT(r.width, 0) << i;
        EXPECT_LE(r.width, box.width) << i;
        EXPECT_LE(r.Right(), kFrameRect.width - kFrameMargin) << i;
        EXPECT_LE(r.Bottom(), kFrameRect.height) << i;
    }
    // Only the master box is cut, and by no more than a few pixels.
    EXPECT_GT(BoxRect(kBoxes[0]).width, kBoxes[0].width - 150);
    for (int i = 1; i < kBoxCount; ++i) {
        EXPECT_EQ(BoxRect(kBoxes[static_cast<std::size_t>(i)]).width,
                  kBoxes[static_cast<std::size_t>(i)].width)
            << i;
    }
}

TEST(WindowLayout, FramesFitTheTabControl) {
    EXPECT_LE(kFrameRect.Right(), kTabRect.width);
    EXPECT_LE(kFrameRect.Bottom(), kTabRect.height);
    for (const TwipsRect& r : {kTitleRect, kLineRect, kWebsiteLabelRect, kWebsiteRect}) {
        EXPECT_LE(r.Right(), kFrameRect.width);
        EXPECT_LE(r.Bottom(), kFrameRect.height);
    }
    EXPECT_LE(kWebsiteLabelRect.Right(), kWebsiteRect.left);
}

// A transposed coordinate shows up as a column of three, a shared row or a
// box reaching into the other column.
TEST(WindowLayout, TabBoxesFormTwoColumnsOfFour) {
    std::map<int, std::set<int>> topsByLeft;
    int leftColumnRight = 0;
    for (int i = kFirstTabBox; i <= kLastTabBox; ++i) {
        const BoxInfo& box = kBoxes[static_cast<std::size_t>(i)];
        topsByLeft[box.left].insert(box.top);
        if (box.left == 960) {
            leftColumnRight = std::max(leftColumnRight, box.left + box.width);
        }
    }
    ASSERT_EQ(topsByLeft.size(), 2u);
    for (const auto& [left, tops] : topsByLeft) {
        EXPECT_EQ(tops.size(), 4u) << left;
    }
    EXPECT_EQ(topsByLeft.begin()->second, topsByLeft.rbegin()->second);
    EXPECT_LE(leftColumnRight, topsByLeft.rbegin()->first);
    // The hide switch stands above both columns.
    EXPECT_LT(kBoxes[kHideTabsBox].top, *topsByLeft.begin()->second.begin());
}

// Widths as one font might measure the texts: every caption `scale` percent
// of its English design width (less the check box), box `longBox` far
// longer, and the buttons' and the About page's texts as given.
TextWidths Widths(int scale, int longBox, int buttonText, int labelText) {
    TextWidths widths;
    widths.checkBox = 20;
    for (int i = 0; i < kBoxCount; ++i) {
        const int design = TwipsToPixels(BoxRect(kBoxes[static_cast<std::size_t>(i)]).width, 96);
        widths.captions[static_cast<std::size_t>(i)] =
            (design - 30) * scale / 100 + (i == longBox ? 300 : 0);
    }
    widths.ok = buttonText;
    widths.cancel = buttonText;
    widths.websiteLabel = labelText;
    widths.website = 180;
    return widths;
}

// The design stacks a column's boxes closer than a box is high (their
// captions sit in the middle); boxes of one row must not meet.
bool Overlap(const PixelSpan& a, int aTop, const PixelSpan& b, int bTop) {
    return a.left < b.Right() && b.left < a.Right() && std::abs(aTop - bTop) < kBoxHeight / 2;
}

TEST(FitToTexts, TextsTheDesignHoldsKeepTheDesign) {
    for (const int dpi : {96, 120, 144}) {
        const FittedLayout fit = FitToTexts(Widths(60, -1, 20, 40), dpi);
        EXPECT_EQ(fit.extra, 0) << dpi;
        for (int i = 0; i < kBoxCount; ++i) {
            const TwipsRect design = BoxRect(kBoxes[static_cast<std::size_t>(i)]);
            EXPECT_EQ(fit.boxes[static_cast<std::size_t>(i)].left, TwipsToPixels(design.left, dpi));
            EXPECT_EQ(fit.boxes[static_cast<std::size_t>(i)].width,
                      TwipsToPixels(design.width, dpi));
        }
        EXPECT_EQ(fit.ok.left, TwipsToPixels(kOkRect.left, dpi));
        EXPECT_EQ(fit.cancel.Right(), TwipsToPixels(kCancelRect.Right(), dpi));
        EXPECT_EQ(fit.website.left, TwipsToPixels(kWebsiteRect.left, dpi));
    }
}

// Longer translations (German and Russian run a third longer, some
// captions far longer): every text gets its room, nothing overlaps, and the
// window grows to hold it all.
TEST(FitToTexts, LongerTextsGetTheirRoomAndNothingOverlaps) {
    struct Case {
        int scale, longBox, buttonText, labelText, dpi;
    };
    const Case cases[] = {
        {100, -1, 30, 50, 96},  {135, -1, 60, 70, 96},  {135, 0, 60, 70, 96},
        {135, 5, 60, 70, 96},   {200, 4, 140, 160, 96}, {150, 1, 90, 120, 144},
        {135, 11, 60, 70, 120}, {135, 7, 60, 70, 96},
    };
    for (const Case& c : cases) {
        const TextWidths widths = Widths(c.scale, c.longBox, c.buttonText, c.labelText);
        const FittedLayout fit = FitToTexts(widths, c.dpi);
        const auto px = [&](int twips) { return TwipsToPixels(twips, c.dpi); };
        const int frameWidth = px(kFrameRect.width) + fit.extra;
        const std::string name = std::to_string(c.scale) + "% box " + std::to_string(c.longBox) +
                                 " at " + std::to_string(c.dpi);
        EXPECT_GE(fit.extra, 0) << name;
        for (int i = 0; i < kBoxCount; ++i) {
            const PixelSpan& box = fit.boxes[static_cast<std::size_t>(i)];
            EXPECT_GE(box.width, widths.checkBox + widths.captions[static_cast<std::size_t>(i)])
                << name << " box " << i;
            EXPECT_LE(box.Right(), frameWidth - px(kFrameMargin)) << name << " box " << i;
            for (int j = i + 1; j < kBoxCount; ++j) {
                EXPECT_FALSE(Overlap(box, kBoxes[static_cast<std::size_t>(i)].top,
                                     fit.boxes[static_cast<std::size_t>(j)],
                                     kBoxes[static_cast<std::size_t>(j)].top))
                    << name << " boxes " << i << " and " << j;
            }
        }
        EXPECT_GE(fit.ok.width, widths.ok) << name;
        EXPECT_GE(fit.cancel.width, widths.cancel) << name;
        EXPECT_LT(fit.ok.Right(), fit.cancel.left) << name;
        EXPECT_GE(fit.ok.left, px(kTabRect.left)) << name;
        EXPECT_EQ(fit.cancel.Right(), px(kTabRect.Right()) + fit.extra) << name;
        EXPECT_GE(fit.websiteLabel.width, widths.websiteLabel) << name;
        EXPECT_LE(fit.websiteLabel.Right(), fit.website.left) << name;
        EXPECT_GE(fit.website.width, widths.website) << name;
        EXPECT_LE(fit.website.Right(), frameWidth - px(kFrameMargin)) << name;
    }
}

} // namespace
} // namespace tavlin::control
