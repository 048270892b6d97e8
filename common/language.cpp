#include "common/language.h"

namespace tavlin {
namespace {

struct LanguageId {
    std::uint32_t id;
    Language language;
};

// Ids that name a table by themselves: each table's own locale, and those
// a primary language cannot tell apart. Simplified (zh-CN, zh-SG) and
// Traditional Chinese (zh-TW, zh-HK, zh-MO) share one primary id but are
// two scripts; Croatian, Serbian in Latin and in Cyrillic letters and
// Bosnian share another, and only Croatian and Serbian Latin have tables;
// Portugal's Portuguese is not Brazil's, which the primary id gives.
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
    {2070, Language::PortuguesePortugal},
    {1028, Language::ChineseTraditional},
    {3076, Language::ChineseTraditional},
    {5124, Language::ChineseTraditional},
    {1042, Language::Korean},
    {1055, Language::Turkish},
    {1053, Language::Swedish},
    {1030, Language::Danish},
    {1044, Language::Norwegian},
    {1035, Language::Finnish},
    {1029, Language::Czech},
    {1051, Language::Slovak},
    {1038, Language::Hungarian},
    {1032, Language::Greek},
    {1048, Language::Romanian},
    {1026, Language::Bulgarian},
    {1058, Language::Ukrainian},
    {1050, Language::Croatian},
    {4122, Language::Croatian},
    {2074, Language::SerbianLatin},
    {6170, Language::SerbianLatin},
    {9242, Language::SerbianLatin},
    {11290, Language::SerbianLatin},
    {1060, Language::Slovenian},
    {1061, Language::Estonian},
    {1062, Language::Latvian},
    {1063, Language::Lithuanian},
    {1037, Language::Hebrew},
    {1025, Language::Arabic},
    {1054, Language::Thai},
    {1066, Language::Vietnamese},
    {1057, Language::Indonesian},
    {1086, Language::Malay},
    {1081, Language::Hindi},
    {1087, Language::Kazakh},
};

// Any other sublanguage of these (de-AT, fr-CA, es-MX, nl-BE, sv-FI, ar-EG...)
// reads its language's table.
constexpr LanguageId kPrimaryIds[] = {
    {0x07, Language::German},
    {0x0C, Language::French},
    {0x0A, Language::Spanish},
    {0x10, Language::Italian},
    {0x16, Language::PortugueseBrazil},
    {0x13, Language::Dutch},
    {0x15, Language::Polish},
    {0x19, Language::Russian},
    {0x11, Language::Japanese},
    {0x12, Language::Korean},
    {0x1F, Language::Turkish},
    {0x1D, Language::Swedish},
    {0x06, Language::Danish},
    {0x14, Language::Norwegian},
    {0x0B, Language::Finnish},
    {0x05, Language::Czech},
    {0x1B, Language::Slovak},
    {0x0E, Language::Hungarian},
    {0x08, Language::Greek},
    {0x18, Language::Romanian},
    {0x02, Language::Bulgarian},
    {0x22, Language::Ukrainian},
    {0x24, Language::Slovenian},
    {0x25, Language::Estonian},
    {0x26, Language::Latvian},
    {0x27, Language::Lithuanian},
    {0x0D, Language::Hebrew},
    {0x01, Language::Arabic},
    {0x1E, Language::Thai},
    {0x2A, Language::Vietnamese},
    {0x21, Language::Indonesian},
    {0x3E, Language::Malay},
    {0x39, Language::Hindi},
    {0x3F, Language::Kazakh},
};

constexpr std::array<std::string_view, kLanguageCount> kLocaleNames{
    "en-US", "de-DE", "fr-FR", "es-ES", "it-IT", "pt-BR", "nl-NL", "pl-PL",      "ru-RU", "ja-JP",
    "zh-CN", "pt-PT", "zh-TW", "ko-KR", "tr-TR", "sv-SE", "da-DK", "nb-NO",      "fi-FI", "cs-CZ",
    "sk-SK", "hu-HU", "el-GR", "ro-RO", "bg-BG", "uk-UA", "hr-HR", "sr-Latn-RS", "sl-SI", "et-EE",
    "lv-LV", "lt-LT", "he-IL", "ar-SA", "th-TH", "vi-VN", "id-ID", "ms-MY",      "hi-IN", "kk-KZ",
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
