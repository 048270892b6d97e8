// The document as the add-in builds it under policy: the same store layer
// the DLL puts in front of the registry.
#include "addin/core/connect.h"
#include "common/error.h"
#include "common/policy.h"
#include "fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavlin {
namespace {

using test::Document;
using test::FakeHost;

struct PolicyDocument {
    PolicyDocument() : host("Microsoft Word"), connect(store) { connect.SetHostApplication(&host); }
    std::string Build() { return std::string(connect.GetRibbonXML()); }

    MemoryPolicySource computer;
    MemoryPolicySource user;
    MemorySettingsStore own;
    PolicySettingsStore store{computer, user, own};
    FakeHost host;
    Connect connect;
};

TEST(PolicyDocument, EqualsTheDocumentOfTheSettingsThatWin) {
    PolicyDocument d;
    d.own.SettingsWrite("Left", "1");
    d.own.SettingsWrite("Home", "1");
    d.own.SettingsWrite("View", "1");
    d.own.SettingsWrite("All", "0");
    d.computer.Put("Hide built-in tabs", PolicyValue::Dword(1));
    d.computer.Put("View", PolicyValue::String("0"));
    d.user.Put("Left", PolicyValue::Dword(0));
    d.user.Put("View", PolicyValue::Dword(1));
    d.user.Put("Developer", PolicyValue::String("1"));
    Document expected({{"Left", "0"},
                       {"Home", "1"},
                       {"View", "0"},
                       {"All", "0"},
                       {"Hide built-in tabs", "1"},
                       {"Developer", "1"}});
    EXPECT_EQ(d.Build(), expected.Build());
}

TEST(PolicyDocument, ClassicLockedOffBuildsNothingWhateverTheUserStored) {
    PolicyDocument d;
    d.own.SettingsWrite("Classic", "1");
    d.computer.Put("classic", PolicyValue::Dword(0));
    EXPECT_EQ(d.Build(), "");
    d.computer.Put("classic", PolicyValue::Other("REG_BINARY"));
    EXPECT_NE(d.Build(), "") << "an unusable policy value gives way to the user's";
}

TEST(PolicyDocument, TheUsersBadValueFailsOnlyWhereNoPolicyDecides) {
    PolicyDocument d;
    d.own.SettingsWrite("Left", "yes");
    d.user.Put("Left", PolicyValue::String("yes"));
    try {
        (void)d.Build();
        ADD_FAILURE() << "built over \"yes\"";
    } catch (const Error& e) {
        EXPECT_EQ(e.code(), ErrorCode::TypeMismatch);
    }
    d.computer.Put("Left", PolicyValue::Dword(1));
    Document defaults;
    EXPECT_EQ(d.Build(), defaults.Build());
}

// The keys policy can set are the product's list (which the templates are
// held to): the document reads every one of them and nothing else.
TEST(PolicyDocument, TheDocumentReadsExactlyTheTwelveKeys) {
    struct RecordingStore final : SettingsStore {
        std::string SettingsRead(std::string_view key, int defaultValue) const override {
            read.emplace_back(key);
            return own.SettingsRead(key, defaultValue);
        }
        void SettingsWrite(std::string_view key, std::string_view text) override {
            own.SettingsWrite(key, text);
        }
        MemorySettingsStore own;
        mutable std::vector<std::string> read;
    } store;
    store.SettingsWrite("Hide built-in tabs", "1");
    FakeHost host("Microsoft Word");
    Connect connect(store);
    connect.SetHostApplication(&host);
    (void)connect.GetRibbonXML();
    for (const std::string_view key : kSettingsKeys) {
        const auto count = std::count_if(store.read.begin(), store.read.end(),
                                         [&](const std::string& r) { return KeysEqual(r, key); });
        EXPECT_EQ(count, 1) << key;
    }
    EXPECT_EQ(store.read.size(), kSettingsKeys.size());
}

} // namespace
} // namespace tavlin
