#include "addin/catalogue/classic_menus.h"
#include "addin/core/connect.h"
#include "fixtures.h"
#include "xml_tree.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <variant>

namespace tavlin {
namespace {

constexpr std::string_view kSpacer = R"(<button id="sep00)";

// One pass of the catalogue on a fresh Connect, wrapped so it parses.
struct Pass {
    explicit Pass(std::int32_t pass) {
        for (const auto menu : ClassicMenus()) {
            text += ConnectTestSeam::WriteSteps(connect, menu, connect.counters(), pass);
        }
        root = test::ParseXml("<row>" + text + "</row>");
    }
    MemorySettingsStore store;
    Connect connect{store};
    std::string text;
    std::unique_ptr<test::XmlNode> root;
};

int Occurrences(std::string_view text, std::string_view what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
        ++n;
    }
    return n;
}

TEST(ClassicMenus, CountsPerMenu) {
    const struct {
        const char* label;
        int controls, separators, submenus, ownButtons;
    } expected[] = {
        {"File", 29, 10, 1, 0},  {"Edit", 14, 4, 0, 0},   {"View", 22, 5, 2, 0},
        {"Insert", 48, 9, 3, 0}, {"Format", 26, 5, 1, 0}, {"Tools", 66, 11, 7, 0},
        {"Table", 29, 6, 4, 0},  {"Windows", 7, 2, 0, 0}, {"Help", 3, 3, 0, 2},
    };
    for (std::int16_t pass : {1, 2}) {
        Pass p(pass);
        ASSERT_TRUE(p.root);
        std::vector<const test::XmlNode*> menus;
        for (const auto& c : p.root->children) {
            if (c->name == "menu") {
                menus.push_back(c.get());
            }
        }
        ASSERT_EQ(menus.size(), 9u);
        for (std::size_t i = 0; i < 9; ++i) {
            const auto& e = expected[i];
            EXPECT_EQ(menus[i]->Attr("label"), e.label);
            EXPECT_EQ(menus[i]->Count("control"), e.controls) << e.label;
            EXPECT_EQ(menus[i]->Count("menuSeparator"), e.separators) << e.label;
            EXPECT_EQ(menus[i]->Count("menu"), e.submenus) << e.label;
            EXPECT_EQ(menus[i]->Count("button"), e.ownButtons) << e.label;
        }
    }
}

TEST(ClassicMenus, PassOneIsTheRowWithASpacerAfterEachMenuButHelp) {
    Pass p(1);
    EXPECT_TRUE(p.text.starts_with(R"(<menu id="BR32341" label="File" tag = "BR32341">)"));
    EXPECT_TRUE(p.text.ends_with("</menu>"));
    EXPECT_EQ(Occurrences(p.text, R"(label=" " enabled="false"/>)"), 8);
    EXPECT_EQ(Occurrences(p.text, std::string("</menu>") + std::string(kSpacer)), 8);
    EXPECT_EQ(p.connect.counters(), (IdCounters{0, 8, 55, 27}));
    EXPECT_EQ(p.connect.MenuPass(), 1);
}

TEST(ClassicMenus, OtherPassesWriteNoSpacersAndPrefixTheOwnIds) {
    for (std::int16_t pass : {2, 3, 0, -1}) {
        Pass p(pass);
        EXPECT_EQ(p.text.find(kSpacer), std::string::npos) << pass;
        EXPECT_NE(p.text.find(R"(<button id="Alld24224025" label="Uninstall Tavlin")"),
                  std::string::npos);
        EXPECT_NE(p.text.find(R"(<button id="Alld242242" label="About Tavlin")"),
                  std::string::npos);
        EXPECT_EQ(p.connect.counters(), (IdCounters{0, 0, 55, 27}));
        EXPECT_EQ(p.connect.MenuPass(), pass);
    }
}

TEST(ClassicMenus, HelpMenuOwnButtons) {
    Pass p(1);
    const std::string help =
        R"(<menu id="BR323427" label="Help" tag = "BR323427">)"
        R"(<control idMso="Help" label="Microsoft Office Word Help"/>)"
        R"(<menuSeparator id="msep0053d"/>)"
        R"(<control idMso="ContactUs" label="Contact Us …"/>)"
        R"(<control idMso="CheckForUpdates" label="Check for Updates"/>)"
        R"(<menuSeparator id="msep0054d"/>)"
        R"(<button id="d24224025" label="Uninstall Tavlin" screentip="You can uninstall using this option." onAction="Uninstall0"/>)"
        R"(<menuSeparator id="msep0055d"/>)"
        R"(<button id="d242242" label="About Tavlin" onAction="ShowAbout0"/>)"
        "</menu>";
    EXPECT_TRUE(p.text.ends_with(help));
}

TEST(ClassicMenus, IdsInTheDefaultDocument) {
    test::Document d;
    const std::string doc = d.Build();
    for (
        const char* piece : {
            R"(<menu id="BR32342" label="File" tag = "BR32342"><control idMso="FileNew" label="New"/>)",
            R"(<control idMso="FileClose" label="Close"/><menuSeparator id="msep001d"/>)",
            R"(<menu id="BR323429" label="File" tag = "BR323429">)",
            R"(<control idMso="FileClose" label="Close"/><menuSeparator id="msep0056d"/>)",
            R"(<control idMso="FileExit" label="Exit Word"/></menu><button id="sep001" label=" " enabled="false"/><menu id="BR323431" label="Edit")",
            R"(<control idMso="Undo"/><control idMso="RedoOrRepeat"/>)",
            R"(<control idMso="FieldInsert" label="Field..."/>)",
        }) {
        EXPECT_NE(doc.find(piece), std::string::npos) << piece;
    }
    // All's own copy closes without a spacer: the row's File follows at once.
    EXPECT_NE(doc.find(R"(</menu></menu><menu id="BR323429" label="File")"), std::string::npos);
}

TEST(ClassicMenus, DuplicatesAreWrittenEveryTime) {
    Pass p(1);
    std::map<std::string, int> uses;
    std::function<void(const test::XmlNode&)> walk = [&](const test::XmlNode& n) {
        if (n.name == "control") {
            ++uses[n.Attr("idMso")];
        }
        for (const auto& c : n.children) {
            walk(*c);
        }
    };
    walk(*p.root);
    EXPECT_EQ(uses.size(), 235u);
    std::set<std::string> twice;
    for (const auto& [id, n] : uses) {
        EXPECT_LE(n, 2) << id;
        if (n == 2) {
            twice.insert(id);
        }
    }
    EXPECT_EQ(twice, (std::set<std::string>{"ColumnsDialog", "HyphenationMenu", "WatermarkGallery",
                                            "PageColorPicker", "HeaderInsertGallery",
                                            "FooterInsertGallery", "FileProperties",
                                            "ObjectEditDialog", "HeaderFooterPageNumberInsert"}));
}

TEST(ClassicMenus, TwoMenusCalledInsertHaveDifferentIds) {
    Pass p(1);
    std::set<std::string> ids;
    std::function<void(const test::XmlNode&)> walk = [&](const test::XmlNode& n) {
        if (n.name == "menu" && n.Attr("label") == "Insert") {
            ids.insert(n.Attr("id"));
            EXPECT_EQ(n.Attr("tag"), n.Attr("id"));
        }
        for (const auto& c : n.children) {
            walk(*c);
        }
    };
    walk(*p.root);
    EXPECT_EQ(ids.size(), 2u);
}

TEST(ClassicMenus, LabelsAreWrittenAsTheyStand) {
    Pass p(1);
    const std::string ellipsis = "\xE2\x80\xA6"; // U+2026
    EXPECT_EQ(Occurrences(p.text, "..."), 1) << "only Field... has three full stops";
    EXPECT_NE(p.text.find(R"(label="Save As )" + ellipsis + R"( Word 97 - 2003 Document")"),
              std::string::npos);
    for (const char* label : {"Hypernation",
                              "Adress Block"
                              "\xE2\x80\xA6",
                              "Sinchronous Scrolling", "Resert Window Position",
                              "Add a Digital Sinature", "Designe Mode",
                              "Update Table"
                              "\xE2\x80\xA6"}) {
        EXPECT_NE(p.text.find(std::string("label=\"") + label + "\""), std::string::npos) << label;
    }
    // Every menu and submenu has a label; nothing needs escaping.
    for (char c : {'&', '<', '>'}) {
        const auto root = test::ParseXml("<row>" + p.text + "</row>");
        ASSERT_TRUE(root);
        std::function<void(const test::XmlNode&)> walk = [&](const test::XmlNode& n) {
            for (const auto& [k, v] : n.attributes) {
                EXPECT_EQ(v.find(c), std::string::npos) << k << "=" << v;
            }
            for (const auto& child : n.children) {
                walk(*child);
            }
        };
        walk(*root);
    }
}

TEST(ClassicMenus, InsertMenuOpensWithSixControlsThenComments) {
    Pass p(1);
    const auto at = p.text.find(R"(label="Insert" tag)");
    ASSERT_NE(at, std::string::npos);
    const std::string insert = p.text.substr(at, 600);
    const auto comments = insert.find(R"(label="Comments")");
    ASSERT_NE(comments, std::string::npos);
    EXPECT_EQ(Occurrences(insert.substr(0, comments), "<control "), 6);
    EXPECT_EQ(insert.substr(0, comments).find("menuSeparator"), std::string::npos);
}

TEST(ClassicMenus, TheTableIsWhatIsWritten) {
    // The data the menus are built from: nine menus, each opening and
    // closing itself, with every submenu closed inside it.
    const auto menus = ClassicMenus();
    ASSERT_EQ(menus.size(), 9u);
    for (std::size_t i = 0; i < menus.size(); ++i) {
        const auto menu = menus[i];
        int depth = 0;
        for (const RibbonStep& s : menu) {
            depth += std::holds_alternative<step::BeginMenu>(s.action) ? 1
                     : std::holds_alternative<step::EndMenu>(s.action) ? -1
                                                                       : 0;
            EXPECT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0);
        EXPECT_TRUE(std::holds_alternative<step::BeginMenu>(menu.front().action));
        ASSERT_TRUE(std::holds_alternative<step::EndMenu>(menu.back().action));
        EXPECT_EQ(std::get<step::EndMenu>(menu.back().action).spacerInMenuRow, i + 1 < menus.size())
            << "every menu but Help ends with a spacer";
    }
}

} // namespace
} // namespace tavlin
