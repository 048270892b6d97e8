#include "common/settings_store.h"

#include <algorithm>

namespace tavlin {
namespace {

char FoldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool KeyLess::operator()(std::string_view left, std::string_view right) const noexcept {
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](char leftChar, char rightChar) {
                                            return static_cast<unsigned char>(FoldCase(leftChar)) <
                                                   static_cast<unsigned char>(FoldCase(rightChar));
                                        });
}

bool KeysEqual(std::string_view left, std::string_view right) noexcept {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char leftChar, char rightChar) {
               return FoldCase(leftChar) == FoldCase(rightChar);
           });
}

std::string MemorySettingsStore::SettingsRead(std::string_view key, int defaultValue) const {
    if (const auto it = values_.find(key); it != values_.end()) {
        return it->second;
    }
    return std::to_string(defaultValue);
}

void MemorySettingsStore::SettingsWrite(std::string_view key, std::string_view text) {
    if (const auto it = values_.find(key); it != values_.end()) {
        // The registry keeps the first spelling of a value's name.
        it->second.assign(text);
        return;
    }
    values_.emplace(std::string(key), std::string(text));
}

} // namespace tavlin

namespace tavlin {

std::string StoredValueText(StoredValueType type, std::string_view text, std::uint32_t dword) {
    switch (type) {
    case StoredValueType::String:
        return std::string(text);
    case StoredValueType::Dword:
        return std::to_string(dword);
    case StoredValueType::Other:
        break;
    }
    // Not a number in any reader's eyes, so the caller's conversion reports
    // a type mismatch rather than the setting silently taking its default.
    return "(value of an unsupported registry type)";
}

} // namespace tavlin
