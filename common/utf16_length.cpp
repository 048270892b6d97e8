#include "common/utf16_length.h"

namespace tavlin {

std::size_t Utf16Length(std::string_view utf8) noexcept {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0u) != 0x80u; // every byte that starts a sequence
        units += byte >= 0xF0u;           // a surrogate pair's second half
    }
    return units;
}

} // namespace tavlin
