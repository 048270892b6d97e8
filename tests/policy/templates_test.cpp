// The administrative templates against the product's list of settings: one
// policy a key, each writing exactly what the add-in reads, and every text
// the template names defined in the language file of each of the product's
// languages. The schema itself is checked by xmllint (see CMakeLists.txt).
#include "common/language.h"
#include "common/policy.h"
#include "common/settings_store.h"

#include "tests/text_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tavlin {
namespace {

using test::ReadFile;

using Attributes = std::map<std::string, std::string>;

Attributes AttributesOf(const std::string& tag) {
    static const std::regex attribute(R"re(([A-Za-z:]+)\s*=\s*"([^"]*)")re");
    Attributes found;
    for (auto it = std::sregex_iterator(tag.begin(), tag.end(), attribute);
         it != std::sregex_iterator(); ++it) {
        EXPECT_TRUE(found.emplace((*it)[1].str(), (*it)[2].str()).second)
            << "attribute twice in " << tag;
    }
    return found;
}

struct Policy {
    Attributes attributes;
    std::string body;
};

std::vector<Policy> Policies(const std::string& admx) {
    // "<policy" followed by a blank: not policyDefinitions or policies.
    static const std::regex element(R"re(<policy\s([^>]*)>([\s\S]*?)</policy>)re");
    std::vector<Policy> policies;
    for (auto it = std::sregex_iterator(admx.begin(), admx.end(), element);
         it != std::sregex_iterator(); ++it) {
        policies.push_back({AttributesOf((*it)[1].str()), (*it)[2].str()});
    }
    return policies;
}

// What the language file defines, by id: each string's text, and the ids
// of its presentations.
std::map<std::string, std::string> Strings(const std::string& adml) {
    static const std::regex element(R"re(<string\s+id="([^"]*)"\s*>([\s\S]*?)</string>)re");
    std::map<std::string, std::string> strings;
    for (auto it = std::sregex_iterator(adml.begin(), adml.end(), element);
         it != std::sregex_iterator(); ++it) {
        EXPECT_TRUE(strings.emplace((*it)[1].str(), (*it)[2].str()).second)
            << "string id twice: " << (*it)[1];
    }
    return strings;
}

std::set<std::string> Ids(const std::string& text, const std::string& pattern) {
    const std::regex element(pattern);
    std::set<std::string> ids;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), element);
         it != std::sregex_iterator(); ++it) {
        ids.insert((*it)[1].str());
    }
    return ids;
}

bool IsPlainName(const std::string& name) {
    static const std::regex plain("[A-Za-z0-9_]+");
    return std::regex_match(name, plain);
}

const std::filesystem::path kPolicyDir = TAVLIN_POLICY_DIR;

std::filesystem::path LanguageFile(Language language) {
    return kPolicyDir / LocaleName(language) / "Tavlin.adml";
}

struct Templates : ::testing::Test {
    const std::string admx = ReadFile(kPolicyDir / "Tavlin.admx");
    const std::vector<Policy> policies = Policies(admx);
};

// The tests of a language file, for each of the product's languages.
struct LanguageFiles : ::testing::WithParamInterface<Language>, Templates {
    const std::string adml = ReadFile(LanguageFile(GetParam()));
    const std::map<std::string, std::string> strings = Strings(adml);
};
INSTANTIATE_TEST_SUITE_P(Each, LanguageFiles, ::testing::ValuesIn(kAllLanguages),
                         [](const auto& info) {
                             std::string name(LocaleName(info.param));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST_F(Templates, OnePolicyForEachSettingWritingWhatTheAddinReads) {
    std::vector<std::string> valueNames;
    for (const Policy& policy : policies) {
        const std::string& name = policy.attributes.at("name");
        valueNames.push_back(policy.attributes.at("valueName"));
        EXPECT_EQ(policy.attributes.at("key"), kPolicyKeyPath) << name;
        EXPECT_EQ(policy.attributes.at("class"), "Both") << name;
        static const std::regex enabled(
            R"re(<enabledValue>\s*<decimal\s+value="1"\s*/>\s*</enabledValue>)re");
        static const std::regex disabled(
            R"re(<disabledValue>\s*<decimal\s+value="0"\s*/>\s*</disabledValue>)re");
        EXPECT_TRUE(std::regex_search(policy.body, enabled)) << name << ": enabled is not 1";
        EXPECT_TRUE(std::regex_search(policy.body, disabled)) << name << ": disabled is not 0";
        EXPECT_EQ(policy.body.find("<elements"), std::string::npos)
            << name << ": an element would write another value";
    }
    // Key for key, as the product spells them, each once.
    std::vector<std::string> keys(kSettingsKeys.begin(), kSettingsKeys.end());
    std::sort(keys.begin(), keys.end());
    std::sort(valueNames.begin(), valueNames.end());
    EXPECT_EQ(valueNames, keys);
}

// Every folder beside the template is shipped as a language: exactly the
// product's languages have one.
TEST_F(Templates, ALanguageFolderForEachLanguageAndNoOther) {
    std::set<std::string> folders;
    for (const auto& entry : std::filesystem::directory_iterator(kPolicyDir)) {
        if (entry.is_directory()) {
            folders.insert(entry.path().filename().string());
        }
    }
    std::set<std::string> locales;
    for (Language language : kAllLanguages) {
        locales.emplace(LocaleName(language));
    }
    EXPECT_EQ(folders, locales);
}

TEST_F(Templates, PolicyNamesAndIdsAreLettersDigitsAndUnderscores) {
    std::set<std::string> names;
    for (const Policy& policy : policies) {
        const std::string& name = policy.attributes.at("name");
        EXPECT_TRUE(IsPlainName(name)) << name;
        EXPECT_TRUE(names.insert(name).second) << "policy name twice: " << name;
    }
    for (const std::string& id :
         Ids(admx, R"re(<(?:category|definition)\s[^>]*name="([^"]*)")re")) {
        EXPECT_TRUE(IsPlainName(id)) << id;
    }
}

TEST_P(LanguageFiles, IdsAreLettersDigitsAndUnderscores) {
    ASSERT_FALSE(strings.empty());
    for (const auto& [id, text] : strings) {
        EXPECT_TRUE(IsPlainName(id)) << id;
    }
    for (const std::string& id : Ids(adml, R"re(<presentation\s+id="([^"]*)")re")) {
        EXPECT_TRUE(IsPlainName(id)) << id;
    }
}

TEST_P(LanguageFiles, EveryReferenceIsDefinedAndEveryStringUsed) {
    const std::set<std::string> usedStrings = Ids(admx, R"re(\$\(string\.([^)]*)\))re");
    for (const std::string& id : usedStrings) {
        EXPECT_EQ(strings.count(id), 1u) << "$(string." << id << ") is not in the ADML";
    }
    for (const auto& [id, text] : strings) {
        EXPECT_EQ(usedStrings.count(id), 1u) << "string " << id << " is never used";
    }
    const std::set<std::string> presentations = Ids(adml, R"re(<presentation\s+id="([^"]*)")re");
    for (const std::string& id : Ids(admx, R"re(\$\(presentation\.([^)]*)\))re")) {
        EXPECT_EQ(presentations.count(id), 1u) << "$(presentation." << id << ") is not defined";
    }
    const std::set<std::string> categories = Ids(admx, R"re(<category\s[^>]*name="([^"]*)")re");
    const std::set<std::string> supported = Ids(admx, R"re(<definition\s[^>]*name="([^"]*)")re");
    for (const Policy& policy : policies) {
        const std::set<std::string> parents =
            Ids(policy.body, R"re(<parentCategory\s+ref="([^"]*)")re");
        ASSERT_EQ(parents.size(), 1u) << policy.attributes.at("name");
        EXPECT_EQ(categories.count(*parents.begin()), 1u) << *parents.begin();
        for (const std::string& ref : Ids(policy.body, R"re(<supportedOn\s+ref="([^"]*)")re")) {
            EXPECT_EQ(supported.count(ref), 1u) << ref;
        }
    }
}

// An administrator reading a tab policy learns that it needs the hide
// switch: its explanation names the switch's policy as the editor shows it.
TEST_P(LanguageFiles, EveryTabPolicySaysItActsOnlyWhileTabsAreHidden) {
    std::string hideSwitchTitle;
    for (const Policy& policy : policies) {
        if (policy.attributes.at("valueName") == kSettingsKeys.back()) {
            hideSwitchTitle = strings.at(policy.attributes.at("name"));
        }
    }
    ASSERT_FALSE(hideSwitchTitle.empty());
    // The eight between the first three keys and the hide switch.
    const std::set<std::string_view> tabKeys(kSettingsKeys.begin() + 3, kSettingsKeys.end() - 1);
    int tabPolicies = 0;
    for (const Policy& policy : policies) {
        if (tabKeys.count(policy.attributes.at("valueName")) == 0) {
            continue;
        }
        ++tabPolicies;
        const std::string& name = policy.attributes.at("name");
        const std::string& help = strings.at(name + "_Help");
        // The language file writes a quotation mark or apostrophe as is.
        EXPECT_NE(help.find(hideSwitchTitle), std::string::npos) << name << ": " << help;
    }
    EXPECT_EQ(tabPolicies, 8);
}

// A file copied from English and left so would pass every test above: each
// policy's title must be the language's own.
TEST_F(Templates, PolicyTitlesAreTranslated) {
    const std::map<std::string, std::string> english =
        Strings(ReadFile(LanguageFile(Language::English)));
    for (Language language : kAllLanguages) {
        if (language == Language::English) {
            continue;
        }
        const std::map<std::string, std::string> strings =
            Strings(ReadFile(LanguageFile(language)));
        for (const Policy& policy : policies) {
            const std::string& name = policy.attributes.at("name");
            ASSERT_EQ(strings.count(name), 1u) << LocaleName(language) << ": " << name;
            EXPECT_NE(strings.at(name), english.at(name)) << LocaleName(language) << ": " << name;
        }
    }
}

} // namespace
} // namespace tavlin
