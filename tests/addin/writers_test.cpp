#include "addin/core/connect.h"
#include "common/error.h"
#include "fixtures.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace tavlin {
namespace {

using steps::Contents;
using steps::Item;
using steps::Separator;

RibbonStep Icon(std::string_view idMso, std::string_view screentip = {}) {
    return {step::IconButton{idMso, screentip}};
}
RibbonStep Menu(OwnText label = OwnText::None, std::string_view imageMso = {},
                OwnText screentip = OwnText::None) {
    return {step::BeginMenu{label, imageMso, screentip}};
}
RibbonStep OwnButton(std::string_view id, OwnText label = OwnText::None,
                     OwnText screentip = OwnText::None, std::string_view onAction = {}) {
    return {step::OwnButton{id, label, screentip, onAction}};
}
RibbonStep EndMenu(bool spacerInMenuRow) {
    return {step::EndMenu{spacerInMenuRow}};
}

// Each kind of step on a fresh document, and the exact text it writes.
TEST(Writers, EachStepWritesItsExactText) {
    constexpr RibbonStep kNested[] = {Item("Copy", "Copy"), Separator()};
    const struct Case {
        const char* what;
        std::vector<RibbonStep> steps;
        IdCounters start;
        std::int32_t pass;
        std::string_view text;
    } cases[] = {
        {"a built-in control writes only what it has",
         {Item("FileNew", "New"), Item("Undo", "")},
         {},
         1,
         R"(<control idMso="FileNew" label="New"/><control idMso="Undo"/>)"},
        {"generated buttons follow the fixed prefix",
         {Item("", "X")},
         {.ControlCounter = 2},
         1,
         R"(<button id="sep003" label="X"/>)"},
        {"numbers grow a digit without padding",
         {Item("", ""), Item("", "")},
         {.ControlCounter = 8},
         1,
         R"(<button id="sep009"/><button id="sep0010"/>)"},
        {"three writers share one button sequence",
         {Item("", ""), {step::GroupBreak{"x"}}, Item("FileOpen", ""), Icon("")},
         {},
         1,
         R"(<button id="sep001"/></buttonGroup><button id="sep002" label="x" enabled="false"/>)"
         R"(<buttonGroup id="btnGr001"><control idMso="FileOpen"/>)"
         R"(<button id="sep003" showLabel="false"/>)"},
        {"each kind of id counts on its own",
         {{step::GroupBreak{""}}, Separator(), Menu(OwnText::All)},
         {},
         1,
         R"(</buttonGroup><button id="sep001" label="" enabled="false"/><buttonGroup id="btnGr001">)"
         R"(<menuSeparator id="msep001d"/><menu id="BR32341" label="All" tag = "BR32341">)"},
        {"an icon button keeps its own attribute order",
         {Icon("Bold"), Icon("X", "Tip")},
         {},
         1,
         R"(<control idMso="Bold" showLabel="false"/>)"
         R"(<control idMso="X" screentip="Tip" showLabel="false"/>)"},
        {"combo boxes write the id even when empty",
         {{step::ComboBox{"Font"}}, {step::ComboBox{""}}},
         {},
         1,
         R"(<comboBox idMso="Font"/><comboBox idMso=""/>)"},
        {"a button group",
         {{step::BeginButtonGroup{}}, {step::EndButtonGroup{}}},
         {},
         1,
         R"(<buttonGroup id="btnGr001"></buttonGroup>)"},
        {"an icon menu and an empty one",
         {Menu(OwnText::None, "PageSetupDialog", OwnText::PageSetup), Menu()},
         {.MenuCounter = 55},
         1,
         R"(<menu id="BR323456" imageMso="PageSetupDialog" screentip="Page Setup…" tag = "BR323456">)"
         R"(<menu id="BR323457" tag = "BR323457">)"},
        {"a menu of the row ends with a spacer",
         {EndMenu(true), EndMenu(false)},
         {},
         1,
         R"(</menu><button id="sep001" label=" " enabled="false"/></menu>)"},
        {"no spacer in any other pass", {EndMenu(true)}, {}, 2, "</menu>"},
        {"no spacer before the first pass", {EndMenu(true)}, {}, 0, "</menu>"},
        {"no spacer in a negative pass", {EndMenu(true)}, {}, -1, "</menu>"},
        {"own buttons in the row keep their id",
         {OwnButton("d1"), OwnButton("d2", OwnText::AboutTavlin, OwnText::None, "Go")},
         {},
         1,
         R"(<button id="d1"/><button id="d2" label="About Tavlin" onAction="Go"/>)"},
        {"own buttons in the All copy take its prefix",
         {OwnButton("d1")},
         {},
         2,
         R"(<button id="Alld1"/>)"},
        {"literal text as it stands",
         {{step::Literal{"<box>"}}, {step::Literal{""}}},
         {},
         1,
         "<box>"},
        {"a nested table is written in place",
         {Item("Cut", ""), Contents(kNested), Contents({}), Separator()},
         {},
         1,
         R"(<control idMso="Cut"/><control idMso="Copy" label="Copy"/>)"
         R"(<menuSeparator id="msep001d"/><menuSeparator id="msep002d"/>)"},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        Connect connect(store);
        EXPECT_EQ(ConnectTestSeam::WriteSteps(connect, c.steps, c.start, c.pass), c.text) << c.what;
    }
}

// In a Word of another language, Word's own controls go without the
// captions and tips we would give them, so Word shows its own; our own
// elements speak the chosen language; generated buttons are ours.
TEST(Writers, AnotherLanguageLeavesWordItsOwnNames) {
    const struct Case {
        const char* what;
        std::vector<RibbonStep> steps;
        LanguageChoice language;
        std::string_view text;
    } cases[] = {
        {"a built-in control loses its caption",
         {Item("FileNew", "New"), Item("", "X")},
         {Language::German, false},
         R"(<control idMso="FileNew"/><button id="sep001" label="X"/>)"},
        {"an icon button loses its tip, a generated one keeps it",
         {Icon("X", "Tip"), Icon("", "Tip")},
         {Language::Japanese, false},
         R"(<control idMso="X" showLabel="false"/>)"
         R"(<button id="sep001" screentip="Tip" showLabel="false"/>)"},
        {"menus and own buttons speak the language",
         {Menu(OwnText::All), Menu(OwnText::None, "ZoomDialog", OwnText::Zoom),
          OwnButton("d1", OwnText::UninstallTavlin, OwnText::UninstallTip, "U")},
         {Language::German, false},
         R"(<menu id="BR32341" label="Alle" tag = "BR32341">)"
         R"(<menu id="BR32342" imageMso="ZoomDialog" screentip="Zoom…" tag = "BR32342">)"
         R"(<button id="d1" label="Tavlin deinstallieren")"
         R"( screentip="Mit dieser Option können Sie Tavlin deinstallieren." onAction="U"/>)"},
        {"a language without a table: English texts, Word's own names",
         {Item("FileNew", "New"), Menu(OwnText::MenuFile)},
         {Language::English, false},
         R"(<control idMso="FileNew"/><menu id="BR32341" label="File" tag = "BR32341">)"},
        {"English keeps every caption",
         {Item("FileNew", "New"), Icon("X", "Tip")},
         {Language::English, true},
         R"(<control idMso="FileNew" label="New"/>)"
         R"(<control idMso="X" screentip="Tip" showLabel="false"/>)"},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        Connect connect(store);
        ConnectTestSeam::ChooseTexts(connect, c.language);
        EXPECT_EQ(ConnectTestSeam::WriteSteps(connect, c.steps), c.text) << c.what;
    }
}

TEST(Writers, OnlyGeneratedIdsMoveTheirCounters) {
    MemorySettingsStore store;
    Connect connect(store);
    const RibbonStep none[] = {Item("FileNew", ""),
                               Icon("Bold"),
                               {step::ComboBox{"Font"}},
                               {step::EndButtonGroup{}},
                               EndMenu(false)};
    (void)ConnectTestSeam::WriteSteps(connect, none);
    EXPECT_EQ(connect.counters(), IdCounters{});
    const RibbonStep each[] = {{step::BeginButtonGroup{}}, Item("", ""), Icon(""), Separator(),
                               Menu(OwnText::MenuFile),    EndMenu(true)};
    (void)ConnectTestSeam::WriteSteps(connect, each, {10, 20, 30, 40});
    EXPECT_EQ(connect.counters(), (IdCounters{11, 23, 31, 41}));
}

TEST(Writers, ACounterAtItsLimitRaisesOverflowAndWritesNothing) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const IdCounters nearly{max - 1, max - 1, max - 1, max - 1};
    MemorySettingsStore store;
    Connect connect(store);
    const RibbonStep last[] = {{step::BeginButtonGroup{}}, Item("", ""), Separator(), Menu()};
    EXPECT_EQ(ConnectTestSeam::WriteSteps(connect, last, nearly),
              R"(<buttonGroup id="btnGr002147483647">)"
              R"(<button id="sep002147483647"/>)"
              R"(<menuSeparator id="msep002147483647d"/>)"
              R"(<menu id="BR32342147483647" tag = "BR32342147483647">)");

    const IdCounters full{max, max, max, max};
    const std::vector<std::vector<RibbonStep>> overflowing = {
        {{step::BeginButtonGroup{}}},
        {Item("", "")},
        {Icon("")},
        {Separator()},
        {Menu()},
        {EndMenu(true)},
        {{step::GroupBreak{" "}}},
    };
    for (const auto& steps : overflowing) {
        try {
            (void)ConnectTestSeam::WriteSteps(connect, steps, full);
            ADD_FAILURE() << "no overflow";
        } catch (const Error& e) {
            EXPECT_EQ(e.code(), ErrorCode::Overflow);
        }
        EXPECT_EQ(connect.counters(), full) << "no wrap to negative";
    }
    // The spacer after a menu and the group break fail after their closing
    // tag, never in the middle of an element.
    EXPECT_EQ(connect.RibbonXml(), "</buttonGroup>");
    const RibbonStep builtIn[] = {Item("FileNew", "")};
    EXPECT_EQ(ConnectTestSeam::WriteSteps(connect, builtIn, full), R"(<control idMso="FileNew"/>)")
        << "built-in controls need no number";
}

} // namespace
} // namespace tavlin
