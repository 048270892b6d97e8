#include "addin/com/registration.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tavlin::registration {
namespace {

enum class Place { MachineClasses, UserClasses, UserRoot };

const Identity kId{
    "{C84228E2-95DA-45A4-90D2-6ADA8E1FABC7}", "{90490275-F7DA-43E6-9FED-D2CF83DE3AF1}",
    "{06B163FC-00E7-42DE-9B6A-E4F387BE5074}", "C:\\Program Files\\Tavlin\\TavlinAddin.dll"};

// A registry that can refuse the machine's classes as Vista refuses a
// standard user, fail one chosen write, and records everything written.
class FakeRegistry final : public Backend {
public:
    bool refuseMachine = false;        // every machine-wide write and delete
    bool refuseMachineTypeLib = false; // only the type library's registration
    bool refuseMachineDelete = false;
    int failWriteNumber = 0; // the n-th WriteKey (1-based) fails with E_FAIL
    Status failure = static_cast<Status>(0x80004005);

    Status WriteKey(Scope scope, const Key& key) override {
        ++writes;
        if (failWriteNumber != 0 && writes == failWriteNumber) {
            return failure;
        }
        const Place place = PlaceOf(scope, key.hive);
        if (place == Place::MachineClasses && refuseMachine) {
            return kAccessDenied;
        }
        auto& values = keys[{place, key.path}];
        values.insert(values.end(), key.values.begin(), key.values.end());
        return kOk;
    }
    Status DeleteTree(Scope scope, const Tree& tree) override {
        const Place place = PlaceOf(scope, tree.hive);
        bool found = false;
        for (auto it = keys.begin(); it != keys.end();) {
            const bool inside =
                it->first.first == place &&
                (it->first.second == tree.path || it->first.second.starts_with(tree.path + "\\"));
            if (inside && place == Place::MachineClasses &&
                (refuseMachine || refuseMachineDelete)) {
                return kAccessDenied;
            }
            if (inside) {
                found = true;
                it = keys.erase(it);
            } else {
                ++it;
            }
        }
        return found ? kOk : kNotFound;
    }
    Status RegisterTypeLibrary(Scope scope) override {
        const Place place = PlaceOf(scope, Hive::Classes);
        if (place == Place::MachineClasses && (refuseMachine || refuseMachineTypeLib)) {
            return kAccessDenied;
        }
        // What the system writes for our library and its dual interface.
        keys[{place, "TypeLib\\" + kId.libid + "\\1.0"}] = {{"", std::string("Tavlin")}};
        keys[{place, "Interface\\" + kId.iid}] = {{"", std::string("_Connect")}};
        return kOk;
    }

    [[nodiscard]] std::size_t CountIn(Place place) const {
        std::size_t n = 0;
        for (const auto& [k, v] : keys) {
            n += k.first == place ? 1 : 0;
        }
        return n;
    }
    [[nodiscard]] bool Has(Place place, const std::string& path) const {
        return keys.contains({place, path});
    }

    std::map<std::pair<Place, std::string>, std::vector<Value>> keys;
    int writes = 0;

private:
    static Place PlaceOf(Scope scope, Hive hive) {
        if (hive == Hive::User) {
            return Place::UserRoot;
        }
        return scope == Scope::Machine ? Place::MachineClasses : Place::UserClasses;
    }
};

const Key* Find(const Table& t, const std::string& path) {
    for (const Key& k : t.keys) {
        if (k.path == path) {
            return &k;
        }
    }
    return nullptr;
}

const std::string kClassKey = "CLSID\\" + kId.clsid;
const std::string kAddinKey = "Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect";

TEST(RegistrationTable, HoldsWhatWordAndComNeed) {
    const Table t = AddinTable(kId);
    const Key* server = Find(t, kClassKey + "\\InprocServer32");
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->hive, Hive::Classes);
    EXPECT_EQ(server->values, (std::vector<Value>{{"", kId.modulePath},
                                                  {"ThreadingModel", std::string("Apartment")}}));
    const Key* progId = Find(t, "TavlinCom.Connect\\CLSID");
    ASSERT_NE(progId, nullptr);
    EXPECT_EQ(progId->values, (std::vector<Value>{{"", kId.clsid}}));
    const Key* typeLib = Find(t, kClassKey + "\\TypeLib");
    ASSERT_NE(typeLib, nullptr);
    EXPECT_EQ(typeLib->values, (std::vector<Value>{{"", kId.libid}}));

    const Key* addin = Find(t, kAddinKey);
    ASSERT_NE(addin, nullptr);
    EXPECT_EQ(addin->hive, Hive::User);
    EXPECT_EQ(addin->values,
              (std::vector<Value>{{"FriendlyName", std::string("Tavlinar")},
                                  {"Description", std::string("Add-In Project Template")},
                                  {"LoadBehavior", std::uint32_t{3}}}));
    EXPECT_TRUE(t.typeLibrary);
}

// Unregistration removes only trees: every key written must lie in one,
// or it would be left behind.
TEST(RegistrationTable, EveryWrittenKeyLiesInARemovedTree) {
    const Table t = AddinTable(kId);
    for (const Key& k : t.keys) {
        bool covered = false;
        for (const Tree& tree : t.removals) {
            covered = covered || (tree.hive == k.hive &&
                                  (k.path == tree.path || k.path.starts_with(tree.path + "\\")));
        }
        EXPECT_TRUE(covered) << k.path;
    }
    // And no tree reaches above what is ours: not the add-ins list, not CLSID.
    for (const Tree& tree : t.removals) {
        EXPECT_NE(tree.path, "CLSID");
        EXPECT_NE(tree.path, "Software\\Microsoft\\Office\\Word\\AddIns");
        EXPECT_FALSE(tree.path.empty());
    }
}

TEST(Register, MachineWideWhenAllowed) {
    FakeRegistry r;
    const Outcome o = Register(r, AddinTable(kId));
    EXPECT_EQ(o.status, kOk);
    EXPECT_EQ(o.scope, Scope::Machine);
    EXPECT_TRUE(r.Has(Place::MachineClasses, kClassKey + "\\InprocServer32"));
    EXPECT_TRUE(r.Has(Place::MachineClasses, "TypeLib\\" + kId.libid + "\\1.0"));
    EXPECT_EQ(r.CountIn(Place::UserClasses), 0u);
    EXPECT_TRUE(r.Has(Place::UserRoot, kAddinKey));
}

// The cases where the machine is refused, wholly or only for the type
// library: everything goes per user and nothing half-written stays.
TEST(Register, FallsBackPerUserWhenTheMachineRefuses) {
    struct Case {
        const char* name;
        bool refuseAll;
        bool refuseTypeLib;
    };
    for (const Case c :
         {Case{"class keys refused", true, false}, Case{"type library refused", false, true}}) {
        SCOPED_TRACE(c.name);
        FakeRegistry r;
        r.refuseMachine = c.refuseAll;
        r.refuseMachineTypeLib = c.refuseTypeLib;
        const Outcome o = Register(r, AddinTable(kId));
        EXPECT_EQ(o.status, kOk);
        EXPECT_EQ(o.scope, Scope::PerUser);
        EXPECT_EQ(r.CountIn(Place::MachineClasses), 0u);
        EXPECT_TRUE(r.Has(Place::UserClasses, kClassKey + "\\InprocServer32"));
        EXPECT_TRUE(r.Has(Place::UserClasses, "TavlinCom.Connect\\CLSID"));
        EXPECT_TRUE(r.Has(Place::UserClasses, "TypeLib\\" + kId.libid + "\\1.0"));
        EXPECT_TRUE(r.Has(Place::UserRoot, kAddinKey));
    }
}

TEST(Register, OtherFailuresAreReportedAndTakenBack) {
    const Table t = AddinTable(kId);
    // Every write in turn fails with something other than access denied.
    for (int n = 1; n <= static_cast<int>(t.keys.size()); ++n) {
        SCOPED_TRACE(n);
        FakeRegistry r;
        r.failWriteNumber = n;
        const Outcome o = Register(r, t);
        EXPECT_EQ(o.status, r.failure);
        EXPECT_EQ(r.CountIn(Place::MachineClasses), 0u);
        EXPECT_EQ(r.CountIn(Place::UserClasses), 0u);
        EXPECT_EQ(r.CountIn(Place::UserRoot), 0u);
    }
}

TEST(Register, MachineWideReplacesAnOlderPerUserCopy) {
    FakeRegistry r;
    r.refuseMachine = true;
    ASSERT_EQ(Register(r, AddinTable(kId)).scope, Scope::PerUser);
    r.refuseMachine = false;
    EXPECT_EQ(Register(r, AddinTable(kId)).scope, Scope::Machine);
    // Windows merges per-user classes over the machine's: a stale copy would win.
    EXPECT_EQ(r.CountIn(Place::UserClasses), 0u);
}

TEST(Unregister, RemovesExactlyWhatRegistrationWrote) {
    for (const bool perUser : {false, true}) {
        SCOPED_TRACE(perUser ? "per user" : "machine");
        FakeRegistry r;
        r.refuseMachine = perUser;
        // Neighbours that are not ours stay.
        r.keys[{Place::MachineClasses, "CLSID\\{00000000-0000-0000-0000-000000000001}"}] = {};
        r.keys[{Place::UserClasses, "Other.ProgId"}] = {};
        r.keys[{Place::UserRoot, "Software\\Microsoft\\Office\\Word\\AddIns\\Other.Addin"}] = {};
        const std::size_t before = r.keys.size();
        ASSERT_EQ(Register(r, AddinTable(kId)).status, kOk);
        r.refuseMachine = false;
        EXPECT_EQ(Unregister(r, AddinTable(kId)), kOk);
        EXPECT_EQ(r.keys.size(), before);
        // Twice in a row, and with nothing registered, is no failure.
        EXPECT_EQ(Unregister(r, AddinTable(kId)), kOk);
    }
    FakeRegistry empty;
    EXPECT_EQ(Unregister(empty, AddinTable(kId)), kOk);
}

TEST(Unregister, ReportsAMachineRegistrationItMayNotRemove) {
    FakeRegistry r;
    ASSERT_EQ(Register(r, AddinTable(kId)).scope, Scope::Machine);
    r.refuseMachineDelete = true;
    EXPECT_EQ(Unregister(r, AddinTable(kId)), kAccessDenied);
    // What the user owns still goes.
    EXPECT_FALSE(r.Has(Place::UserRoot, kAddinKey));
    EXPECT_TRUE(r.Has(Place::MachineClasses, kClassKey));
}

} // namespace
} // namespace tavlin::registration
