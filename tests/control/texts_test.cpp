#include "control/texts.h"

#include "control/boxes.h"

#include "tests/text_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tavlin::control {
namespace {

using test::IsUtf8;

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
