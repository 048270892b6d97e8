#include "control/disabled_items.h"

#include "control/paths.h"

#include <algorithm>

namespace tavlin::control {
namespace {

constexpr std::size_t kHeaderBytes = 12;

std::uint32_t ReadUint32(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 |
           static_cast<std::uint32_t>(data[at + 3]) << 24;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string DisabledItemsKey(std::string_view version) {
    std::string key = "Software\\Microsoft\\Office\\";
    key += version;
    key += "\\Word\\Resiliency\\DisabledItems";
    return key;
}

std::optional<std::string> DisabledItemFile(std::span<const std::uint8_t> data) {
    // Everything Word writes comes in 16-bit units after a 12-byte header.
    if (data.size() < kHeaderBytes || data.size() % 2 != 0) {
        return std::nullopt;
    }
    const std::uint32_t pathBytes = ReadUint32(data, 4);
    if (pathBytes < 2 || pathBytes % 2 != 0 || pathBytes > data.size() - kHeaderBytes) {
        return std::nullopt;
    }
    const auto unit = [&](std::size_t k) -> char16_t {
        const std::size_t at = kHeaderBytes + 2 * k;
        return static_cast<char16_t>(data[at] | data[at + 1] << 8);
    };
    // Whether the length counts the terminator is not written down anywhere;
    // take it just past the length too, as long as the value holds it.
    const std::size_t units =
        std::min<std::size_t>(pathBytes / 2 + 1, (data.size() - kHeaderBytes) / 2);
    std::string path;
    for (std::size_t k = 0; k < units; ++k) {
        const char16_t u = unit(k);
        if (u == 0) {
            return path.empty() ? std::nullopt : std::optional<std::string>(std::move(path));
        }
        char32_t cp = u;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (k + 1 >= units || unit(k + 1) < 0xDC00 || unit(k + 1) > 0xDFFF) {
                return std::nullopt;
            }
            cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return std::nullopt;
        }
        AppendUtf8(path, cp);
    }
    return std::nullopt;
}

bool DisabledItemNamesAnyOf(std::span<const std::uint8_t> data,
                            std::span<const std::string> files) {
    const std::optional<std::string> named = DisabledItemFile(data);
    if (!named) {
        return false;
    }
    for (const std::string& file : files) {
        if (SamePath(*named, file)) {
            return true;
        }
    }
    return false;
}

} // namespace tavlin::control
