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

// The contrast ratio of two colours as the accessibility guidelines
// (WCAG 2) reckon it, from 1 (the same) to 21 (black and white).
[[nodiscard]] double ContrastRatio(Rgb first, Rgb second);

// Our blue, which Wine's pale hot-light colour made necessary.
inline constexpr Rgb kOwnLinkColour{0, 0, 204};
// What normal text needs against its ground.
inline constexpr double kReadableContrast = 4.5;

// The theme's hot-light colour under high contrast, or where our blue
// would be hard to read on the theme's face (a dark theme that does not
// say it is one, as Wine's never do); otherwise our blue.
[[nodiscard]] Rgb LinkColour(bool highContrast, Rgb face, Rgb hotLight);

} // namespace tavlin
