#include "control/layout.h"

#include "control/boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

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

} // namespace
} // namespace tavlin::control
