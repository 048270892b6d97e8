#include "common/language.h"

#include <gtest/gtest.h>

#include <set>

namespace tavlin {
namespace {

TEST(ChooseLanguage, FullIdThenPrimaryLanguageThenEnglishTexts) {
    struct Case {
        std::uint32_t langId;
        Language language;
        bool english;
    };
    const Case cases[] = {
        {1033, Language::English, true},
        {2057, Language::English, true}, // en-GB
        {3081, Language::English, true}, // en-AU
        {0x09, Language::English, true}, // English, no sublanguage
        {1031, Language::German, false},
        {3079, Language::German, false}, // de-AT
        {2055, Language::German, false}, // de-CH
        {1036, Language::French, false},
        {3084, Language::French, false}, // fr-CA
        {3082, Language::Spanish, false},
        {2058, Language::Spanish, false}, // es-MX
        {1040, Language::Italian, false},
        {1046, Language::PortugueseBrazil, false},
        {2070, Language::PortuguesePortugal, false},
        {1066, Language::Vietnamese, false},
        {14337, Language::Arabic, false},   // ar-AE
        {2077, Language::Swedish, false},   // sv-FI
        {2068, Language::Norwegian, false}, // nn-NO: Bokmål's table
        {1043, Language::Dutch, false},
        {2067, Language::Dutch, false}, // nl-BE
        {1045, Language::Polish, false},
        {1049, Language::Russian, false},
        {1041, Language::Japanese, false},
        {2052, Language::ChineseSimplified, false},
        {4100, Language::ChineseSimplified, false},  // zh-SG
        {1028, Language::ChineseTraditional, false}, // zh-TW
        {3076, Language::ChineseTraditional, false}, // zh-HK
        {5124, Language::ChineseTraditional, false}, // zh-MO
        {4, Language::English, false},               // Chinese, no script
        {1050, Language::Croatian, false},
        {4122, Language::Croatian, false},     // hr-BA
        {9242, Language::SerbianLatin, false}, // sr-Latn-RS
        {2074, Language::SerbianLatin, false}, // sr-Latn-CS
        {10266, Language::English, false},     // sr-Cyrl-RS: no table
        {3098, Language::English, false},      // sr-Cyrl-CS
        {5146, Language::English, false},      // bs-Latn-BA: no table
        {1087, Language::Kazakh, false},
        {1106, Language::English, false}, // Welsh: no table
        {0, Language::English, false},    // neutral
        {0xFFFFFFFFu, Language::English, false},
    };
    for (const Case& c : cases) {
        const LanguageChoice choice = ChooseLanguage(c.langId);
        EXPECT_EQ(choice.language, c.language) << c.langId;
        EXPECT_EQ(choice.english, c.english) << c.langId;
    }
}

TEST(ChooseLanguage, EveryLanguageHasItsOwnLocaleName) {
    std::set<std::string_view> names;
    for (const Language language : kAllLanguages) {
        const std::string_view name = LocaleName(language);
        EXPECT_TRUE(name.size() == 5u || name == "sr-Latn-RS") << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), kLanguageCount);
    EXPECT_EQ(LocaleName(Language::German), "de-DE");
}

} // namespace
} // namespace tavlin
