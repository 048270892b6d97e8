// Which colour a link is drawn in: readable on the face it stands on,
// whatever colours the user's theme gives. Portable, so tested natively.
#pragma once

#include <cstdint>

namespace tavlin {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A colour's brightness as the eye weighs its parts (Rec. 601 luma of the
// stored, gamma-encoded values), 0 to 255, rounded.
[[nodiscard]] constexpr int Luma(Rgb colour) {
    return (299 * colour.red + 587 * colour.green + 114 * colour.blue + 500) / 1000;
}

// Our blue, which Wine's pale hot-light colour made necessary.
inline constexpr Rgb kOwnLinkColour{0, 0, 204};
// The darkest grey face our blue keeps the 4.5 to 1 contrast (WCAG 2)
// normal text needs on; integer arithmetic, as the add-in must stay small.
inline constexpr int kLightFaceLuma = 165;

// The theme's hot-light colour under high contrast, or where our blue
// would be hard to read on the theme's face (a dark theme that does not
// say it is one, as Wine's never do); otherwise our blue.
[[nodiscard]] Rgb LinkColour(bool highContrast, Rgb face, Rgb hotLight);

} // namespace tavlin
