// Texts written into one-line reports that scripts compare.
#pragma once

#include <string>
#include <string_view>

namespace tavlin {

// The text in double quotes, with CR, LF, tab, the quote and the backslash
// escaped as in C: a line break in it cannot split the report's line, and a
// quote in it cannot end it early. Every other byte, UTF-8 included, is kept.
[[nodiscard]] std::string Quoted(std::string_view text);

} // namespace tavlin
