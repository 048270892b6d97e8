#pragma once

#include <string>
#include <string_view>

namespace tavlin::wordhost {

// The Classic tab of a customUI document as an indented outline of menus,
// entries and rows, labels as Word would show them (a built-in control
// without a label shows its idMso in brackets). Throws std::runtime_error
// on a document it cannot read.
[[nodiscard]] std::string RibbonTree(std::string_view document);

} // namespace tavlin::wordhost
