#include "addin/about/about_layout.h"

#include <gtest/gtest.h>

namespace tavlin::about {
namespace {

TEST(Scaled, RoundsHalvesAwayFromZeroAndTakesAnUnknownDpiAsTheDesigns) {
    struct Case {
        int pixels96, dpi, expected;
    };
    const Case cases[] = {
        {14, 96, 14},    {14, 120, 18}, {14, 144, 21}, {14, 192, 28}, {22, 144, 33},
        {1, 144, 2},     {1, 120, 1},   {0, 192, 0},   {-3, 144, -5}, {-1, 120, -1},
        {300, 288, 900}, {14, 0, 14},   {14, -96, 14},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Scaled(c.pixels96, c.dpi), c.expected) << c.pixels96 << " at " << c.dpi;
    }
}

// Texts as a font at that DPI measures them: a 96-DPI size grown with the
// DPI, as Windows' fonts grow, give or take a pixel of hinting.
MeasuredTexts AtDpi(const MeasuredTexts& at96, int dpi) {
    const auto grow = [dpi](TextSize size) {
        return TextSize{Scaled(size.width, dpi), Scaled(size.height, dpi)};
    };
    return {grow(at96.title), grow(at96.version), grow(at96.website), grow(at96.link),
            grow(at96.ok)};
}

// English as Arial draws it, German's longer caption and button, a CJK
// face that stands taller than Arial.
const MeasuredTexts kEnglish{{78, 24}, {82, 16}, {56, 16}, {170, 16}, {18, 16}};
const MeasuredTexts kLong{{78, 24}, {120, 16}, {190, 16}, {170, 16}, {120, 16}};
const MeasuredTexts kTall{{78, 30}, {96, 21}, {70, 21}, {170, 21}, {40, 21}};

TEST(LayoutFor, ShortTextsGetTheDesignAtEachDpi) {
    struct Case {
        int dpi, width, height;
    };
    for (const Case& c : {Case{96, 340, 172}, Case{144, 510, 258}, Case{192, 680, 344}}) {
        const Layout l = LayoutFor(AtDpi(kEnglish, c.dpi), c.dpi);
        EXPECT_EQ(l.clientWidth, c.width) << c.dpi;
        EXPECT_EQ(l.clientHeight, c.height) << c.dpi;
    }
}

TEST(LayoutFor, At192DpiAtLeastOnePointEightTimesTheSizeAt96) {
    for (const MeasuredTexts& texts : {kEnglish, kLong, kTall}) {
        const Layout at96 = LayoutFor(texts, 96);
        const Layout at192 = LayoutFor(AtDpi(texts, 192), 192);
        EXPECT_GE(at192.clientWidth * 10, at96.clientWidth * 18);
        EXPECT_GE(at192.clientHeight * 10, at96.clientHeight * 18);
        const Layout at144 = LayoutFor(AtDpi(texts, 144), 144);
        EXPECT_GT(at144.clientWidth, at96.clientWidth);
        EXPECT_LT(at144.clientWidth, at192.clientWidth);
    }
}

TEST(LayoutFor, EveryTextFitsItsPlaceAndEveryPlaceTheWindow) {
    for (const MeasuredTexts& at96 : {kEnglish, kLong, kTall}) {
        for (const int dpi : {96, 120, 144, 192, 288}) {
            const MeasuredTexts t = AtDpi(at96, dpi);
            const Layout l = LayoutFor(t, dpi);
            EXPECT_GE(l.contentWidth, t.title.width);
            EXPECT_GE(l.contentWidth, t.version.width);
            EXPECT_GE(l.websiteWidth, t.website.width);
            EXPECT_GE(l.linkWidth, t.link.width + 2 * l.linkPadding);
            EXPECT_GT(l.linkPadding, 0);
            EXPECT_GE(l.contentWidth, l.websiteWidth + l.linkWidth);
            EXPECT_GE(l.okWidth, t.ok.width);
            EXPECT_GE(l.okHeight, t.ok.height);
            EXPECT_GE(l.titleHeight, t.title.height);
            EXPECT_GE(l.textHeight, t.link.height);
            // Top to bottom without overlap, inside the client area.
            EXPECT_LE(l.titleY + l.titleHeight, l.versionY);
            EXPECT_LE(l.versionY + l.textHeight, l.lineTopY);
            EXPECT_LE(l.lineTopY + l.lineHeight, l.websiteY);
            EXPECT_LE(l.websiteY + l.textHeight, l.lineBottomY);
            EXPECT_LE(l.lineBottomY + l.lineHeight, l.okY);
            EXPECT_LE(l.okY + l.okHeight, l.clientHeight);
            EXPECT_EQ(l.clientWidth, 2 * l.margin + l.contentWidth);
        }
    }
}

TEST(LayoutFor, LongerTextsWidenTheWindowNeverNarrowIt) {
    const Layout english = LayoutFor(kEnglish, 96);
    const Layout longer = LayoutFor(kLong, 96);
    EXPECT_EQ(longer.contentWidth, 190 + 2 + 170 + 2 + 2 * 4);
    EXPECT_GT(longer.clientWidth, english.clientWidth);
    EXPECT_EQ(LayoutFor(MeasuredTexts{}, 96).clientWidth, english.clientWidth);
    EXPECT_EQ(LayoutFor(MeasuredTexts{}, 96).clientHeight, english.clientHeight);
    EXPECT_EQ(LayoutFor(kEnglish, 0).clientWidth, english.clientWidth);
}

} // namespace
} // namespace tavlin::about
