#include "common/contrast.h"

#include <algorithm>
#include <cmath>

namespace tavlin {
namespace {

double Channel(std::uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb colour) {
    return 0.2126 * Channel(colour.red) + 0.7152 * Channel(colour.green) +
           0.0722 * Channel(colour.blue);
}

} // namespace

double ContrastRatio(Rgb first, Rgb second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgb LinkColour(bool highContrast, Rgb face, Rgb hotLight) {
    if (highContrast || ContrastRatio(kOwnLinkColour, face) < kReadableContrast) {
        return hotLight;
    }
    return kOwnLinkColour;
}

} // namespace tavlin
