#include "fixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace tavlin {
namespace {

std::string Golden(const std::string& name) {
    std::ifstream file(std::string(TAVLIN_GOLDEN_DOCUMENTS) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Whole documents, byte for byte as Word has always received them: any
// change to a label, an id or the order of the content shows here.
TEST(GoldenDocuments, ByteForByte) {
    const struct {
        const char* file;
        std::initializer_list<std::pair<const char*, const char*>> settings;
    } cases[] = {
        {"default.xml", {}},
        {"all-off-left-off.xml", {{"All", "0"}, {"Left", "0"}}},
        {"some-tabs-hidden.xml",
         {{"Hide built-in tabs", "1"}, {"Home", "1"}, {"Review", "1"}, {"Developer", "1"}}},
    };
    // Every English Word, and a host that cannot tell its language, gets
    // the same bytes.
    const std::optional<std::uint32_t> englishIds[] = {std::nullopt, 1033, 2057, 3081, 4105};
    for (const auto& c : cases) {
        const std::string expected = Golden(c.file);
        ASSERT_FALSE(expected.empty()) << c.file;
        for (const auto id : englishIds) {
            test::Document d(c.settings);
            d.host.uiLanguage = id;
            EXPECT_TRUE(d.Build() == expected) << c.file << " differs for " << id.value_or(0);
        }
    }
}

} // namespace
} // namespace tavlin
