#include "common/quoted.h"

#include <gtest/gtest.h>

namespace tavlin {
namespace {

TEST(Quoted, EscapesWhatWouldBreakTheLineAndKeepsTheRest) {
    const struct {
        std::string_view text;
        std::string_view quoted;
    } cases[] = {
        {"", R"("")"},
        {"Tools panel", R"("Tools panel")"},
        {"Type mismatch\r\nat line 106", R"("Type mismatch\r\nat line 106")"},
        {"a\tb", R"("a\tb")"},
        {R"(say "OK")", R"("say \"OK\"")"},
        // A backslash of the text stays apart from one the escapes add.
        {R"(C:\new\Tavlin)", R"("C:\\new\\Tavlin")"},
        {"\\\n", R"("\\\n")"},
        {"W\xC3\xB6rd \xF0\x9F\x98\x80", "\"W\xC3\xB6rd \xF0\x9F\x98\x80\""},
        {std::string_view("a\0b", 3), std::string_view("\"a\0b\"", 5)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Quoted(c.text), c.quoted) << c.text;
    }
}

} // namespace
} // namespace tavlin
