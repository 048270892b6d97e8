#include "addin/com/registration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace tavlin::registration {
namespace {

const std::string kClsid = "{C84228E2-95DA-45A4-90D2-6ADA8E1FABC7}";
const std::string kLibid = "{90490275-F7DA-43E6-9FED-D2CF83DE3AF1}";
const std::string kIid = "{06B163FC-00E7-42DE-9B6A-E4F387BE5074}";
const std::string kPath32 = "C:\\Program Files (x86)\\Tavlin\\TavlinAddin.dll";
const std::string kPath64 = "C:\\Program Files (x86)\\Tavlin\\x64\\TavlinAddin.dll";
const std::string kAddinKey = "HKCU\\Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect";

enum class Bits { x86, x64 };

Identity IdentityOf(Bits bits) {
    return {kClsid, kLibid, kIid, bits == Bits::x86 ? kPath32 : kPath64,
            bits == Bits::x86 ? Platform::Win32 : Platform::Win64};
}

bool SameText(const std::string& a, const std::string& b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
    }
};

// One registry as Windows 7 and later lay it out, keyed by full path. On
// 64-bit Windows, Classes\CLSID and Classes\Interface (in HKLM and HKCU)
// are redirected for 32-bit processes; everything this add-in touches
// besides is one key for both. 32-bit Windows redirects nothing. It can
// refuse the machine's classes as Vista refuses a standard user.
class Registry {
public:
    explicit Registry(bool wow64) : wow64_(wow64) {}

    bool refuseMachine = false;        // every machine-wide write and delete
    bool refuseMachineTypeLib = false; // only the type library's registration
    bool refuseMachineDelete = false;

    [[nodiscard]] bool Wow64() const { return wow64_; }

    // The key a process of this bitness reaches under that name.
    [[nodiscard]] std::string Redirect(const std::string& path, Bits view) const {
        if (!wow64_ || view == Bits::x64) {
            return path;
        }
        for (const char* root : {"HKLM\\Software\\Classes\\", "HKCU\\Software\\Classes\\"}) {
            const std::string r(root);
            if (path.starts_with(r + "CLSID\\") || path.starts_with(r + "Interface\\")) {
                return r + "WOW6432Node\\" + path.substr(r.size());
            }
        }
        return path;
    }

    [[nodiscard]] static bool Machine(const std::string& path) {
        return path.starts_with("HKLM\\");
    }

    void Write(const std::string& path, const std::vector<Value>& values) {
        auto& stored = keys_[path];
        for (const Value& v : values) {
            std::erase_if(stored, [&](const Value& old) { return old.name == v.name; });
            stored.push_back(v);
        }
        // Parents exist as keys of their own, as in the registry.
        for (auto at = path.rfind('\\'); at != std::string::npos && at > 4;
             at = path.rfind('\\', at - 1)) {
            keys_.try_emplace(path.substr(0, at));
        }
    }

    Status DeleteTree(const std::string& path) {
        if (!keys_.contains(path)) {
            return kNotFound;
        }
        if (Machine(path) && (refuseMachine || refuseMachineDelete)) {
            return kAccessDenied;
        }
        std::erase_if(keys_, [&](const auto& k) { return Within(k.first, path); });
        return kOk;
    }

    [[nodiscard]] bool Has(const std::string& path) const { return keys_.contains(path); }

    [[nodiscard]] std::string Default(const std::string& path) const {
        const auto it = keys_.find(path);
        if (it != keys_.end()) {
            for (const Value& v : it->second) {
                if (v.name.empty()) {
                    return std::get<std::string>(v.data);
                }
            }
        }
        return {};
    }

    [[nodiscard]] std::vector<std::string> Children(const std::string& path) const {
        std::vector<std::string> names;
        for (const auto& [k, v] : keys_) {
            if (Within(k, path) && k.size() > path.size() &&
                k.find('\\', path.size() + 1) == std::string::npos) {
                names.push_back(k.substr(path.size() + 1));
            }
        }
        return names;
    }

    // Every key whose path holds one of our identifiers or names.
    [[nodiscard]] std::vector<std::string> Ours() const {
        std::vector<std::string> found;
        for (const auto& [k, v] : keys_) {
            for (const std::string& mark :
                 {kClsid, kLibid, kIid, std::string("TavlinCom.Connect")}) {
                if (k.find(mark) != std::string::npos) {
                    found.push_back(k);
                    break;
                }
            }
        }
        return found;
    }

private:
    static bool Within(const std::string& key, const std::string& tree) {
        return key.size() >= tree.size() && SameText(key.substr(0, tree.size()), tree) &&
               (key.size() == tree.size() || key[tree.size()] == '\\');
    }

    bool wow64_;
    std::map<std::string, std::vector<Value>, NoCaseLess> keys_;
};

// One regsvr32 of one bitness on that registry: writes land in its own view,
// and the type library's registration does what the system's does (its
// platform's subkey under the shared TypeLib key; the interface in both
// views, as RegisterTypeLib does on 64-bit Windows).
class Process final : public Backend {
public:
    Process(Registry& registry, Bits bits) : r_(registry), bits_(bits) {}

    int failWriteNumber = 0; // the n-th WriteKey (1-based) fails with E_FAIL
    Status failure = static_cast<Status>(0x80004005);
    int writes = 0;

    Status WriteKey(Scope scope, const Key& key) override {
        ++writes;
        if (failWriteNumber != 0 && writes == failWriteNumber) {
            return failure;
        }
        const std::string path = Full(scope, key.hive, key.path, View::Own);
        if (Registry::Machine(path) && r_.refuseMachine) {
            return kAccessDenied;
        }
        r_.Write(path, key.values);
        return kOk;
    }
    Status DeleteTree(Scope scope, View view, const Tree& tree) override {
        if (view == View::Other && !r_.Wow64()) {
            return kNotFound;
        }
        return r_.DeleteTree(Full(scope, tree.hive, tree.path, view));
    }
    bool Exists(Scope scope, View view, const std::string& classesPath) override {
        if (view == View::Other && !r_.Wow64()) {
            return false;
        }
        return r_.Has(Full(scope, Hive::Classes, classesPath, view));
    }
    Status SubKeys(Scope scope, const std::string& classesPath,
                   std::vector<std::string>& names) override {
        const std::string path = Full(scope, Hive::Classes, classesPath, View::Own);
        if (!r_.Has(path)) {
            return kNotFound;
        }
        names = r_.Children(path);
        return kOk;
    }
    Status RegisterTypeLibrary(Scope scope) override {
        const std::string classes =
            scope == Scope::Machine ? "HKLM\\Software\\Classes\\" : "HKCU\\Software\\Classes\\";
        if (scope == Scope::Machine && (r_.refuseMachine || r_.refuseMachineTypeLib)) {
            return kAccessDenied;
        }
        const std::string version = classes + "TypeLib\\" + kLibid + "\\1.0";
        r_.Write(version, {{"", std::string("Tavlin")}});
        r_.Write(version + "\\FLAGS", {{"", std::string("0")}});
        r_.Write(version + "\\HELPDIR", {{"", std::string("C:\\Program Files (x86)\\Tavlin")}});
        r_.Write(version + (bits_ == Bits::x86 ? "\\0\\win32" : "\\0\\win64"),
                 {{"", IdentityOf(bits_).modulePath}});
        for (const Bits view : {Bits::x86, Bits::x64}) {
            if (view != bits_ && !r_.Wow64()) {
                continue;
            }
            const std::string iface = r_.Redirect(classes + "Interface\\" + kIid, view);
            r_.Write(iface, {{"", std::string("_Connect")}});
            r_.Write(iface + "\\ProxyStubClsid32",
                     {{"", std::string("{00020424-0000-0000-C000-000000000046}")}});
            r_.Write(iface + "\\TypeLib", {{"", kLibid}, {"Version", std::string("1.0")}});
        }
        return kOk;
    }

private:
    std::string Full(Scope scope, Hive hive, const std::string& path, View view) const {
        const Bits other = bits_ == Bits::x86 ? Bits::x64 : Bits::x86;
        if (hive == Hive::User) {
            return "HKCU\\" + path;
        }
        const std::string root = scope == Scope::Machine ? "HKLM\\" : "HKCU\\";
        return r_.Redirect(root + "Software\\Classes\\" + path, view == View::Own ? bits_ : other);
    }

    Registry& r_;
    Bits bits_;
};

struct Fixture {
    explicit Fixture(bool wow64 = true) : registry(wow64) {}
    Registry registry;
    Process x86{registry, Bits::x86};
    Process x64{registry, Bits::x64};
    Process& Of(Bits bits) { return bits == Bits::x86 ? x86 : x64; }
};

std::string ClassesRoot(Scope scope) {
    return scope == Scope::Machine ? "HKLM\\Software\\Classes\\" : "HKCU\\Software\\Classes\\";
}

std::string ClassKey(const Registry& r, Scope scope, Bits view) {
    return r.Redirect(ClassesRoot(scope) + "CLSID\\" + kClsid, view);
}

std::string InterfaceKey(const Registry& r, Scope scope, Bits view) {
    return r.Redirect(ClassesRoot(scope) + "Interface\\" + kIid, view);
}

std::string PlatformKey(Scope scope, Bits bits) {
    return ClassesRoot(scope) + "TypeLib\\" + kLibid + "\\1.0\\0\\" +
           (bits == Bits::x86 ? "win32" : "win64");
}

// What Word of that bitness and an automation client need.
void ExpectComplete(const Registry& r, Bits bits, Scope scope) {
    SCOPED_TRACE(bits == Bits::x86 ? "32-bit registration" : "64-bit registration");
    const std::string cls = ClassKey(r, scope, bits);
    EXPECT_EQ(r.Default(cls + "\\InprocServer32"), IdentityOf(bits).modulePath);
    EXPECT_EQ(r.Default(cls + "\\TypeLib"), kLibid);
    EXPECT_EQ(r.Default(InterfaceKey(r, scope, bits) + "\\TypeLib"), kLibid);
    EXPECT_EQ(r.Default(ClassesRoot(scope) + "TavlinCom.Connect\\CLSID"), kClsid);
    EXPECT_EQ(r.Default(PlatformKey(scope, bits)), IdentityOf(bits).modulePath);
    EXPECT_TRUE(r.Has(kAddinKey));
}

// Nothing of that bitness's own is left, in either scope.
void ExpectGone(const Registry& r, Bits bits) {
    SCOPED_TRACE(bits == Bits::x86 ? "32-bit registration" : "64-bit registration");
    for (const Scope scope : {Scope::Machine, Scope::PerUser}) {
        EXPECT_FALSE(r.Has(ClassKey(r, scope, bits)));
        EXPECT_FALSE(r.Has(InterfaceKey(r, scope, bits)));
        EXPECT_FALSE(r.Has(PlatformKey(scope, bits)));
    }
}

// Keys of other software beside ours, which must all stay.
const std::vector<std::string> kNeighbours = {
    "HKLM\\Software\\Classes\\CLSID\\{00000000-0000-0000-0000-000000000001}",
    "HKLM\\Software\\Classes\\WOW6432Node\\CLSID\\{00000000-0000-0000-0000-000000000001}",
    "HKCU\\Software\\Classes\\WOW6432Node\\Interface\\{00000000-0000-0000-0000-000000000003}",
    "HKLM\\Software\\Classes\\TypeLib\\{00000000-0000-0000-0000-000000000002}\\1.0",
    "HKCU\\Software\\Classes\\Other.ProgId",
    "HKCU\\Software\\Microsoft\\Office\\Word\\AddIns\\Other.Addin",
};

void PlantNeighbours(Registry& r) {
    for (const std::string& k : kNeighbours) {
        r.Write(k, {{"", std::string("not ours")}});
    }
}

void ExpectNeighboursStay(const Registry& r) {
    for (const std::string& k : kNeighbours) {
        EXPECT_TRUE(r.Has(k)) << k;
    }
}

TEST(RegistrationTable, HoldsWhatWordAndComNeed) {
    const Table t = AddinTable(IdentityOf(Bits::x64));
    const auto find = [&](const std::string& path) -> const Key* {
        for (const Key& k : t.keys) {
            if (k.path == path) {
                return &k;
            }
        }
        return nullptr;
    };
    const Key* server = find("CLSID\\" + kClsid + "\\InprocServer32");
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->hive, Hive::Classes);
    EXPECT_EQ(server->values,
              (std::vector<Value>{{"", kPath64}, {"ThreadingModel", std::string("Apartment")}}));
    const Key* progId = find("TavlinCom.Connect\\CLSID");
    ASSERT_NE(progId, nullptr);
    EXPECT_EQ(progId->values, (std::vector<Value>{{"", kClsid}}));
    const Key* addin = find("Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect");
    ASSERT_NE(addin, nullptr);
    EXPECT_EQ(addin->hive, Hive::User);
    EXPECT_EQ(addin->values,
              (std::vector<Value>{{"FriendlyName", std::string("Tavlinar")},
                                  {"Description", std::string("Add-In Project Template")},
                                  {"LoadBehavior", std::uint32_t{3}}}));
    EXPECT_TRUE(t.typeLibrary);
}

// Unregistration removes only trees: every key written must lie in one,
// and no tree may reach above what is ours.
TEST(RegistrationTable, EveryWrittenKeyLiesInARemovedTree) {
    for (const Bits bits : {Bits::x86, Bits::x64}) {
        const Table t = AddinTable(IdentityOf(bits));
        for (const Key& k : t.keys) {
            bool covered = false;
            for (const Tree& tree : t.removals) {
                covered =
                    covered || (tree.hive == k.hive &&
                                (k.path == tree.path || k.path.starts_with(tree.path + "\\")));
            }
            EXPECT_TRUE(covered) << k.path;
            // Click-to-Run's private hive overrides the real keys for good.
            EXPECT_EQ(k.path.find("ClickToRun"), std::string::npos) << k.path;
        }
        for (const Tree& tree : t.removals) {
            EXPECT_NE(tree.path, "CLSID");
            EXPECT_NE(tree.path, "Software\\Microsoft\\Office\\Word\\AddIns");
            EXPECT_FALSE(tree.path.empty());
        }
    }
}

// Both DLLs write the help folder into the TypeLib key they share, and a
// package writes it from its folder property: all three must agree.
TEST(RegistrationTable, BothBitnessesNameTheInstallationAsHelpFolder) {
    const std::string folder = "C:\\Program Files\\Tavlin\\";
    EXPECT_EQ(TypeLibraryHelpFolder(folder + "TavlinAddin.dll", Platform::Win32), folder);
    EXPECT_EQ(TypeLibraryHelpFolder(folder + "x64\\TavlinAddin.dll", Platform::Win64), folder);
    EXPECT_EQ(TypeLibraryHelpFolder(folder + "X64\\TavlinAddin.dll", Platform::Win64), folder);
    // Only the installation's own x64 subfolder is stepped out of, and only
    // by the 64-bit DLL.
    EXPECT_EQ(TypeLibraryHelpFolder(folder + "x64\\TavlinAddin.dll", Platform::Win32),
              folder + "x64\\");
    EXPECT_EQ(TypeLibraryHelpFolder("D:\\Tools\\tx64\\TavlinAddin.dll", Platform::Win64),
              "D:\\Tools\\tx64\\");
    EXPECT_EQ(TypeLibraryHelpFolder("D:\\TavlinAddin.dll", Platform::Win64), "D:\\");
    EXPECT_EQ(TypeLibraryHelpFolder("x64\\TavlinAddin.dll", Platform::Win64), "x64\\");
    EXPECT_EQ(TypeLibraryHelpFolder("TavlinAddin.dll", Platform::Win32), "");
}

TEST(Register, MachineWideWhenAllowed) {
    Fixture f;
    const Outcome o = Register(f.x64, AddinTable(IdentityOf(Bits::x64)));
    EXPECT_EQ(o.status, kOk);
    EXPECT_EQ(o.scope, Scope::Machine);
    ExpectComplete(f.registry, Bits::x64, Scope::Machine);
    // Only the 64-bit view holds the class, and only win64 the library.
    EXPECT_FALSE(f.registry.Has(ClassKey(f.registry, Scope::Machine, Bits::x86)));
    EXPECT_FALSE(f.registry.Has(PlatformKey(Scope::Machine, Bits::x86)));
    for (const std::string& k : f.registry.Ours()) {
        EXPECT_FALSE(k.starts_with("HKCU\\Software\\Classes")) << k;
    }
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
        for (const Bits bits : {Bits::x86, Bits::x64}) {
            SCOPED_TRACE(c.name);
            Fixture f;
            f.registry.refuseMachine = c.refuseAll;
            f.registry.refuseMachineTypeLib = c.refuseTypeLib;
            const Outcome o = Register(f.Of(bits), AddinTable(IdentityOf(bits)));
            EXPECT_EQ(o.status, kOk);
            EXPECT_EQ(o.scope, Scope::PerUser);
            ExpectComplete(f.registry, bits, Scope::PerUser);
            for (const std::string& k : f.registry.Ours()) {
                EXPECT_FALSE(Registry::Machine(k)) << k;
            }
        }
    }
}

TEST(Register, OtherFailuresAreReportedAndTakenBack) {
    const Table t = AddinTable(IdentityOf(Bits::x64));
    // Every write in turn fails with something other than access denied.
    for (int n = 1; n <= static_cast<int>(t.keys.size()); ++n) {
        SCOPED_TRACE(n);
        Fixture f;
        f.x64.failWriteNumber = n;
        const Outcome o = Register(f.x64, t);
        EXPECT_EQ(o.status, f.x64.failure);
        EXPECT_EQ(f.registry.Ours(), std::vector<std::string>{});
    }
}

// A failed attempt of one bitness takes back only its own: the other's
// registration, which wrote the same shared keys, stays whole.
TEST(Register, AFailedAttemptLeavesTheOtherViewWhole) {
    const Table t = AddinTable(IdentityOf(Bits::x64));
    for (int n = 1; n <= static_cast<int>(t.keys.size()); ++n) {
        SCOPED_TRACE(n);
        Fixture f;
        ASSERT_EQ(Register(f.x86, AddinTable(IdentityOf(Bits::x86))).status, kOk);
        f.x64.failWriteNumber = n;
        EXPECT_EQ(Register(f.x64, t).status, f.x64.failure);
        ExpectComplete(f.registry, Bits::x86, Scope::Machine);
        ExpectGone(f.registry, Bits::x64);
    }
}

// Each step registers or unregisters one bitness, machine-wide when the
// user may write there, per user when not. After the steps, what is still
// registered is complete, what was unregistered is gone, and when nothing
// is registered nothing of ours is left.
TEST(RegistrationViews, EveryOrderOfTheTwoBitnesses) {
    enum Op { Reg, RegUser, Unreg };
    struct Step {
        Op op;
        Bits bits;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Bits b32 = Bits::x86, b64 = Bits::x64;
    const std::vector<Case> cases = {
        {"32 alone", {{Reg, b32}, {Unreg, b32}}},
        {"64 alone", {{Reg, b64}, {Unreg, b64}}},
        {"both, then 64 goes", {{Reg, b32}, {Reg, b64}, {Unreg, b64}}},
        {"both, then 32 goes", {{Reg, b32}, {Reg, b64}, {Unreg, b32}}},
        {"64 first, then 64 goes", {{Reg, b64}, {Reg, b32}, {Unreg, b64}}},
        {"64 first, then 32 goes", {{Reg, b64}, {Reg, b32}, {Unreg, b32}}},
        {"both go, 32 first", {{Reg, b32}, {Reg, b64}, {Unreg, b32}, {Unreg, b64}}},
        {"both go, 64 first", {{Reg, b32}, {Reg, b64}, {Unreg, b64}, {Unreg, b32}}},
        {"64 goes twice", {{Reg, b32}, {Reg, b64}, {Unreg, b64}, {Unreg, b64}}},
        {"32 goes twice", {{Reg, b64}, {Reg, b32}, {Unreg, b32}, {Unreg, b32}}},
        {"nothing to unregister", {{Unreg, b64}, {Unreg, b32}, {Unreg, b64}}},
        {"registered twice", {{Reg, b32}, {Reg, b64}, {Reg, b64}, {Reg, b32}, {Unreg, b64}}},
        {"both per user, 64 goes", {{RegUser, b32}, {RegUser, b64}, {Unreg, b64}}},
        {"both per user, 32 goes", {{RegUser, b64}, {RegUser, b32}, {Unreg, b32}}},
        {"both per user, both go", {{RegUser, b32}, {RegUser, b64}, {Unreg, b32}, {Unreg, b64}}},
        {"32 per user, 64 machine, 64 goes", {{RegUser, b32}, {Reg, b64}, {Unreg, b64}}},
        {"32 per user, 64 machine, 32 goes", {{RegUser, b32}, {Reg, b64}, {Unreg, b32}}},
        {"64 per user, 32 machine, both go",
         {{RegUser, b64}, {Reg, b32}, {Unreg, b32}, {Unreg, b64}}},
        // A machine-wide registration replaces its own per-user copy only.
        {"64 moves to the machine", {{RegUser, b32}, {RegUser, b64}, {Reg, b64}}},
        {"32 moves to the machine", {{RegUser, b64}, {RegUser, b32}, {Reg, b32}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        PlantNeighbours(f.registry);
        std::map<Bits, Scope> registered;
        for (const Step& step : c.steps) {
            const Table t = AddinTable(IdentityOf(step.bits));
            f.registry.refuseMachine = step.op == RegUser;
            if (step.op == Unreg) {
                EXPECT_EQ(Unregister(f.Of(step.bits), t), kOk);
                registered.erase(step.bits);
            } else {
                const Outcome o = Register(f.Of(step.bits), t);
                ASSERT_EQ(o.status, kOk);
                registered[step.bits] = o.scope;
            }
        }
        for (const Bits bits : {Bits::x86, Bits::x64}) {
            if (registered.contains(bits)) {
                ExpectComplete(f.registry, bits, registered[bits]);
                // Nor does a stale per-user copy shadow a machine-wide one.
                if (registered[bits] == Scope::Machine) {
                    EXPECT_FALSE(f.registry.Has(ClassKey(f.registry, Scope::PerUser, bits)));
                }
            } else {
                ExpectGone(f.registry, bits);
            }
        }
        if (registered.empty()) {
            EXPECT_EQ(f.registry.Ours(), std::vector<std::string>{});
        }
        ExpectNeighboursStay(f.registry);
    }
}

// No second view: nothing is ever written under WOW6432Node, and the one
// registration's shared keys go with it.
TEST(RegistrationViews, ThirtyTwoBitWindowsHasOneView) {
    for (const bool perUser : {false, true}) {
        SCOPED_TRACE(perUser ? "per user" : "machine");
        Fixture f(false);
        PlantNeighbours(f.registry);
        f.registry.refuseMachine = perUser;
        const Table t = AddinTable(IdentityOf(Bits::x86));
        const Outcome o = Register(f.x86, t);
        ASSERT_EQ(o.status, kOk);
        ExpectComplete(f.registry, Bits::x86, o.scope);
        for (const std::string& k : f.registry.Ours()) {
            EXPECT_EQ(k.find("WOW6432Node"), std::string::npos) << k;
        }
        f.registry.refuseMachine = false;
        EXPECT_EQ(Unregister(f.x86, t), kOk);
        EXPECT_EQ(f.registry.Ours(), std::vector<std::string>{});
        ExpectNeighboursStay(f.registry);
        EXPECT_EQ(Unregister(f.x86, t), kOk);
    }
}

// The library's key holds the other platform's registration beside ours,
// and something unknown to us below it is never ours to remove.
TEST(RegistrationViews, TheLibraryKeyGoesOnlyWhenNothingElseIsUnderIt) {
    Fixture f;
    const Table t = AddinTable(IdentityOf(Bits::x64));
    ASSERT_EQ(Register(f.x64, t).status, kOk);
    const std::string library = ClassesRoot(Scope::Machine) + "TypeLib\\" + kLibid;
    f.registry.Write(library + "\\2.0\\0\\win64", {{"", std::string("C:\\elsewhere.tlb")}});
    EXPECT_EQ(Unregister(f.x64, t), kOk);
    EXPECT_FALSE(f.registry.Has(library + "\\1.0"));
    EXPECT_TRUE(f.registry.Has(library + "\\2.0\\0\\win64"));
    EXPECT_FALSE(f.registry.Has(ClassesRoot(Scope::Machine) + "TavlinCom.Connect"));
}

TEST(Unregister, ReportsAMachineRegistrationItMayNotRemove) {
    Fixture f;
    const Table t = AddinTable(IdentityOf(Bits::x64));
    ASSERT_EQ(Register(f.x64, t).scope, Scope::Machine);
    f.registry.refuseMachineDelete = true;
    EXPECT_EQ(Unregister(f.x64, t), kAccessDenied);
    // What the user owns still goes.
    EXPECT_FALSE(f.registry.Has(kAddinKey));
    EXPECT_TRUE(f.registry.Has(ClassKey(f.registry, Scope::Machine, Bits::x64)));
}

} // namespace
} // namespace tavlin::registration
