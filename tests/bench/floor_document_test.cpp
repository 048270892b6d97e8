#include "bench/floor_addin/floor_document.h"
#include "common/utf16_length.h"
#include "tests/addin/fixtures.h"
#include "tests/addin/xml_tree.h"

#include <gtest/gtest.h>

#include <string>

namespace floor_addin {
namespace {

TEST(FloorDocument, AsLongAsTavlinsDefaultDocumentAndWellFormed) {
    tavlin::test::Document tavlin;
    EXPECT_EQ(kDocumentLength, tavlin::Utf16Length(tavlin.Build()))
        << "the floor add-in must answer as much text as Tavlin does";

    const std::wstring_view floor(kDocument.data(), kDocumentLength);
    EXPECT_EQ(kDocument[kDocumentLength], L'\0');
    EXPECT_EQ(floor.find(L'\0'), std::wstring_view::npos);
    const std::string ascii(floor.begin(), floor.end());
    const auto root = tavlin::test::ParseXml(ascii);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "customUI");
    EXPECT_GT(root->Count("button"), 1000);
    EXPECT_NE(ascii.find(R"(<button id="f01000" label="Floor"/>)"), std::string::npos);
}

TEST(FloorDocument, FitsOtherLengthsExactly) {
    const auto one = MakeDocument<250>();
    const auto two = MakeDocument<300>();
    const std::wstring_view a(one.data());
    const std::wstring_view b(two.data());
    EXPECT_EQ(a.size(), 250u);
    EXPECT_EQ(b.size(), 300u);
    EXPECT_TRUE(a.ends_with(L"\"/></group></tab></tabs></ribbon></customUI>"));
    EXPECT_NE(b.find(L"<button id=\"f00002\" label=\"Floor"), std::wstring_view::npos);
}

} // namespace
} // namespace floor_addin
