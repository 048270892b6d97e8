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
        const BoxInfo& a = kBoxes[static_cast<std::size_t>(i)];
        EXPECT_GE(a.left, kFrameRect.left) << i;
        EXPECT_GE(a.top, kFrameRect.top) << i;
        EXPECT_LE(a.left + a.width, kFrameRect.Right()) << i;
        EXPECT_LE(a.top + kBoxHeight, kFrameRect.Bottom()) << i;
    }
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
