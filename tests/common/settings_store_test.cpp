#include "common/settings_store.h"

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

} // namespace
} // namespace tavlin
