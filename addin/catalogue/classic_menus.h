#pragma once

#include "addin/core/ribbon_step.h"

#include <span>

namespace tavlin {

// The nine top-level menus, File to Help, each from its BeginMenu step to
// its EndMenu step.
[[nodiscard]] std::span<const std::span<const RibbonStep>> ClassicMenus();

} // namespace tavlin
