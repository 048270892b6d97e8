#include "control/texts.h"

#include "control/boxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tavlin::control {
namespace {

bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || at + length > text.size()) {
            return false;
        }
        for (std::size_t i = 1; i < length; ++i) {
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
                return false;
            }
        }
        at += length;
    }
    return true;
}

std::vector<int> Sorted(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

TEST(Texts, EveryLanguageHasEveryTextWithEnglishsPlaceholders) {
    for (const Language language : kAllLanguages) {
        int translated = 0;
        for (std::size_t k = 0; k < kTextCount; ++k) {
            const auto key = static_cast<Text>(k);
            const std::string_view text = TextOf(language, key);
            const std::string_view english = TextOf(Language::English, key);
            EXPECT_FALSE(text.empty()) << LocaleName(language) << " " << k;
            EXPECT_TRUE(IsUtf8(text)) << LocaleName(language) << " " << k;
            // Word order may move a placeholder, never drop or add one.
            EXPECT_EQ(Sorted(Placeholders(text)), Sorted(Placeholders(english)))
                << LocaleName(language) << " " << k << ": " << text;
            translated += text != english ? 1 : 0;
        }
        // A table copied from English and never translated.
        if (language != Language::English) {
            EXPECT_GT(translated, static_cast<int>(kTextCount) / 2) << LocaleName(language);
        }
    }
}

TEST(Texts, NoTwoBoxesShareACaptionInAnyLanguage) {
    for (const Language language : kAllLanguages) {
        std::set<std::string_view> captions;
        for (int i = 0; i < kBoxCount; ++i) {
            captions.insert(TextOf(language, BoxCaption(i)));
        }
        EXPECT_EQ(captions.size(), static_cast<std::size_t>(kBoxCount)) << LocaleName(language);
    }
    EXPECT_ANY_THROW(static_cast<void>(BoxCaption(-1)));
    EXPECT_ANY_THROW(static_cast<void>(BoxCaption(kBoxCount)));
}

TEST(Format, FillsEachNumberedPlaceholderAndLeavesOtherBracesAlone) {
    struct Case {
        std::string_view pattern;
        std::vector<std::string_view> arguments;
        std::string expected;
    };
    const Case cases[] = {
        {"", {"a"}, ""},
        {"no placeholder", {"a"}, "no placeholder"},
        {"{1} and {2}", {"a", "b"}, "a and b"},
        {"{2} before {1}", {"a", "b"}, "b before a"},
        {"{1}{1}", {"x"}, "xx"},
        {"{1} {3}", {"a", "b"}, "a {3}"},
        {"{0} {x} {1 {", {"a"}, "{0} {x} {1 {"},
        {"„{1}“", {"Ünï"}, "„Ünï“"},
        {"{1}", {"{2}", "no"}, "{2}"},
    };
    for (const Case& c : cases) {
        std::string text;
        switch (c.arguments.size()) {
        case 1:
            text = Format(c.pattern, {c.arguments[0]});
            break;
        default:
            text = Format(c.pattern, {c.arguments[0], c.arguments[1]});
            break;
        }
        EXPECT_EQ(text, c.expected) << c.pattern;
    }
    EXPECT_EQ(Placeholders("{2} x {1} {2} {0} {a}"), (std::vector<int>{2, 1, 2}));
}

} // namespace
} // namespace tavlin::control
