#include "addin/core/connect.h"
#include "addin/toolbars/toolbar_rows.h"
#include "fixtures.h"
#include "xml_tree.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace tavlin {
namespace {

// A row written on its own, from given counters.
struct Row {
    Row(std::span<const RibbonStep> row, IdCounters start) {
        text = ConnectTestSeam::WriteSteps(connect, row, start);
        grown = {connect.counters().ButtonGroupCounter - start.ButtonGroupCounter,
                 connect.counters().ControlCounter - start.ControlCounter,
                 connect.counters().MenuSeparatorCounter - start.MenuSeparatorCounter,
                 connect.counters().MenuCounter - start.MenuCounter};
        root = test::ParseXml(text);
    }
    MemorySettingsStore store;
    Connect connect{store};
    std::string text;
    IdCounters grown;
    std::unique_ptr<test::XmlNode> root;
};

std::string BoxOf(const std::string& doc, const char* id) {
    const auto start = doc.find(std::string(R"(<box id=")") + id);
    const auto end = doc.find("</box>", start);
    return doc.substr(start, end + 6 - start);
}

TEST(StandardToolbar, ExampleTextsOfTheDefaultDocument) {
    test::Document d;
    const std::string box = BoxOf(d.Build(), "boxNew2");
    EXPECT_TRUE(box.starts_with(
        R"(<box id="boxNew2" boxStyle="horizontal"><buttonGroup id="btnGr001"><control idMso="FileNew" showLabel="false"/>)"));
    EXPECT_NE(
        box.find(
            R"(<control idMso="FileSaveAsWord97_2003" screentip="Save as …  Word 97-2003 WorkBook" showLabel="false"/>)"
            R"(</buttonGroup><button id="sep009" label="  " enabled="false"/><buttonGroup id="btnGr002">)"
            R"(<control idMso="FilePermission" showLabel="false"/></buttonGroup>)"),
        std::string::npos);
    EXPECT_NE(
        box.find(
            R"(<menu id="BR323456" imageMso="PageSetupDialog" screentip="Page Setup…" tag = "BR323456">)"
            R"(<control idMso="PageSetupDialog" label="Page Setup…"/><menuSeparator id="msep00111d"/>)"),
        std::string::npos);
    EXPECT_TRUE(box.ends_with("</menu></buttonGroup></box>"));
    EXPECT_NE(
        box.find(
            R"(<control idMso="DocumentMapReadingView" screentip="Document map" showLabel="false"/>)"),
        std::string::npos);
    EXPECT_NE(box.find(R"(<control idMso="ZoomCurrent100" label="1"/>)"), std::string::npos);
}

TEST(StandardToolbar, AllOffChangesOnlyMenuAndSeparatorNumbers) {
    test::Document on;
    test::Document off({{"All", "0"}});
    const std::string a = BoxOf(on.Build(), "boxNew2");
    const std::string b = BoxOf(off.Build(), "boxNew2");
    EXPECT_NE(b.find(R"(<menu id="BR323428" imageMso="PageSetupDialog")"), std::string::npos);
    EXPECT_NE(b.find(R"(<menuSeparator id="msep0056d"/>)"), std::string::npos);
    const std::regex numbers(R"((BR3234|msep00)\d+)");
    EXPECT_NE(a, b);
    EXPECT_EQ(std::regex_replace(a, numbers, "$1N"), std::regex_replace(b, numbers, "$1N"));
}

TEST(StandardToolbar, Shape) {
    Row row(StandardToolbar(), {0, 8, 0, 0});
    ASSERT_TRUE(row.root);
    EXPECT_EQ(row.grown, (IdCounters{9, 7, 14, 6}));
    EXPECT_EQ(row.root->Count("buttonGroup"), 9);
    EXPECT_EQ(row.root->Count("menu"), 6);
    EXPECT_EQ(row.root->Count("menuSeparator"), 14);

    // Direct children: groups and spacers, the spacer missing only between
    // groups 3 and 4.
    std::string shape;
    for (const auto& c : row.root->children) {
        if (c->name == "buttonGroup") {
            shape += c->Attr("id").substr(7) + " ";
        } else {
            EXPECT_EQ(c->name, "button");
            EXPECT_EQ(c->Attr("label"), "  ");
            EXPECT_EQ(c->Attr("enabled"), "false");
            shape += c->Attr("id") + " ";
        }
    }
    EXPECT_EQ(shape, "1 sep009 2 sep0010 3 4 sep0011 5 sep0012 6 sep0013 7 sep0014 8 sep0015 9 ");

    int icons = 0;
    int entries = 0;
    for (const auto& g : row.root->children) {
        for (const auto& c : g->children) {
            if (c->name == "control") {
                ++icons;
                EXPECT_EQ(c->Attr("showLabel"), "false");
                EXPECT_FALSE(c->Has("label"));
            } else if (c->name == "menu") {
                EXPECT_FALSE(c->Has("label"));
                EXPECT_EQ(c->Attr("tag"), c->Attr("id"));
                // Each icon menu shows one of its own entries' images.
                bool ownImage = false;
                for (const auto& e : c->children) {
                    if (e->name == "control") {
                        ++entries;
                        ownImage |= e->Attr("idMso") == c->Attr("imageMso");
                        EXPECT_FALSE(e->Has("showLabel"));
                    }
                }
                EXPECT_TRUE(ownImage) << c->Attr("screentip");
            }
        }
    }
    EXPECT_EQ(icons, 22);
    EXPECT_EQ(entries, 72);
    EXPECT_EQ(row.text.find("onAction"), std::string::npos);
}

TEST(StandardToolbar, SameCountersSameText) {
    Row a(StandardToolbar(), {3, 4, 5, 6});
    Row b(StandardToolbar(), {3, 4, 5, 6});
    EXPECT_EQ(a.text, b.text);
}

TEST(FormattingToolbar, ExampleTextsAndShape) {
    Row row(FormattingToolbar(), {9, 15, 0, 0});
    ASSERT_TRUE(row.root);
    EXPECT_TRUE(row.text.starts_with(
        R"(<box id="boxNew3" boxStyle="horizontal"><control idMso="StylesPane" showLabel="false"/>)"
        R"(<comboBox idMso="StyleGalleryClassic"/><comboBox idMso="Font"/><comboBox idMso="FontSize"/>)"
        R"(<buttonGroup id="btnGr0010"><control idMso="Bold" showLabel="false"/>)"));
    EXPECT_NE(
        row.text.find(
            R"(<control idMso="ChangeCaseGallery" showLabel="false"/></buttonGroup><buttonGroup id="btnGr0011">)"
            R"(<control idMso="AlignLeft" showLabel="false"/><control idMso="AlignJustify" showLabel="false"/>)"
            R"(<control idMso="AlignCenter" showLabel="false"/><control idMso="LineSpacingMenu" showLabel="false"/>)"
            R"(</buttonGroup><button id="sep0016" label=" " enabled="false"/><buttonGroup id="btnGr0012">)"),
        std::string::npos);
    EXPECT_TRUE(row.text.ends_with(
        R"(<button id="sep0017" label=" " enabled="false"/><buttonGroup id="btnGr0013">)"
        R"(<control idMso="TextHighlightColorPicker" showLabel="false"/><control idMso="FontColorPicker" showLabel="false"/>)"
        R"(<control idMso="QuickStylesGallery" showLabel="false"/><control idMso="ClearFormatting" showLabel="false"/>)"
        R"(<control idMso="Help" showLabel="false"/></buttonGroup></box>)"));
    EXPECT_EQ(row.grown, (IdCounters{4, 2, 0, 0}));
    EXPECT_EQ(row.root->Count("control"), 20);
    EXPECT_EQ(row.root->Count("comboBox"), 3);
    EXPECT_EQ(row.root->Count("buttonGroup"), 4);
    EXPECT_EQ(row.text.find("AlignRight"), std::string::npos);
    EXPECT_EQ(row.text.find("label=\"  \""), std::string::npos) << "one-blank spacers here";
}

TEST(FormattingToolbar, IsTheSameInEveryDocument) {
    const auto box = [](std::initializer_list<std::pair<const char*, const char*>> s) {
        test::Document d(s);
        return BoxOf(d.Build(), "boxNew3");
    };
    const std::string reference = box({});
    EXPECT_EQ(box({{"All", "0"}}), reference);
    EXPECT_EQ(box({{"Left", "0"}, {"Hide built-in tabs", "1"}, {"Home", "1"}}), reference);
}

} // namespace
} // namespace tavlin
