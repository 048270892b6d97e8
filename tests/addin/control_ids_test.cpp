// Word drops a control whose idMso it does not know, silently unless the
// user has asked to see add-in UI errors, so a misspelt id is a missing menu
// entry that no other test notices. Every built-in id the add-in can name
// must be in each of Microsoft's published Word control lists.
#include "fixtures.h"
#include "xml_tree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>

namespace tavlin {
namespace {

using test::Document;

std::set<std::string> ReadIdList(const std::string& path) {
    std::ifstream in(path);
    std::set<std::string> ids;
    std::string line;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        if (tab != 0 && tab != std::string::npos) {
            ids.insert(line.substr(0, tab));
        }
    }
    return ids;
}

void CollectBuiltInIds(const test::XmlNode& node, std::map<std::string, std::string>& ids) {
    for (const auto& [key, value] : node.attributes) {
        // idMso, imageMso, insertBeforeMso: all name Word's own controls.
        if (key.ends_with("Mso")) {
            ids.emplace(value, key);
        }
    }
    for (const auto& child : node.children) {
        CollectBuiltInIds(*child, ids);
    }
}

// Every document part switched on: the "All" menu, both rows, and each
// built-in tab hidden in turn (all eight at once would start from scratch
// and write no tab at all).
std::map<std::string, std::string> EveryBuiltInId() {
    std::map<std::string, std::string> ids;
    for (const char* tab : {"Home", "Insert", "Page Layout", "References", "Mailings", "Review",
                            "View", "Developer"}) {
        Document d({{"All", "1"}, {"Left", "1"}, {"Hide built-in tabs", "1"}, {tab, "1"}});
        const auto root = test::ParseXml(d.Build());
        if (!root) {
            ADD_FAILURE() << "no document with " << tab << " hidden";
            return {};
        }
        CollectBuiltInIds(*root, ids);
    }
    return ids;
}

TEST(ControlIds, EveryIdIsKnownToEveryWord) {
    const auto ids = EveryBuiltInId();
    ASSERT_GT(ids.size(), 200u) << "the documents should name several hundred built-in controls";
    ASSERT_EQ(ids.count("TabDeveloper"), 1u);
    for (const char* list : {"word-office-2013.tsv", "word-office-2016.tsv", "word-office-2019.tsv",
                             "word-microsoft-365-current-channel.tsv"}) {
        const auto known = ReadIdList(std::string(TAVLIN_OFFICE_IDS) + "/" + list);
        ASSERT_GT(known.size(), 2000u) << list << " is missing or truncated";
        for (const auto& [id, attribute] : ids) {
            EXPECT_EQ(known.count(id), 1u) << attribute << "=\"" << id << "\" is not in " << list;
        }
    }
}

TEST(ControlIds, MendedSpellingsKeepTheirLabels) {
    Document d({{"All", "1"}});
    const std::string doc = d.Build();
    for (const char* entry : {R"(idMso="HyphenationMenu" label="Hypernation")",
                              R"(idMso="MailMergeAddressBlockInsert" label="Adress Block…")",
                              R"(idMso="DesignMode" label="Designe Mode")"}) {
        EXPECT_NE(doc.find(entry), std::string::npos) << entry;
    }
}

} // namespace
} // namespace tavlin
