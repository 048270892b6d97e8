#include "common/contrast.h"

#include <gtest/gtest.h>

namespace tavlin {
namespace {

TEST(ContrastRatio, FromOneForTheSameColourToTwentyOneForBlackAndWhite) {
    struct Case {
        Rgb first, second;
        double expected;
    };
    const Case cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0},
        {{255, 255, 255}, {0, 0, 0}, 21.0},
        {{128, 128, 128}, {128, 128, 128}, 1.0},
        {{0, 0, 0}, {0, 0, 0}, 1.0},
        // Our blue on Windows' button face, and on Wine's.
        {{0, 0, 204}, {240, 240, 240}, 9.84},
        {{255, 255, 0}, {0, 0, 0}, 19.56},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.first, c.second), c.expected, 0.05)
            << int{c.first.red} << "," << int{c.first.green} << "," << int{c.first.blue};
    }
}

TEST(LinkColour, TheThemesUnderHighContrastOrWhereOurBlueIsHardToRead) {
    const Rgb hotLight{255, 255, 0};
    struct Case {
        bool highContrast;
        Rgb face;
        Rgb expected;
    };
    const Case cases[] = {
        {false, {240, 240, 240}, kOwnLinkColour}, // Windows' light face
        {false, {244, 244, 244}, kOwnLinkColour}, // Wine's
        {false, {255, 255, 255}, kOwnLinkColour},
        {true, {240, 240, 240}, hotLight},  // High Contrast White says so
        {true, {0, 0, 0}, hotLight},        // High Contrast Black
        {false, {0, 0, 0}, hotLight},       // a dark theme that does not say so
        {false, {0, 0, 128}, hotLight},     // blue on navy
        {false, {128, 128, 128}, hotLight}, // just short of 4.5 to 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinkColour(c.highContrast, c.face, hotLight), c.expected)
            << c.highContrast << " " << int{c.face.red} << "," << int{c.face.green} << ","
            << int{c.face.blue};
    }
}

} // namespace
} // namespace tavlin
