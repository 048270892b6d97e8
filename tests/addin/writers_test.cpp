#include "addin/core/connect.h"
#include "common/error.h"
#include "fixtures.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavlin {
namespace {

// Each writer call on a fresh document, and the exact text it appends.
class Writers : public ::testing::Test {
protected:
    std::string Take() {
        std::string text = connect.RibbonXml();
        connect.ResetDocument();
        return text;
    }
    MemorySettingsStore store;
    Connect connect{store};
};

TEST_F(Writers, ControlWritesOnlyTheAttributesItIsGiven) {
    connect.AddControl("FileNew", "New", "", "", "");
    EXPECT_EQ(Take(), R"(<control idMso="FileNew" label="New"/>)");
    connect.AddControl("Undo", "", "", "", "");
    EXPECT_EQ(Take(), R"(<control idMso="Undo"/>)");
    connect.AddControl("A", "L", "Img", "Tip", "Act");
    EXPECT_EQ(Take(),
              R"(<control idMso="A" label="L" imageMso="Img" screentip="Tip" onAction="Act"/>)");
    EXPECT_EQ(connect.counters().ControlCounter, 0) << "a built-in control takes no number";
}

TEST_F(Writers, GeneratedButtonNumbersFollowTheFixedPrefix) {
    connect.SetCounters({.ControlCounter = 2});
    connect.AddControl("", "X", "", "", "");
    EXPECT_EQ(Take(), R"(<button id="sep003" label="X"/>)");
    connect.SetCounters({.ControlCounter = 8});
    connect.AddControl("", "", "", "", "");
    connect.AddControl("", "", "", "", "");
    EXPECT_EQ(Take(), R"(<button id="sep009"/><button id="sep0010"/>)");
    connect.SetCounters({.ControlCounter = 100});
    connect.AddDisabledLabel("x");
    EXPECT_EQ(Take(), R"(<button id="sep00101" label="x" enabled="false"/>)");
}

TEST_F(Writers, ThreeWritersShareOneButtonSequence) {
    connect.AddControl("", "", "", "", "");
    connect.AddDisabledLabel("x");
    connect.AddControl("FileOpen", "", "", "", "");
    connect.AddIconButton("", "", "", "");
    EXPECT_EQ(Take(), R"(<button id="sep001"/>)"
                      R"(<button id="sep002" label="x" enabled="false"/>)"
                      R"(<control idMso="FileOpen"/>)"
                      R"(<button id="sep003" showLabel="false"/>)");
}

TEST_F(Writers, EachKindOfIdCountsOnItsOwn) {
    connect.AddDisabledLabel("");
    connect.BeginButtonGroup();
    connect.AddMenuSeparator();
    connect.BeginMenu("All", "", "");
    EXPECT_EQ(Take(), R"(<button id="sep001" label="" enabled="false"/>)"
                      R"(<buttonGroup id="btnGr001">)"
                      R"(<menuSeparator id="msep001d"/>)"
                      R"(<menu id="BR32341" label="All" tag = "BR32341">)");
    EXPECT_EQ(connect.counters(), (IdCounters{1, 1, 1, 1}));
}

TEST_F(Writers, IconButtonAndControlKeepTheirOwnAttributeOrders) {
    connect.AddIconButton("Bold", "", "", "");
    EXPECT_EQ(Take(), R"(<control idMso="Bold" showLabel="false"/>)");
    connect.AddIconButton("X", "Tip", "Img", "Act");
    EXPECT_EQ(
        Take(),
        R"(<control idMso="X" screentip="Tip" imageMso="Img" onAction="Act" showLabel="false"/>)");
    connect.AddControl("X", "", "Img", "Tip", "");
    EXPECT_EQ(Take(), R"(<control idMso="X" imageMso="Img" screentip="Tip"/>)");
}

TEST_F(Writers, ComboBoxAndGroupsAndMenus) {
    connect.AddComboBox("Font");
    connect.AddComboBox("");
    EXPECT_EQ(Take(), R"(<comboBox idMso="Font"/><comboBox idMso=""/>)");
    connect.BeginButtonGroup();
    connect.EndButtonGroup();
    EXPECT_EQ(Take(), R"(<buttonGroup id="btnGr001"></buttonGroup>)");
    connect.SetCounters({.MenuCounter = 55});
    connect.BeginMenu("", "PageSetupDialog", "Page Setup…");
    EXPECT_EQ(
        Take(),
        R"(<menu id="BR323456" imageMso="PageSetupDialog" screentip="Page Setup…" tag = "BR323456">)");
    connect.BeginMenu("", "", "");
    EXPECT_EQ(Take(), R"(<menu id="BR323457" tag = "BR323457">)");
}

TEST_F(Writers, EndMenuAddsASpacerOnlyInPassOneAndOnlyWhenAsked) {
    connect.SetMenuPass(1);
    connect.EndMenu(true);
    EXPECT_EQ(Take(), R"(</menu><button id="sep001" label=" " enabled="false"/>)");
    connect.EndMenu(false);
    EXPECT_EQ(Take(), "</menu>");
    for (int pass : {0, 2, 3, -1}) {
        connect.SetMenuPass(pass);
        connect.EndMenu(true);
        EXPECT_EQ(Take(), "</menu>") << "pass " << pass;
    }
    EXPECT_EQ(connect.counters().ControlCounter, 1);
}

TEST_F(Writers, ACounterAtItsLimitRaisesOverflowAndWritesNothing) {
    constexpr std::int32_t max = std::numeric_limits<std::int32_t>::max();
    connect.SetCounters({max - 1, max - 1, max - 1, max - 1});
    connect.BeginButtonGroup();
    connect.AddDisabledLabel("");
    connect.AddMenuSeparator();
    connect.BeginMenu("", "", "");
    EXPECT_EQ(Take(), R"(<buttonGroup id="btnGr002147483647">)"
                      R"(<button id="sep002147483647" label="" enabled="false"/>)"
                      R"(<menuSeparator id="msep002147483647d"/>)"
                      R"(<menu id="BR32342147483647" tag = "BR32342147483647">)");
    const auto overflows = [&](auto write) {
        try {
            write();
        } catch (const Error& e) {
            return e.code() == ErrorCode::Overflow;
        }
        return false;
    };
    EXPECT_TRUE(overflows([&] { connect.BeginButtonGroup(); }));
    EXPECT_TRUE(overflows([&] { connect.AddDisabledLabel(""); }));
    EXPECT_TRUE(overflows([&] { connect.AddControl("", "", "", "", ""); }));
    EXPECT_TRUE(overflows([&] { connect.AddIconButton("", "", "", ""); }));
    EXPECT_TRUE(overflows([&] { connect.AddMenuSeparator(); }));
    EXPECT_TRUE(overflows([&] { connect.BeginMenu("", "", ""); }));
    EXPECT_EQ(connect.RibbonXml(), "") << "nothing half-written before the overflow";
    EXPECT_EQ(connect.counters(), (IdCounters{max, max, max, max})) << "no wrap to negative";
    connect.AddControl("FileNew", "", "", "", "");
    EXPECT_EQ(Take(), R"(<control idMso="FileNew"/>)") << "built-in controls need no number";
}

} // namespace
} // namespace tavlin
