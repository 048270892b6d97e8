#include "common/utf16_length.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace tavlin {
namespace {

constexpr std::size_t UnitsForByte(unsigned char byte) noexcept {
    // Every byte that starts a sequence is a unit; a four-byte sequence
    // needs a surrogate pair's second half as well.
    return static_cast<std::size_t>((byte & 0xC0u) != 0x80u) +
           static_cast<std::size_t>(byte >= 0xF0u);
}

} // namespace

std::size_t Utf16Length(std::string_view utf8) noexcept {
    // Word waits for this on every start, over a document of some 44 KB that
    // is nearly all ASCII: eight bytes at a time, bit tricks for the rest.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
    std::size_t units = 0;
    std::size_t offset = 0;
    for (; offset + 8 <= utf8.size(); offset += 8) {
        std::uint64_t word;
        std::memcpy(&word, utf8.data() + offset, sizeof word);
        if ((word & kHighBits) == 0) {
            units += 8;
            continue;
        }
        // Shifting left moves each byte's lower bits up to its top bit; no
        // bit crosses into a neighbour's top bit.
        const std::uint64_t continuation = word & ~(word << 1) & kHighBits; // 10xxxxxx
        const std::uint64_t fourByteLead =
            word & (word << 1) & (word << 2) & (word << 3) & kHighBits; // 1111xxxx
        units += 8 - static_cast<std::size_t>(std::popcount(continuation)) +
                 static_cast<std::size_t>(std::popcount(fourByteLead));
    }
    for (; offset < utf8.size(); ++offset) {
        units += UnitsForByte(static_cast<unsigned char>(utf8[offset]));
    }
    return units;
}

} // namespace tavlin
