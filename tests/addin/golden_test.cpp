#include "fixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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
    for (const auto& c : cases) {
        test::Document d(c.settings);
        const std::string expected = Golden(c.file);
        ASSERT_FALSE(expected.empty()) << c.file;
        EXPECT_TRUE(d.Build() == expected) << c.file << " differs";
    }
}

} // namespace
} // namespace tavlin
