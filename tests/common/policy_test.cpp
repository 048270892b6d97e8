#include "common/policy.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tavlin {
namespace {

// Counts its reads, so a test sees which places a decision looked at.
class CountingSource final : public PolicySource {
public:
    std::optional<PolicyValue> PolicyRead(std::string_view key) const override {
        ++reads;
        return values.PolicyRead(key);
    }
    MemoryPolicySource values;
    mutable int reads = 0;
};

class CountingStore final : public SettingsStore {
public:
    std::string SettingsRead(std::string_view key, int defaultValue) const override {
        ++reads;
        return values.SettingsRead(key, defaultValue);
    }
    void SettingsWrite(std::string_view key, std::string_view text) override {
        values.SettingsWrite(key, text);
    }
    MemorySettingsStore values;
    mutable int reads = 0;
};

TEST(PolicySettingsStore, ComputerThenUserPolicyThenOwnSettingThenDefaultForEveryKey) {
    // Each place that holds a value, and the text the read must give. Own
    // settings hold "5", which no policy can, and the default is 7.
    struct Case {
        std::optional<int> computer;
        std::optional<int> user;
        bool own;
        const char* expected;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, false, "7"},
        {std::nullopt, std::nullopt, true, "5"},
        {std::nullopt, 0, true, "0"},
        {std::nullopt, 1, false, "1"},
        {0, std::nullopt, true, "0"},
        {1, std::nullopt, false, "1"},
        {1, 0, true, "1"},
        {0, 1, true, "0"},
    };
    for (const std::string_view key : kSettingsKeys) {
        for (const Case& c : cases) {
            MemoryPolicySource computer;
            MemoryPolicySource user;
            MemorySettingsStore own;
            if (c.computer) {
                computer.Put(key, PolicyValue::Dword(static_cast<std::uint32_t>(*c.computer)));
            }
            if (c.user) {
                user.Put(key, PolicyValue::String(std::to_string(*c.user)));
            }
            if (c.own) {
                own.SettingsWrite(key, "5");
            }
            PolicySettingsStore store(computer, user, own);
            EXPECT_EQ(store.SettingsRead(key, 7), c.expected)
                << key << ": computer " << c.computer.value_or(-1) << ", user "
                << c.user.value_or(-1) << ", own " << c.own;
            // Another key stays untouched by this one's policy.
            EXPECT_EQ(store.SettingsRead(key == "Left" ? "All" : "Left", 7), "7") << key;
        }
    }
}

TEST(PolicySettingsStore, NamesMatchWithoutRegardToCase) {
    MemoryPolicySource computer;
    MemoryPolicySource user;
    MemorySettingsStore own;
    computer.Put("HIDE BUILT-IN TABS", PolicyValue::Dword(1));
    user.Put("page layout", PolicyValue::String("1"));
    PolicySettingsStore store(computer, user, own);
    EXPECT_EQ(store.SettingsRead("Hide built-in Tabs", 0), "1") << "the add-in's spelling";
    EXPECT_EQ(store.SettingsRead("Hide built-in tabs", 0), "1") << "the window's spelling";
    EXPECT_EQ(store.SettingsRead("Page Layout", 0), "1");
    EXPECT_EQ(store.SettingsRead("PageLayout", 0), "0") << "blanks stay significant";
}

TEST(PolicySettingsStore, UnusableValuesAreIgnoredForTheNextPlace) {
    struct Case {
        PolicyValue value;
        const char* shownInWhy;
    };
    const Case cases[] = {
        {PolicyValue::String("2"), "\"2\""},
        {PolicyValue::String("yes"), "\"yes\""},
        {PolicyValue::String(""), "\"\""},
        {PolicyValue::String(" 1"), "\" 1\""},
        {PolicyValue::String("1.0"), "\"1.0\""},
        {PolicyValue::String("-0"), "\"-0\""},
        {PolicyValue::Dword(7), "7"},
        {PolicyValue::Dword(2), "2"},
        {PolicyValue::Dword(0xFFFFFFFFu), "4294967295"},
        {PolicyValue::Other("REG_BINARY"), "REG_BINARY"},
        {PolicyValue::Other("REG_QWORD"), "REG_QWORD"},
        {PolicyValue::Other("REG_EXPAND_SZ"), "REG_EXPAND_SZ"},
        {PolicyValue::Other("REG_MULTI_SZ"), "REG_MULTI_SZ"},
        {PolicyValue::Other(""), "unknown"},
    };
    for (const Case& c : cases) {
        const std::string label = c.shownInWhy;
        // The computer's bad value gives way to the user policy.
        {
            MemoryPolicySource computer;
            MemoryPolicySource user;
            computer.Put("Left", c.value);
            user.Put("Left", PolicyValue::Dword(0));
            const PolicyDecision decision = DecidePolicy(computer, user, "Left");
            EXPECT_EQ(decision.value, 0) << label;
            EXPECT_EQ(decision.place, PolicyPlace::User) << label;
            ASSERT_EQ(decision.ignored.size(), 1u) << label;
            EXPECT_EQ(decision.ignored[0].place, PolicyPlace::Computer) << label;
            EXPECT_NE(decision.ignored[0].why.find(c.shownInWhy), std::string::npos)
                << decision.ignored[0].why;
        }
        // Bad in both places: the user's own setting, then the default.
        {
            MemoryPolicySource computer;
            MemoryPolicySource user;
            MemorySettingsStore own;
            computer.Put("Left", c.value);
            user.Put("Left", c.value);
            PolicySettingsStore store(computer, user, own);
            EXPECT_EQ(store.SettingsRead("Left", 1), "1") << label;
            own.SettingsWrite("Left", "0");
            EXPECT_EQ(store.SettingsRead("Left", 1), "0") << label;
            EXPECT_EQ(DecidePolicy(computer, user, "Left").ignored.size(), 2u) << label;
        }
    }
}

TEST(PolicySettingsStore, UsableValuesAreExactlyTheTwoTypesAndTwoValues) {
    for (const auto& [value, expected] :
         {std::pair{PolicyValue::String("0"), 0}, std::pair{PolicyValue::String("1"), 1},
          std::pair{PolicyValue::Dword(0), 0}, std::pair{PolicyValue::Dword(1), 1}}) {
        std::string why = "untouched";
        EXPECT_EQ(UsablePolicyValue(value, &why), expected);
        EXPECT_EQ(why, "untouched");
    }
}

TEST(PolicySettingsStore, ReadsOnlyThePlacesItNeeds) {
    CountingSource computer;
    CountingSource user;
    CountingStore own;
    PolicySettingsStore store(computer, user, own);
    computer.values.Put("Classic", PolicyValue::Dword(1));
    EXPECT_EQ(store.SettingsRead("Classic", 0), "1");
    EXPECT_EQ(computer.reads, 1);
    EXPECT_EQ(user.reads, 0) << "the computer's value decided";
    EXPECT_EQ(own.reads, 0) << "a locked key never reads the user's own value";

    user.values.Put("All", PolicyValue::Dword(0));
    EXPECT_EQ(store.SettingsRead("All", 1), "0");
    EXPECT_EQ(user.reads, 1);
    EXPECT_EQ(own.reads, 0);

    EXPECT_EQ(store.SettingsRead("Left", 1), "1");
    EXPECT_EQ(own.reads, 1);
}

TEST(PolicySettingsStore, TheOwnStoreKeepsItsErrorsAndTakesTheWrites) {
    MemoryPolicySource computer;
    MemoryPolicySource user;
    MemorySettingsStore own;
    PolicySettingsStore store(computer, user, own);
    own.SettingsWrite("Left", "yes");
    EXPECT_EQ(store.SettingsRead("Left", 1), "yes") << "the reader's conversion still sees it";
    computer.Put("Classic", PolicyValue::Dword(0));
    store.SettingsWrite("Classic", "1");
    EXPECT_EQ(own.SettingsRead("Classic", 0), "1") << "writes reach the user's own store";
    EXPECT_EQ(store.SettingsRead("Classic", 1), "0") << "and cannot undo the policy";
}

} // namespace
} // namespace tavlin
