// Building a document must not churn the heap: once the string has grown to
// a document's size, a rebuild should reuse it. Counted with a replaced
// global operator new, which is why this test is a binary of its own.
#include "addin/core/connect.h"
#include "fixtures.h"

#include <gtest/gtest.h>

#include "counting_new.h"

#include <cstdio>

namespace tavlin {
namespace {

long AllocationsFor(auto&& work) {
    const long before = test::g_allocations.load();
    work();
    return test::g_allocations.load() - before;
}

TEST(Allocations, AWarmDocumentTakesAtMostTwo) {
    for (const auto& settings : {std::initializer_list<std::pair<const char*, const char*>>{},
                                 {{"All", "0"}},
                                 {{"Hide built-in tabs", "1"}, {"Home", "1"}, {"View", "1"}}}) {
        for (const std::uint32_t language : {1033u, 1031u, 1041u}) {
            test::Document d(settings);
            d.host.uiLanguage = language;
            (void)d.connect.GetRibbonXML(); // warm: the string reaches its size
            const long n = AllocationsFor([&] { (void)d.connect.GetRibbonXML(); });
            RecordProperty("allocations", static_cast<int>(n));
            EXPECT_LE(n, 2) << language;
            std::printf("allocations per warm document (%u): %ld\n", language, n);
        }
    }
}

TEST(Allocations, TheCounterSeesAllocations) {
    // Guards the test above against a counter that never counts.
    // Called through a volatile pointer so the compiler cannot elide it.
    void* (*volatile allocate)(std::size_t) = &::operator new;
    EXPECT_GE(AllocationsFor([&] { ::operator delete(allocate(16)); }), 1);
}

} // namespace
} // namespace tavlin

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
