#include "addin/core/connect.h"
#include "common/convert.h"
#include "common/error.h"
#include "fixtures.h"
#include "xml_tree.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace tavlin {
namespace {

using test::Document;

constexpr std::string_view kRoot =
    R"(<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui" >)";
constexpr std::string_view kEnd = "</group ></tab></tabs></ribbon></customUI>";

ErrorCode FailureOf(Document& d) {
    try {
        (void)d.Build();
    } catch (const Error& e) {
        return e.code();
    }
    ADD_FAILURE() << "the document was built";
    return ErrorCode::Platform;
}

// The text right after the first marker, as long as the expected text.
std::string After(const std::string& doc, std::string_view marker, std::string_view expected) {
    const auto at = doc.find(marker);
    return at == std::string::npos ? std::string("(missing)")
                                   : doc.substr(at + marker.size(), expected.size());
}

#define EXPECT_AFTER(doc, marker, expected) EXPECT_EQ(After(doc, marker, expected), expected)

// The hide switch and all eight tab keys. The values go in the order the
// hidden total adds the tabs up, so a test can say where a rounding falls.
using TabValues = std::array<const char*, 8>;

Document HidingTabs(const char* hideSwitch, const TabValues& tabs) {
    return Document({{"Hide built-in Tabs", hideSwitch},
                     {"Home", tabs[0]},
                     {"Insert", tabs[1]},
                     {"Page Layout", tabs[2]},
                     {"References", tabs[3]},
                     {"Mailings", tabs[4]},
                     {"Review", tabs[5]},
                     {"View", tabs[6]},
                     {"Developer", tabs[7]}});
}

TabValues Every(const char* value) {
    return {value, value, value, value, value, value, value, value};
}

TEST(GetRibbonXML, DefaultDocumentFrame) {
    Document d;
    const std::string doc = d.Build();
    const std::string head =
        std::string(kRoot) +
        R"(<ribbon><tabs><tab id="Menus" label="Classic" insertBeforeMso="TabHome">)"
        R"(<group id="ToolsPanel" label="Tools panel">)"
        R"(<box id="boxNew1" boxStyle="horizontal">)"
        R"(<menu id="BR32341" label="All" tag = "BR32341">)"
        R"(<menu id="BR32342" label="File" tag = "BR32342">)";
    EXPECT_EQ(doc.substr(0, head.size()), head);
    EXPECT_TRUE(doc.ends_with(
        std::string(R"(<control idMso="Help" showLabel="false"/></buttonGroup></box>)") +
        std::string(kEnd)));
    EXPECT_EQ(doc.find('\n'), std::string::npos);
    EXPECT_EQ(doc, d.connect.RibbonXml());
}

TEST(GetRibbonXML, DefaultOutline) {
    Document d;
    const auto root = test::ParseXml(d.Build());
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "customUI");
    ASSERT_EQ(root->children.size(), 1u);
    const auto& ribbon = *root->children[0];
    EXPECT_FALSE(ribbon.Has("startFromScratch"));
    ASSERT_EQ(ribbon.children.size(), 1u);
    const auto& tabs = *ribbon.children[0];
    ASSERT_EQ(tabs.children.size(), 1u) << "no built-in tab is hidden by default";
    const auto& group = *tabs.children[0]->children.at(0);
    EXPECT_EQ(group.Attr("label"), "Tools panel");
    ASSERT_EQ(group.children.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(group.children[i]->name, "box");
        EXPECT_EQ(group.children[i]->Attr("id"), "boxNew" + std::to_string(i + 1));
        EXPECT_EQ(group.children[i]->Attr("boxStyle"), "horizontal");
    }
    // The menu row: "All", then File … Help with a spacer after all but Help.
    const auto& row = *group.children[0];
    std::string shape;
    for (const auto& c : row.children) {
        shape += c->name == "menu" ? c->Attr("label") + " " : "_ ";
    }
    EXPECT_EQ(shape, "All File _ Edit _ View _ Insert _ Format _ Tools _ Table _ Windows _ Help ");
    EXPECT_EQ(row.children[0]->children.size(), 9u) << "All holds the nine menus";
}

TEST(GetRibbonXML, HostMustBeWord) {
    for (const char* host : {"Microsoft Excel", "word", "WORD", "", "Wor d"}) {
        Document d({}, host);
        EXPECT_EQ(d.Build(), "") << host;
    }
    for (const char* host : {"Microsoft Word", "Word", "WordPad", "xWordx"}) {
        Document d({}, host);
        EXPECT_FALSE(d.Build().empty()) << host;
    }
}

TEST(GetRibbonXML, EmptyResultsLeaveTheLastDocumentAlone) {
    Document d;
    const std::string first = d.Build();
    d.store.SettingsWrite("Classic", "0");
    EXPECT_EQ(d.Build(), "");
    EXPECT_EQ(d.connect.RibbonXml(), first);
    test::FakeHost excel("Microsoft Excel");
    d.connect.SetHostApplication(&excel);
    EXPECT_EQ(d.Build(), "");
    EXPECT_EQ(d.connect.RibbonXml(), first);
}

TEST(GetRibbonXML, WithoutAHostItFailsAsAnUnsetObject) {
    MemorySettingsStore store;
    Connect connect(store);
    try {
        (void)connect.GetRibbonXML();
        FAIL() << "built without a host";
    } catch (const Error& e) {
        EXPECT_EQ(e.code(), ErrorCode::ObjectNotSet);
        EXPECT_EQ(e.description(), "Object variable not set");
    }
}

TEST(GetRibbonXML, TheSecondConnectionWins) {
    Document d;
    test::FakeHost excel("Microsoft Excel");
    d.connect.SetHostApplication(&excel);
    EXPECT_EQ(d.Build(), "");
    d.connect.SetHostApplication(nullptr);
    EXPECT_THROW((void)d.Build(), Error) << "disconnected";
}

TEST(GetRibbonXML, ClassicSwitch) {
    const struct {
        const char* value;
        bool built;
    } cases[] = {{"0", false},    {"1", true},   {"2", true},     {"-1", true},
                 {" 1", true},    {"1.5", true}, {"2.5", true},   {"0.5", false},
                 {"-0.5", false}, {"1e0", true}, {"0.49", false}, {"0e5", false}};
    for (const auto& c : cases) {
        Document d({{"Classic", c.value}});
        EXPECT_EQ(!d.Build().empty(), c.built) << "Classic=" << c.value;
        if (!c.built) {
            EXPECT_EQ(d.connect.SettingValue(), 0) << "the switch was read last";
        }
    }
}

TEST(GetRibbonXML, LeftPlacesTheTabBeforeHome) {
    const struct {
        const char* value;
        bool before;
    } cases[] = {{"1", true},  {" 1", true}, {"1e0", true}, {"0.5", false}, {"1.5", false},
                 {"0", false}, {"2", false}, {"-1", false}, {"1.4", true}};
    for (const auto& c : cases) {
        Document d({{"Left", c.value}});
        const std::string doc = d.Build();
        EXPECT_EQ(doc.find(R"(<tab id="Menus" label="Classic" insertBeforeMso="TabHome">)") !=
                      std::string::npos,
                  c.before)
            << "Left=" << c.value;
        EXPECT_EQ(doc.find(R"(<tab id="Menus" label="Classic">)") != std::string::npos, !c.before);
    }
}

TEST(GetRibbonXML, AllOffStartsTheRowWithFile) {
    Document d({{"All", "0"}});
    const std::string doc = d.Build();
    EXPECT_AFTER(doc, R"(<box id="boxNew1" boxStyle="horizontal">)",
                 std::string(R"(<menu id="BR32341" label="File" tag = "BR32341">)"));
    EXPECT_EQ(doc.find(R"(label="All")"), std::string::npos);
    for (const char* value : {"2", "-1", "0.5", "1.5"}) {
        Document other({{"All", value}});
        EXPECT_EQ(other.Build().find(R"(label="All")"), std::string::npos) << value;
    }
    Document on({{"All", "1.4"}});
    EXPECT_NE(on.Build().find(R"(label="All")"), std::string::npos);
}

TEST(GetRibbonXML, HidingSomeTabsWritesThemInTableOrder) {
    Document d({{"Hide built-in tabs", "1"}, {"View", "1"}, {"Home", "1"}});
    EXPECT_AFTER(
        d.Build(), "<ribbon><tabs>",
        std::string(
            R"(<tab idMso="TabHome" visible="false"/><tab idMso="TabView" visible="false"/>)"));
}

TEST(GetRibbonXML, EveryTabKeyMapsToItsTab) {
    const struct {
        const char* key;
        const char* idMso;
    } tabs[] = {{"Home", "TabHome"},
                {"Insert", "TabInsert"},
                {"page layout", "TabPageLayoutWord"},
                {"References", "TabReferences"},
                {"Mailings", "TabMailings"},
                {"REVIEW", "TabReviewWord"},
                {"View", "TabView"},
                {"Developer", "TabDeveloper"}};
    for (const auto& t : tabs) {
        Document d({{"Hide built-in Tabs", "1"}, {t.key, "1"}});
        EXPECT_AFTER(d.Build(), "<ribbon><tabs>",
                     std::string(R"(<tab idMso=")") + t.idMso + R"(" visible="false"/><tab id=)");
    }
}

TEST(GetRibbonXML, AllEightHiddenStartsFromScratch) {
    Document d = HidingTabs("1", Every("1"));
    const std::string doc = d.Build();
    EXPECT_AFTER(
        doc, kRoot,
        std::string(
            R"(<ribbon startFromScratch="true"><tabs><tab id="Menus" label="Classic" insertBeforeMso="TabHome">)"));
    EXPECT_EQ(doc.find("visible="), std::string::npos);
}

TEST(GetRibbonXML, TheHiddenTotalIsASumNotACountOfOnes) {
    // 2 + 1 + 1 + 1 + 1 + 1 + 1 + 0 = 8: a ribbon from scratch though one
    // tab is not set, and no per-tab element for the 2.
    Document d({{"Hide built-in Tabs", "1"},
                {"Home", "2"},
                {"Insert", "1"},
                {"Page Layout", "1"},
                {"References", "1"},
                {"Mailings", "1"},
                {"Review", "1"},
                {"View", "1"}});
    EXPECT_NE(d.Build().find(R"(<ribbon startFromScratch="true">)"), std::string::npos);

    // Halves: each step rounds the running total (0.5 -> 0, 1.5 -> 2, ...).
    Document halves = HidingTabs("1", {"1.5", "1.5", "1.5", "1.5", "0.5", "0.5", "0.5", "0.5"});
    // 1.5->2, 3.5->4, 5.5->6, 7.5->8, 8.5->8, 8.5->8, 8.5->8, 8.5->8
    EXPECT_NE(halves.Build().find(R"(<ribbon startFromScratch="true">)"), std::string::npos);

    // Eight "0.9": no tab is exactly 1, yet the rounded running total
    // reaches 8 (0.9 -> 1, 1.9 -> 2, ...): a ribbon from scratch.
    Document nines = HidingTabs("1", Every("0.9"));
    EXPECT_NE(nines.Build().find(R"(<ribbon startFromScratch="true">)"), std::string::npos);

    // Eight "0.4" round away to 0 at every step: nothing hidden.
    Document fours = HidingTabs("1", Every("0.4"));
    const std::string doc = fours.Build();
    EXPECT_AFTER(doc, kRoot, std::string("<ribbon><tabs><tab id="));
    EXPECT_EQ(doc.find("visible="), std::string::npos);
}

TEST(GetRibbonXML, TabKeysAreNumbersNotWholeNumbers) {
    Document d({{"Hide built-in Tabs", "1"},
                {"Home", " 1"},
                {"View", "1.0000001"},
                {"Insert", "1e0"},
                {"Mailings", "0.5"}});
    const std::string doc = d.Build();
    EXPECT_NE(doc.find(R"(<tab idMso="TabHome" visible="false"/>)"), std::string::npos);
    EXPECT_NE(doc.find(R"(<tab idMso="TabInsert" visible="false"/>)"), std::string::npos);
    EXPECT_EQ(doc.find("TabView"), std::string::npos) << "1.0000001 is not 1";
    EXPECT_EQ(doc.find("TabMailings"), std::string::npos);
}

TEST(GetRibbonXML, TheHideSwitchMustBeExactlyOne) {
    for (const char* value : {"0", "2", "-1", "0.5", "1.5"}) {
        Document d = HidingTabs(value, Every("1"));
        const std::string doc = d.Build();
        EXPECT_AFTER(doc, kRoot, std::string("<ribbon><tabs>")) << value;
        EXPECT_EQ(doc.find("visible="), std::string::npos) << value;
    }
    Document d({{"Hide built-in tabs", "1.4"}, {"Home", "1"}});
    EXPECT_NE(d.Build().find("TabHome"), std::string::npos) << "1.4 rounds to 1";
}

// A store whose values change while the document is built, as when the
// control program saves during Word's start: a second read of a key sees
// the new value.
class ChangingStore final : public SettingsStore {
public:
    std::string SettingsRead(std::string_view key, int defaultValue) const override {
        const int count = ++reads_[std::string(key)];
        const std::string value = values_.SettingsRead(key, defaultValue);
        return count == 1 ? value : "0";
    }
    void SettingsWrite(std::string_view key, std::string_view text) override {
        values_.SettingsWrite(key, text);
    }
    const std::map<std::string, int, KeyLess>& reads() const { return reads_; }

private:
    MemorySettingsStore values_;
    mutable std::map<std::string, int, KeyLess> reads_;
};

TEST(GetRibbonXML, EachKeyIsReadOnceSoTheDocumentAgreesWithItself) {
    ChangingStore store;
    store.SettingsWrite("Hide built-in Tabs", "1");
    store.SettingsWrite("Review", "1");
    store.SettingsWrite("View", "1");
    test::FakeHost host("Microsoft Word");
    Connect connect(store);
    connect.SetHostApplication(&host);
    const std::string doc(connect.GetRibbonXML());
    EXPECT_NE(doc.find(R"(<tab idMso="TabReviewWord" visible="false"/>)"), std::string::npos);
    EXPECT_NE(doc.find(R"(<tab idMso="TabView" visible="false"/>)"), std::string::npos);
    // Classic, the hide switch, eight tabs, Left and All.
    EXPECT_EQ(store.reads().size(), 12u);
    for (const auto& [key, count] : store.reads()) {
        EXPECT_EQ(count, 1) << key;
    }
}

TEST(GetRibbonXML, TabKeysAreNotReadWhileTheSwitchIsOff) {
    Document d({{"Home", "yes"}, {"View", ""}});
    EXPECT_NO_THROW((void)d.Build());
}

TEST(GetRibbonXML, BadValuesFailTheWholeCall) {
    const struct {
        const char* key;
        const char* value;
        ErrorCode code;
    } cases[] = {
        {"Classic", "yes", ErrorCode::TypeMismatch},
        {"Classic", "", ErrorCode::TypeMismatch},
        {"Classic", "99999999999", ErrorCode::Overflow},
        {"Left", "yes", ErrorCode::TypeMismatch},
        {"All", "", ErrorCode::TypeMismatch},
        {"All", "2147483648", ErrorCode::Overflow},
        {"Hide built-in Tabs", "1e10", ErrorCode::Overflow},
    };
    for (const auto& c : cases) {
        Document d({{c.key, c.value}});
        EXPECT_EQ(FailureOf(d), c.code) << c.key << "=" << c.value;
    }
    Document tab({{"Hide built-in tabs", "1"}, {"Review", "yes"}});
    EXPECT_EQ(FailureOf(tab), ErrorCode::TypeMismatch);
    Document huge({{"Hide built-in tabs", "1"}, {"Review", "1e300"}});
    EXPECT_EQ(FailureOf(huge), ErrorCode::Overflow) << "the total cannot hold it";
    Document beyond({{"Hide built-in tabs", "1"}, {"Review", "1e400"}});
    EXPECT_EQ(FailureOf(beyond), ErrorCode::Overflow);
}

TEST(GetRibbonXML, AFailureLeavesAPartialDocumentThatTheNextCallReplaces) {
    Document d({{"All", "yes"}});
    EXPECT_EQ(FailureOf(d), ErrorCode::TypeMismatch);
    EXPECT_TRUE(d.connect.RibbonXml().starts_with(kRoot));
    EXPECT_TRUE(d.connect.RibbonXml().ends_with(R"(<box id="boxNew1" boxStyle="horizontal">)"));

    d.store.SettingsWrite("All", "1");
    const std::string doc = d.Build();
    Document fresh;
    EXPECT_EQ(doc, fresh.Build());
}

TEST(GetRibbonXML, TwoCallsGiveTheSameDocumentBecauseCountersRestart) {
    Document d;
    const std::string first = d.Build();
    const IdCounters after = d.connect.counters();
    EXPECT_EQ(d.Build(), first);
    EXPECT_EQ(d.connect.counters(), after);
    EXPECT_EQ(after, (IdCounters{13, 17, 124, 61}));

    // Even after a failed call left the counters part-way.
    d.store.SettingsWrite("All", "x");
    EXPECT_EQ(FailureOf(d), ErrorCode::TypeMismatch);
    d.store.SettingsWrite("All", "1");
    EXPECT_EQ(d.Build(), first);
}

TEST(GetRibbonXML, CountersRestartEvenWhenNothingIsBuilt) {
    Document d({{"Classic", "0"}});
    (void)ConnectTestSeam::WriteSteps(d.connect, {}, {5, 5, 5, 5});
    EXPECT_EQ(d.Build(), "");
    EXPECT_EQ(d.connect.counters(), (IdCounters{}));
}

TEST(GetRibbonXML, MenuPassIsLeftAtOneAndNotReset) {
    Document d;
    EXPECT_EQ(d.connect.MenuPass(), 0);
    (void)d.Build();
    EXPECT_EQ(d.connect.MenuPass(), 1);
}

TEST(GetRibbonXML, GeneratedIdsAreUnique) {
    for (const char* all : {"0", "1"}) {
        Document d({{"All", all}});
        const auto root = test::ParseXml(d.Build());
        ASSERT_TRUE(root);
        std::set<std::string> ids;
        int count = 0;
        std::function<void(const test::XmlNode&)> walk = [&](const test::XmlNode& n) {
            if (n.Has("id")) {
                ++count;
                EXPECT_TRUE(ids.insert(n.Attr("id")).second) << "duplicate id " << n.Attr("id");
            }
            for (const auto& c : n.children) {
                walk(*c);
            }
        };
        walk(*root);
        EXPECT_GT(count, 100);
    }
}

} // namespace
} // namespace tavlin
