#include "common/contrast.h"

#include <gtest/gtest.h>

namespace tavlin {
namespace {

TEST(Luma, WeighsGreenMostAndBlueLeast) {
    struct Case {
        Rgb colour;
        int expected;
    };
    const Case cases[] = {
        {{0, 0, 0}, 0},     {{255, 255, 255}, 255}, {{128, 128, 128}, 128},
        {{0, 255, 0}, 150}, {{255, 0, 0}, 76},      {{0, 0, 255}, 29},
        {{0, 0, 204}, 23},  {{240, 240, 240}, 240}, {{255, 255, 0}, 226},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Luma(c.colour), c.expected)
            << int{c.colour.red} << "," << int{c.colour.green} << "," << int{c.colour.blue};
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
