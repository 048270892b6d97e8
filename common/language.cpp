#include "common/language.h"

namespace tavlin {
namespace {

struct LanguageId {
    std::uint32_t id;
    Language language;
};

// Ids that name a table by themselves: each table's own locale, and the
// other Simplified Chinese one (Singapore). Traditional Chinese (zh-TW,
// zh-HK, zh-MO) shares the primary id with Simplified but is another
// script, so Chinese is matched by full id only.
constexpr LanguageId kFullIds[] = {
    {1040, Language::Italian},
    {1031, Language::German},
    {1036, Language::French},
    {3082, Language::Spanish},
    {1046, Language::PortugueseBrazil},
    {1043, Language::Dutch},
    {1045, Language::Polish},
    {1049, Language::Russian},
    {1041, Language::Japanese},
    {2052, Language::ChineseSimplified},
    {4100, Language::ChineseSimplified},
};

// Any other sublanguage of these (de-AT, fr-CA, es-MX, pt-PT, nl-BE...)
// reads its language's one table.
constexpr LanguageId kPrimaryIds[] = {
    {0x07, Language::German},  {0x0C, Language::French},           {0x0A, Language::Spanish},
    {0x10, Language::Italian}, {0x16, Language::PortugueseBrazil}, {0x13, Language::Dutch},
    {0x15, Language::Polish},  {0x19, Language::Russian},          {0x11, Language::Japanese},
};

constexpr std::array<std::string_view, kLanguageCount> kLocaleNames{
    "en-US", "de-DE", "fr-FR", "es-ES", "it-IT", "pt-BR",
    "nl-NL", "pl-PL", "ru-RU", "ja-JP", "zh-CN",
};

} // namespace

LanguageChoice ChooseLanguage(std::uint32_t langId) {
    if (IsEnglishLanguageId(langId)) {
        return {Language::English, true};
    }
    for (const LanguageId& entry : kFullIds) {
        if (entry.id == langId) {
            return {entry.language, false};
        }
    }
    for (const LanguageId& entry : kPrimaryIds) {
        if (entry.id == PrimaryLanguageId(langId)) {
            return {entry.language, false};
        }
    }
    return {Language::English, false};
}

std::string_view LocaleName(Language language) {
    return kLocaleNames.at(Index(language));
}

} // namespace tavlin
