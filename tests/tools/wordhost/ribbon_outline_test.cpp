#include "tools/wordhost/ribbon_outline.h"

#include "tests/addin/fixtures.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace wordhost {
namespace {

TEST(RibbonOutline, ShowsTabsRowsMenusAndEntriesAsWordLabelsThem) {
    const std::string document =
        R"(<customUI xmlns="x" ><ribbon><tabs><tab idMso="TabHome" visible="false"/>)"
        R"(<tab id="Menus" label="Classic" insertBeforeMso="TabHome"><group id="G" label="Tools panel">)"
        R"(<box id="b1" boxStyle="horizontal"><menu id="m" label="File" tag = "t">)"
        R"(<control idMso="FileNew" label="New"/><menuSeparator id="s"/><control idMso="Undo"/>)"
        R"(<button id="a" label="About Tavlin" onAction="ShowAbout0"/></menu>)"
        R"(<button id="sp" label="  " enabled="false"/></box>)"
        R"(<box id="b2" boxStyle="horizontal"><buttonGroup id="g"><control idMso="FileSave" showLabel="false"/>)"
        R"(<control idMso="X" screentip="Tip" showLabel="false"/></buttonGroup>)"
        R"(<menu id="p" imageMso="PageSetupDialog" screentip="Page Setup"/><comboBox idMso="Font"/>)"
        R"(</box></group ></tab></tabs></ribbon></customUI>)";
    EXPECT_EQ(RibbonOutline(document), "Hidden tab TabHome\n"
                                       "Tab \"Classic\" (before TabHome)\n"
                                       "  Group \"Tools panel\"\n"
                                       "    Row 1\n"
                                       "      Menu \"File\"\n"
                                       "        New\n"
                                       "        ----\n"
                                       "        [Undo]\n"
                                       "        About Tavlin -> ShowAbout0\n"
                                       "      (space)\n"
                                       "    Row 2\n"
                                       "      Buttons\n"
                                       "        [FileSave]\n"
                                       "        [X] \"Tip\"\n"
                                       "      Menu [PageSetupDialog] \"Page Setup\"\n"
                                       "      Combo box [Font]\n");
    EXPECT_EQ(RibbonOutline(""), "");
    EXPECT_EQ(RibbonOutline(R"(<customUI xmlns="x"><ribbon startFromScratch="true"/></customUI>)"),
              "Ribbon from scratch\n");
}

TEST(RibbonOutline, RefusesBrokenDocuments) {
    for (const char* broken : {"<customUI>", "<a></b>", "</a>", "<a x=1/>", "<a x></a>",
                               "<a x=\"1/>", "<", "<a/></a>"}) {
        EXPECT_THROW((void)RibbonOutline(broken), std::runtime_error) << broken;
    }
}

TEST(RibbonOutline, TheAddinsDocumentHasEveryMenuAndCallback) {
    tavlin::test::Document defaults;
    const std::string document = defaults.Build();
    const std::string outline = RibbonOutline(document);
    for (const char* line :
         {"Tab \"Classic\" (before TabHome)\n", "    Row 1\n", "    Row 3\n",
          "      Menu \"All\"\n", "        Menu \"File\"\n", "      Menu \"Help\"\n",
          "About Tavlin -> ShowAbout0\n", "Uninstall Tavlin -> Uninstall0\n"}) {
        EXPECT_NE(outline.find(line), std::string::npos) << line;
    }
    // One outline line per separator the document holds.
    std::size_t separators = 0;
    std::size_t separatorLines = 0;
    for (std::size_t at = 0; (at = document.find("<menuSeparator", at)) != std::string::npos;
         ++at) {
        ++separators;
    }
    for (std::size_t at = 0; (at = outline.find("----\n", at)) != std::string::npos; ++at) {
        ++separatorLines;
    }
    EXPECT_EQ(separatorLines, separators);
}

TEST(ControlForAction, FindsTheFirstElementNamingTheCallback) {
    const std::string document =
        R"(<a><button id="x" onAction="Other"/><button id="d24" onAction="Uninstall0"/>)"
        R"(<button id="e" onAction="Uninstall0"/></a>)";
    EXPECT_EQ(ControlForAction(document, "Uninstall0"), "d24");
    EXPECT_EQ(ControlForAction(document, "ShowAbout0"), std::nullopt);
    EXPECT_EQ(ControlForAction("", "ShowAbout0"), std::nullopt);
}

} // namespace
} // namespace wordhost
