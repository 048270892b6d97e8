#include "addin/about/about_model.h"

#include <array>

namespace tavlin::about {
namespace {

// The texts, one entry a language in the order of Language, made from po/
// by the build.
#include "about_texts.inc"

constexpr std::string_view kVersionPlaceholder = "%1";

} // namespace

const Texts& TextsFor(Language language) {
    return kTexts.at(Index(language));
}

std::string VersionText(Language language, unsigned major, unsigned minor, unsigned revision) {
    std::string line(TextsFor(language).versionLine);
    const std::string number =
        std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
    if (const auto at = line.find(kVersionPlaceholder); at != std::string::npos) {
        line.replace(at, kVersionPlaceholder.size(), number);
    }
    return line;
}

PointerState MouseMoved(PointerState state, MouseOver where) {
    switch (where) {
    case MouseOver::Link:
        state.linkUnderlined = true;
        state.pointer = Pointer::Custom;
        break;
    case MouseOver::Background:
        state.linkUnderlined = false;
        state.pointer = Pointer::Default;
        break;
    case MouseOver::Button:
        state.pointer = Pointer::Custom;
        break;
    }
    return state;
}

std::optional<std::u16string> KeyValueText(std::uint32_t valueType,
                                           std::span<const std::uint8_t> valueBytes) {
    if (valueType == kRegSz) {
        std::u16string text(valueBytes.size() / 2, u'\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char16_t>(valueBytes[2 * i] | (valueBytes[2 * i + 1] << 8));
        }
        // Only the one terminating NUL the query counted goes; a value
        // stored without it keeps all its characters. An empty value
        // stays empty rather than looking before its first character.
        if (!text.empty() && text.back() == u'\0') {
            text.pop_back();
        }
        return text;
    }
    if (valueType == kRegDword) {
        // Little-endian bytes, most significant (the last) first. A value
        // longer than four bytes is no 32-bit number.
        if (valueBytes.size() > 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = valueBytes.size(); i-- > 0;) {
            value = (value << 8) | valueBytes[i];
        }
        const std::string digits = std::to_string(value);
        return std::u16string(digits.begin(), digits.end());
    }
    return std::nullopt;
}

std::optional<std::u16string>
SysInfoProgram(const std::optional<std::u16string>& pathValue,
               const std::optional<std::u16string>& folderValue,
               const std::function<bool(const std::u16string&)>& fileExists) {
    if (pathValue) {
        return pathValue;
    }
    if (folderValue) {
        std::u16string program = *folderValue + u"\\MSINFO32.EXE";
        if (fileExists(program)) {
            return program;
        }
    }
    return std::nullopt;
}

} // namespace tavlin::about
