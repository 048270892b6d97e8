#include "common/settings_store.h"
#include "common/unique_resource.h"

#include <gtest/gtest.h>

namespace tavlin {
namespace {

TEST(MemorySettingsStore, MissingKeysReadAsTheirDefaultText) {
    MemorySettingsStore store;
    EXPECT_EQ(store.SettingsRead("Classic", 1), "1");
    EXPECT_EQ(store.SettingsRead("Home", 0), "0");
    EXPECT_EQ(store.SettingsRead("", -1), "-1");
    EXPECT_TRUE(store.values().empty()) << "reading must not create anything";
}

TEST(MemorySettingsStore, KeysIgnoreCaseButNotBlanks) {
    MemorySettingsStore store;
    store.SettingsWrite("Hide built-in tabs", "1");
    EXPECT_EQ(store.SettingsRead("Hide built-in Tabs", 0), "1");
    EXPECT_EQ(store.SettingsRead("HIDE BUILT-IN TABS", 0), "1");
    EXPECT_EQ(store.SettingsRead("Hide built-in  tabs", 0), "0");
    EXPECT_EQ(store.SettingsRead("Hide built-in tabs ", 0), "0");
    EXPECT_EQ(store.SettingsRead("Hidebuilt-intabs", 0), "0");
}

TEST(MemorySettingsStore, AWriteReplacesWhateverCaseItWasStoredUnder) {
    MemorySettingsStore store;
    store.SettingsWrite("page layout", "0");
    store.SettingsWrite("Page Layout", "1");
    EXPECT_EQ(store.values().size(), 1u);
    EXPECT_EQ(store.SettingsRead("PAGE LAYOUT", 0), "1");
    store.SettingsWrite("Page Layout", "");
    EXPECT_EQ(store.SettingsRead("page layout", 1), "") << "an empty text is a value, not absence";
}

TEST(KeysEqual, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(KeysEqual("Classic", "cLASSIC"));
    EXPECT_FALSE(KeysEqual("Classic", "Classi"));
    EXPECT_FALSE(KeysEqual("[", "{")) << "brackets and braces differ by the case bit only";
    EXPECT_FALSE(KeysEqual("@", "`"));
}

TEST(StoredValueText, StringsAndDwordsReadAsTextOthersDoNotConvert) {
    EXPECT_EQ(StoredValueText(StoredValueType::String, " 1", 0), " 1");
    EXPECT_EQ(StoredValueText(StoredValueType::Dword, {}, 261), "261");
    EXPECT_EQ(StoredValueText(StoredValueType::Dword, {}, 4294967295u), "4294967295");
    const std::string other = StoredValueText(StoredValueType::Other, {}, 1);
    EXPECT_FALSE(other.empty());
    EXPECT_EQ(other.find_first_of("0123456789"), std::string::npos);
}

// A fake handle type whose closes are counted.
struct FakeTraits {
    static inline int closes = 0;
    static inline int lastClosed = 0;
    static int Invalid() noexcept { return -1; }
    static void Close(int h) noexcept {
        ++closes;
        lastClosed = h;
    }
};
using FakeHandle = UniqueResource<FakeTraits>;

TEST(UniqueResource, ClosesExactlyOnceWhateverHappens) {
    FakeTraits::closes = 0;
    {
        FakeHandle a(7);
        FakeHandle b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 7);
        FakeHandle c;
        c = std::move(b);
        c = std::move(c); // self-move keeps the handle
        EXPECT_EQ(c.get(), 7);
    }
    EXPECT_EQ(FakeTraits::closes, 1);
    EXPECT_EQ(FakeTraits::lastClosed, 7);
}

TEST(UniqueResource, PutReleasesWhatWasHeldBeforeHandingOutTheSlot) {
    FakeTraits::closes = 0;
    FakeHandle h(3);
    *h.put() = 4;
    EXPECT_EQ(FakeTraits::closes, 1);
    EXPECT_EQ(FakeTraits::lastClosed, 3);
    EXPECT_EQ(h.release(), 4);
    h.reset();
    EXPECT_EQ(FakeTraits::closes, 1) << "a released handle is the caller's";
    FakeHandle empty;
    empty.reset();
    EXPECT_EQ(FakeTraits::closes, 1) << "the invalid value is never closed";
}

struct Counted {
    int refs = 1;
    void AddRef() { ++refs; }
    void Release() { --refs; }
};

TEST(ComPtr, BalancesReferences) {
    Counted object;
    {
        auto a = ComPtr<Counted>::Attach(&object);
        EXPECT_EQ(object.refs, 1);
        ComPtr<Counted> b = a;
        EXPECT_EQ(object.refs, 2);
        ComPtr<Counted> c = std::move(b);
        EXPECT_EQ(object.refs, 2);
        c = a;
        EXPECT_EQ(object.refs, 2);
        auto d = ComPtr<Counted>::Retain(&object);
        EXPECT_EQ(object.refs, 3);
        (void)d.put();
        EXPECT_EQ(object.refs, 2) << "put() releases the old pointer";
    }
    EXPECT_EQ(object.refs, 0);
}

} // namespace
} // namespace tavlin
