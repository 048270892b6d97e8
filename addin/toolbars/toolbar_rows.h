#pragma once

#include "addin/core/ribbon_step.h"

#include <span>

namespace tavlin {

// Each row is one box of the Tools panel group, from its opening tag to
// "</box>".
[[nodiscard]] std::span<const RibbonStep> StandardToolbar();
[[nodiscard]] std::span<const RibbonStep> FormattingToolbar();

} // namespace tavlin
