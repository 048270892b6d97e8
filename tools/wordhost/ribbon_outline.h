// Reading a customUI document the way Word shows it: the Classic tab as an
// indented outline, and the control that names a callback. Portable, so it
// is tested natively against the core's own documents.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wordhost {

// The outline, one line per element Word shows. Raises std::runtime_error
// when the document is not well-formed (unclosed or mismatched elements).
[[nodiscard]] std::string RibbonOutline(std::string_view document);

// The id of the first element whose onAction names the callback.
[[nodiscard]] std::optional<std::string> ControlForAction(std::string_view document,
                                                          std::string_view callback);

} // namespace wordhost
