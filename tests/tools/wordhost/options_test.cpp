#include "tools/wordhost/options.h"
#include "tools/wordhost/rounds.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace wordhost {
namespace {

std::optional<Options> Parse(std::initializer_list<std::wstring_view> arguments) {
    const std::vector<std::wstring_view> list(arguments);
    return ParseOptions(list);
}

TEST(WordhostOptions, StepsKeepTheirOrderAndKind) {
    const auto options =
        Parse({L"--click", L"ShowAbout0", L"--close-about", L"--click", L"Document0", L"--name",
               L"Microsoft Excel", L"--no-window", L"--tree"});
    ASSERT_TRUE(options);
    const std::vector<Step> expected{{Step::Kind::Click, L"ShowAbout0", 0, L""},
                                     {Step::Kind::CloseAbout, L"", 0, L""},
                                     {Step::Kind::Click, L"Document0", 0, L""}};
    EXPECT_EQ(options->steps, expected);
    EXPECT_EQ(options->hostName, L"Microsoft Excel");
    EXPECT_FALSE(options->hasWindow);
    EXPECT_TRUE(options->printOutline);
    EXPECT_FALSE(options->ribbonOutPath);
    EXPECT_EQ(options->rounds, 0);
}

TEST(WordhostOptions, Defaults) {
    const auto options = Parse({});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->hostName, L"Microsoft Word");
    EXPECT_TRUE(options->hasWindow);
    EXPECT_TRUE(options->steps.empty());
    EXPECT_FALSE(options->baselineProgId);
    EXPECT_EQ(options->uiLanguage, 1033u);
}

TEST(WordhostOptions, UiLanguage) {
    const struct {
        const wchar_t* value;
        std::optional<std::uint32_t> id;
        LanguageAnswer answer;
    } cases[] = {
        {L"1031", 1031, LanguageAnswer::Number},         {L"65535", 65535, LanguageAnswer::Number},
        {L"none", std::nullopt, LanguageAnswer::Number}, {L"text:1041", 1041, LanguageAnswer::Text},
        {L"error", 1033, LanguageAnswer::Error},
    };
    for (const auto& c : cases) {
        const auto options = Parse({L"--ui-language", c.value});
        ASSERT_TRUE(options) << c.value;
        EXPECT_EQ(options->uiLanguage, c.id) << c.value;
        EXPECT_EQ(options->uiLanguageAnswer, c.answer) << c.value;
    }
    for (const wchar_t* bad : {L"", L"-1", L"65536", L"99999", L"10x", L"None", L"text:",
                               L"text:none", L"text:error", L"text:text:1031"}) {
        EXPECT_FALSE(Parse({L"--ui-language", bad})) << bad;
    }
    EXPECT_FALSE(Parse({L"--ui-language"}));
}

TEST(WordhostOptions, TheAboutWindowsDpiKeysAndTheThreadsAwareness) {
    const auto options =
        Parse({L"--dpi-awareness", L"per-monitor", L"--click", L"ShowAbout0", L"--about-dpi",
               L"192", L"--about-keys", L"tTresf", L"--about-dpi", L"48"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->dpiAwareness, DpiAwareness::PerMonitor);
    const std::vector<Step> expected{{Step::Kind::Click, L"ShowAbout0", 0, L""},
                                     {Step::Kind::AboutDpi, L"", 192, L""},
                                     {Step::Kind::AboutKeys, L"", 0, L"tTresf"},
                                     {Step::Kind::AboutDpi, L"", 48, L""}};
    EXPECT_EQ(options->steps, expected);
    EXPECT_FALSE(Parse({})->dpiAwareness);
    for (const auto& [name, awareness] :
         {std::pair{L"unaware", DpiAwareness::Unaware}, std::pair{L"system", DpiAwareness::System},
          std::pair{L"per-monitor", DpiAwareness::PerMonitor}}) {
        EXPECT_EQ(Parse({L"--dpi-awareness", name})->dpiAwareness, awareness);
    }
}

TEST(WordhostOptions, NumbersAndTheBaseline) {
    const auto options = Parse({L"--repeat", L"100", L"--baseline", L"Floor.Connect",
                                L"--keep-open", L"6", L"--ribbon-out", L"C:\\r.xml"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->rounds, 100);
    EXPECT_EQ(options->baselineProgId, L"Floor.Connect");
    EXPECT_EQ(options->keepOpenSeconds, 6);
    EXPECT_EQ(options->ribbonOutPath, L"C:\\r.xml");
    EXPECT_EQ(Parse({L"--repeat", L"999999"})->rounds, 999999);
}

TEST(WordhostOptions, WhatMakesNoSenseIsRefused) {
    const std::initializer_list<std::wstring_view> refused[] = {
        {L"--click"},
        {L"--click", L""},
        {L"--name"},
        {L"--ribbon-out"},
        {L"--repeat", L"0"},
        {L"--repeat", L"-1"},
        {L"--repeat", L"1000000"},
        {L"--repeat", L" 5"},
        {L"--repeat", L""},
        {L"--keep-open", L"x"},
        {L"--baseline", L"Floor.Connect"},
        {L"--repeat", L"5", L"--baseline"},
        {L"--repeat", L"5", L"--baseline", L""},
        {L"--unknown"},
        {L"ShowAbout0"},
        {L"--about-dpi"},
        {L"--about-dpi", L"47"},
        {L"--about-dpi", L"961"},
        {L"--about-keys", L""},
        {L"--about-keys", L"tx"},
        {L"--dpi-awareness", L"per-monitor-v2"},
        {L"--dpi-awareness"},
    };
    for (const auto& arguments : refused) {
        std::wstring line;
        for (const auto argument : arguments) {
            line += std::wstring(argument) + L" ";
        }
        EXPECT_FALSE(Parse(arguments)) << std::string(line.begin(), line.end());
    }
}

TEST(WordhostOptions, SessionsSplitAtThen) {
    const std::vector<std::wstring_view> three{L"--ui-language", L"1031",   L"--click",
                                               L"ShowAbout0",    L"--then", L"--then-not",
                                               L"--then",        L"--tree"};
    // "--then-not" is an unknown option of the second session, not a
    // separator.
    EXPECT_FALSE(ParseSessions(three));
    const std::vector<std::wstring_view> two{L"--ui-language", L"1031",   L"--click",
                                             L"ShowAbout0",    L"--then", L"--tree"};
    const auto sessions = ParseSessions(two);
    ASSERT_TRUE(sessions);
    ASSERT_EQ(sessions->size(), 2u);
    EXPECT_EQ((*sessions)[0].uiLanguage, 1031u);
    EXPECT_EQ((*sessions)[0].steps.size(), 1u);
    EXPECT_FALSE((*sessions)[0].printOutline);
    EXPECT_EQ((*sessions)[1].uiLanguage, 1033u);
    EXPECT_TRUE((*sessions)[1].printOutline);
    EXPECT_EQ(ParseSessions(std::vector<std::wstring_view>{})->size(), 1u);
    const std::initializer_list<std::wstring_view> refused[] = {
        {L"--then"},
        {L"--then", L"--tree"},
        {L"--tree", L"--then"},
        {L"--tree", L"--then", L"--then", L"--tree"},
        {L"--name", L"--then", L"--tree"},
    };
    for (const auto& arguments : refused) {
        EXPECT_FALSE(ParseSessions(std::vector<std::wstring_view>(arguments)));
    }
}

TEST(Rounds, MedianOfOddAndEvenCountsInAnyOrder) {
    EXPECT_EQ(Median({}), 0);
    EXPECT_EQ(Median({4}), 4);
    EXPECT_EQ(Median({9, 1, 5}), 5);
    EXPECT_EQ(Median({8, 2, 4, 6}), 5);
    EXPECT_EQ(Median({1, 1, 100}), 1) << "one slow round does not move it";
}

} // namespace
} // namespace wordhost
