// Text-to-number conversions of stored settings, shared by every reader.
//
// Accepted: blanks (space, tab, CR, LF) around the number, an optional sign,
// digits with an optional decimal point ("1.", ".5"), an optional exponent
// (e or E, optional sign, digits). Anything else, the empty text included,
// raises the type-mismatch error; a value outside the target range (after
// rounding) raises the overflow error. The grammar is a subset of what OLE
// Automation's string conversions accept, with the same values, and never
// depends on the user's locale.
#pragma once

#include <cstdint>
#include <string_view>

namespace tavlin {

// A double, not rounded.
[[nodiscard]] double ToNumber(std::string_view text);

// Rounded to a 32-bit signed integer, halves to even.
[[nodiscard]] std::int32_t ToWholeNumber(std::string_view text);

// Rounded to a 16-bit signed integer, halves to even.
[[nodiscard]] std::int16_t ToInteger16(std::string_view text);

// The text without the blanks (space, tab, CR, LF) at either end: what the
// conversions allow around a number, and what a stored value may carry.
[[nodiscard]] std::string_view TrimBlanks(std::string_view text);

// The rounding that whole-number stores apply to a double: halves to even,
// overflow outside the 32-bit range (NaN included).
[[nodiscard]] std::int32_t RoundToInt32(double value);

} // namespace tavlin
