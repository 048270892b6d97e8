#include "common/utf16_length.h"

#include <gtest/gtest.h>

namespace tavlin {
namespace {

TEST(Utf16Length, OneUnitPerSequenceTwoBeyondTheBasicPlane) {
    const struct {
        std::string_view utf8;
        std::size_t units;
    } cases[] = {
        {"", 0},
        {"Tools panel", 11},
        {"Page Setup\u2026", 11},        // three bytes, one unit
        {"Caf\u00e9", 4},                // two bytes, one unit
        {"\U0001F600", 2},               // four bytes, a surrogate pair
        {"a\u00e9\u2026\U0001F600z", 6}, // all of them in a row
        {std::string_view("\0x", 2), 2}, // a NUL is a character too
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16Length(c.utf8), c.units) << c.utf8;
    }
}

} // namespace
} // namespace tavlin
