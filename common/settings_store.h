// The per-user settings store both deliverables share. Callers give only
// the key: the application ("Drevalo") and section ("Tavlinar") belong to
// the store. Keys compare without regard to case, as registry names do;
// blanks inside a key are significant.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace tavlin {

// The twelve keys of the store, in the order of the settings window's
// boxes: what the administrative templates must offer, one policy each.
inline constexpr std::array<std::string_view, 12> kSettingsKeys{
    "Classic",    "Left", "All",    "Home",     "Insert",    "Page Layout",
    "References", "View", "Review", "Mailings", "Developer", "Hide built-in tabs",
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text of key, or the default as decimal text when the key,
    // the section or the application is missing. A missing key is no error.
    [[nodiscard]] virtual std::string SettingsRead(std::string_view key,
                                                   int defaultValue) const = 0;

    // Stores text under key, replacing an earlier value; creates the
    // application and section when missing. Raises Error when refused.
    virtual void SettingsWrite(std::string_view key, std::string_view text) = 0;
};

// ASCII case folding: every key of the product is ASCII, and the registry's
// own folding agrees with it there.
struct KeyLess {
    using is_transparent = void;
    bool operator()(std::string_view left, std::string_view right) const noexcept;
};

[[nodiscard]] bool KeysEqual(std::string_view left, std::string_view right) noexcept;

// The store of the native tools and tests.
class MemorySettingsStore final : public SettingsStore {
public:
    [[nodiscard]] std::string SettingsRead(std::string_view key, int defaultValue) const override;
    void SettingsWrite(std::string_view key, std::string_view text) override;

    [[nodiscard]] const std::map<std::string, std::string, KeyLess>& values() const {
        return values_;
    }

private:
    std::map<std::string, std::string, KeyLess> values_;
};

} // namespace tavlin

namespace tavlin {

// How a stored registry value reads as a setting's text. Portable, so the
// rule is tested natively; the registry store feeds it what it queried.
enum class StoredValueType { String, Dword, Other };
// text: the string's characters (without the terminating NUL) for String;
// dword: the value for Dword.
[[nodiscard]] std::string StoredValueText(StoredValueType type, std::string_view text,
                                          std::uint32_t dword);

} // namespace tavlin
