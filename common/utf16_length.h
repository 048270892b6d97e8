// How long a UTF-8 text is once converted to UTF-16, the form Word and every
// W function take it in. Portable, so it is tested natively.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavlin {

// Code units of well-formed UTF-8: one per sequence, two for the four-byte
// ones. Text that is not well-formed may convert to another length.
[[nodiscard]] std::size_t Utf16Length(std::string_view utf8) noexcept;

} // namespace tavlin
