// Word's list of hard-disabled add-ins. After an add-in crashed Word, Word
// keeps a binary value under Resiliency\DisabledItems of its version's key
// and no longer loads the add-in, whatever its registration says; switching
// the add-in on removes the values that name our files.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavlin::control {

// The Word versions that keep such a list: 2007, 2010, 2013 and 2016 on
// (2019 and Microsoft 365 still write under 16.0).
inline constexpr std::string_view kWordVersionsWithDisabledItems[] = {"12.0", "14.0", "15.0",
                                                                      "16.0"};

// HKCU's key holding the list of one Word version.
[[nodiscard]] std::string DisabledItemsKey(std::string_view version);

// The file a value names. Word writes a 32-bit kind, the byte lengths of
// the path and of a description, then both as UTF-16LE with terminators.
// Nothing for a value that does not hold that whole: too short, of odd
// size, an odd or out-of-range length, no terminator, broken UTF-16.
[[nodiscard]] std::optional<std::string> DisabledItemFile(std::span<const std::uint8_t> data);

// Whether the value names one of files (compared as paths, not as text).
[[nodiscard]] bool DisabledItemNamesAnyOf(std::span<const std::uint8_t> data,
                                          std::span<const std::string> files);

} // namespace tavlin::control
