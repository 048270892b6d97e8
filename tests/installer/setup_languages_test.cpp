// The setup program's languages against the product's: each NSIS language
// the script inserts (languages.nsh, made from po/languages.txt), by the
// Windows language id of NSIS's own language file, must be one of Tavlin's
// languages, and every one of them must be there, so that a language added
// to the product without the setup program (or the other way round) is
// caught here.
#include "common/language.h"

#include "tests/text_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace tavlin {
namespace {

using test::ReadFile;

// The language id an NSIS language file declares on the line after its
// "# Language ID" comment.
std::uint32_t NsisLanguageId(const std::string& name) {
    const std::string nlf =
        ReadFile(std::filesystem::path(TAVLIN_NSIS_LANGUAGE_FILES) / (name + ".nlf"));
    static const std::regex id(R"re(# Language ID\r?\n(\d+))re");
    std::smatch match;
    if (!std::regex_search(nlf, match, id)) {
        ADD_FAILURE() << name << ".nlf declares no language id";
        return 0;
    }
    return static_cast<std::uint32_t>(std::stoul(match[1].str()));
}

TEST(SetupLanguages, EachOfTheProductsLanguagesOnce) {
    const std::string nsi = ReadFile(TAVLIN_SETUP_LANGUAGES);
    static const std::regex inserted(R"re(\n!insertmacro TAVLIN_LANGUAGE (\w+))re");
    std::map<Language, std::string> chosen;
    for (auto it = std::sregex_iterator(nsi.begin(), nsi.end(), inserted);
         it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1].str();
        const LanguageChoice choice = ChooseLanguage(NsisLanguageId(name));
        if (choice.language == Language::English && !choice.english) {
            ADD_FAILURE() << name << " is not one of the product's languages";
            continue;
        }
        const auto [at, added] = chosen.emplace(choice.language, name);
        EXPECT_TRUE(added) << name << " and " << at->second << " are one language";
    }
    // NSIS has no language file for Kazakh: its users get English pages.
    for (Language language : kAllLanguages) {
        const std::size_t want = language == Language::Kazakh ? 0u : 1u;
        EXPECT_EQ(chosen.count(language), want) << LocaleName(language);
    }
}

} // namespace
} // namespace tavlin
