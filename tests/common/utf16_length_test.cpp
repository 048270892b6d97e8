#include "common/utf16_length.h"

#include <gtest/gtest.h>

#include <string>

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

// The count goes eight bytes at a time: every sequence at every position
// against a word's edge, and every length of tail, must count as the plain
// rule does, one byte after another.
TEST(Utf16Length, EveryOffsetAndLengthAgreesWithTheByteRule) {
    const auto byByte = [](std::string_view text) {
        std::size_t units = 0;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            units += (byte & 0xC0u) != 0x80u ? 1 : 0;
            units += byte >= 0xF0u ? 1 : 0;
        }
        return units;
    };
    for (const std::string_view sequence :
         {"\u00e9", "\u2026", "\U0001F600", "\x7f", "\xff", "\x80", "\xf0"}) {
        for (std::size_t before = 0; before < 17; ++before) {
            for (std::size_t after = 0; after < 10; ++after) {
                const std::string text =
                    std::string(before, 'a') + std::string(sequence) + std::string(after, 'z');
                ASSERT_EQ(Utf16Length(text), byByte(text))
                    << "sequence of " << sequence.size() << " bytes after " << before << ", then "
                    << after;
            }
        }
    }
    // A text of nothing but four-byte sequences and one of nothing but
    // continuation bytes, over several words.
    std::string faces;
    for (int i = 0; i < 9; ++i) {
        faces += "\U0001F600";
    }
    EXPECT_EQ(Utf16Length(faces), 18u);
    EXPECT_EQ(Utf16Length(std::string(40, '\x80')), 0u) << "stray continuation bytes";
}

} // namespace
} // namespace tavlin
