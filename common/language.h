// The languages Tavlin speaks, and which one a Windows language id gets.
// The add-in asks Word for its UI language, the control program asks
// Windows for the user's display language; both choose here, so the two
// deliverables never disagree on what a language id means.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavlin {

// Each text table is an array indexed by this, one entry a language.
enum class Language : std::uint8_t {
    English,
    German,
    French,
    Spanish,
    Italian,
    PortugueseBrazil,
    Dutch,
    Polish,
    Russian,
    Japanese,
    ChineseSimplified,
    PortuguesePortugal,
    ChineseTraditional,
    Korean,
    Turkish,
    Swedish,
    Danish,
    Norwegian,
    Finnish,
    Czech,
    Slovak,
    Hungarian,
    Greek,
    Romanian,
    Bulgarian,
    Ukrainian,
    Croatian,
    SerbianLatin,
    Slovenian,
    Estonian,
    Latvian,
    Lithuanian,
    Hebrew,
    Arabic,
    Thai,
    Vietnamese,
    Indonesian,
    Malay,
    Hindi,
    Kazakh,
};
inline constexpr std::size_t kLanguageCount = 40;

[[nodiscard]] constexpr std::size_t Index(Language language) {
    return static_cast<std::size_t>(language);
}

// Windows' language ids: the low ten bits are the primary language, the
// rest the sublanguage (1033 en-US, 2057 en-GB, 3081 en-AU...).
inline constexpr std::uint32_t kLangIdEnglishUs = 1033;
[[nodiscard]] constexpr std::uint32_t PrimaryLanguageId(std::uint32_t langId) {
    return langId & 0x3FFu;
}
[[nodiscard]] constexpr bool IsEnglishLanguageId(std::uint32_t langId) {
    return PrimaryLanguageId(langId) == 0x09u;
}

// What a language id comes to. `english` is true only for an English id
// (any sublanguage) or when no language could be learnt: only then do
// Word's own controls keep the labels the add-in gives them.
struct LanguageChoice {
    Language language = Language::English;
    bool english = true;
    friend bool operator==(const LanguageChoice&, const LanguageChoice&) = default;
};

// The full id first, then its primary language; a language without a table
// gets English texts (but is not English).
[[nodiscard]] LanguageChoice ChooseLanguage(std::uint32_t langId);

// Hebrew and Arabic are written from right to left: a window in them is
// mirrored, as Windows mirrors a program of those languages, and a message
// box reads from the right.
[[nodiscard]] constexpr bool IsRightToLeft(Language language) {
    return language == Language::Hebrew || language == Language::Arabic;
}

// The locale name of each language (its administrative templates' folder).
[[nodiscard]] std::string_view LocaleName(Language language);

inline constexpr std::array<Language, kLanguageCount> kAllLanguages{
    Language::English,
    Language::German,
    Language::French,
    Language::Spanish,
    Language::Italian,
    Language::PortugueseBrazil,
    Language::Dutch,
    Language::Polish,
    Language::Russian,
    Language::Japanese,
    Language::ChineseSimplified,
    Language::PortuguesePortugal,
    Language::ChineseTraditional,
    Language::Korean,
    Language::Turkish,
    Language::Swedish,
    Language::Danish,
    Language::Norwegian,
    Language::Finnish,
    Language::Czech,
    Language::Slovak,
    Language::Hungarian,
    Language::Greek,
    Language::Romanian,
    Language::Bulgarian,
    Language::Ukrainian,
    Language::Croatian,
    Language::SerbianLatin,
    Language::Slovenian,
    Language::Estonian,
    Language::Latvian,
    Language::Lithuanian,
    Language::Hebrew,
    Language::Arabic,
    Language::Thai,
    Language::Vietnamese,
    Language::Indonesian,
    Language::Malay,
    Language::Hindi,
    Language::Kazakh,
};

} // namespace tavlin
