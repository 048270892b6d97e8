#include "common/contrast.h"

namespace tavlin {

Rgb LinkColour(bool highContrast, Rgb face, Rgb hotLight) {
    return highContrast || Luma(face) < kLightFaceLuma ? hotLight : kOwnLinkColour;
}

} // namespace tavlin
