#include "installer/package_rows.h"

#include "common/error.h"
#include "common/product.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tavlin::package {
namespace {

using registration::Platform;

AddinRowsInput Input(Platform platform) {
    return {{"{C84228E2-95DA-45A4-90D2-6ADA8E1FABC7}", "{90490275-F7DA-43E6-9FED-D2CF83DE3AF1}",
             "{06B163FC-00E7-42DE-9B6A-E4F387BE5074}",
             platform == Platform::Win64 ? "[#AddinDll64]" : "[#AddinDll32]", platform},
            "[INSTALLDIR]",
            "Tavlin",
            "_Connect"};
}

const Row* Find(const std::vector<Row>& rows, const std::string& key, const std::string& name) {
    const auto it =
        std::ranges::find_if(rows, [&](const Row& r) { return r.key == key && r.name == name; });
    return it == rows.end() ? nullptr : &*it;
}

std::string TextOf(const std::vector<Row>& rows, const std::string& key, const std::string& name) {
    const Row* row = Find(rows, key, name);
    if (row == nullptr) {
        return "<missing " + key + " " + name + ">";
    }
    const auto* text = std::get_if<std::string>(&row->data);
    return text ? *text : "<a number>";
}

// Everything regsvr32 writes for the DLL machine-wide is in the rows, under
// the machine's classes, value for value: a key or value added to the
// table reaches the packages without anyone copying it.
TEST(PackageRows, HoldEveryClassValueOfTheRegistrationTable) {
    for (Platform platform : {Platform::Win32, Platform::Win64}) {
        const AddinRowsInput input = Input(platform);
        const std::vector<Row> rows = AddinRows(input);
        const registration::Table table = registration::AddinTable(input.identity);
        std::size_t values = 0;
        for (const registration::Key& key : table.keys) {
            const std::string path = key.hive == registration::Hive::Classes
                                         ? "Software\\Classes\\" + key.path
                                         : key.path;
            for (const registration::Value& value : key.values) {
                ++values;
                const Row* row = Find(rows, path, value.name);
                ASSERT_NE(row, nullptr) << path << " " << value.name;
                EXPECT_EQ(row->data, value.data) << path << " " << value.name;
            }
        }
        // The type library's and the interface's nine values come on top.
        EXPECT_EQ(rows.size(), values + 9);
    }
}

TEST(PackageRows, NameTheDllTheirComponentInstalls) {
    const std::vector<Row> rows32 = AddinRows(Input(Platform::Win32));
    const std::vector<Row> rows64 = AddinRows(Input(Platform::Win64));
    const std::string server =
        "Software\\Classes\\CLSID\\{C84228E2-95DA-45A4-90D2-6ADA8E1FABC7}\\InprocServer32";
    EXPECT_EQ(TextOf(rows32, server, ""), "[#AddinDll32]");
    EXPECT_EQ(TextOf(rows64, server, ""), "[#AddinDll64]");
    EXPECT_EQ(TextOf(rows32, server, "ThreadingModel"), "Apartment");
    const std::string version =
        "Software\\Classes\\TypeLib\\{90490275-F7DA-43E6-9FED-D2CF83DE3AF1}\\1.0";
    // Each bitness registers its own platform's subkey beside the other's.
    EXPECT_EQ(TextOf(rows32, version + "\\0\\win32", ""), "[#AddinDll32]");
    EXPECT_EQ(Find(rows32, version + "\\0\\win64", ""), nullptr);
    EXPECT_EQ(TextOf(rows64, version + "\\0\\win64", ""), "[#AddinDll64]");
    EXPECT_EQ(Find(rows64, version + "\\0\\win32", ""), nullptr);
    // The keys both share carry the same values from both, so neither
    // component's order of writing matters.
    for (const char* shared : {"", "\\FLAGS", "\\HELPDIR"}) {
        EXPECT_EQ(TextOf(rows32, version + shared, ""), TextOf(rows64, version + shared, ""));
    }
    EXPECT_EQ(TextOf(rows32, version + "\\HELPDIR", ""), "[INSTALLDIR]");
    EXPECT_EQ(TextOf(rows32, version, ""), "Tavlin");
}

TEST(PackageRows, ListTheAddinForEveryUserOfTheMachine) {
    const std::vector<Row> rows = AddinRows(Input(Platform::Win64));
    const std::string key(kWordAddinKey);
    const Row* load = Find(rows, key, "LoadBehavior");
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->data, (std::variant<std::string, std::uint32_t>{std::uint32_t{3}}));
    EXPECT_EQ(TextOf(rows, key, "FriendlyName"), "Tavlinar");
    // Nothing of the rows belongs to one user: HKLM is the packages' root.
    for (const Row& row : rows) {
        EXPECT_TRUE(row.key.starts_with("Software\\Classes\\") || row.key == key) << row.key;
    }
}

TEST(PackageRows, TheInterfaceIsRegisteredForAutomation) {
    const std::vector<Row> rows = AddinRows(Input(Platform::Win32));
    const std::string iface =
        "Software\\Classes\\Interface\\{06B163FC-00E7-42DE-9B6A-E4F387BE5074}";
    EXPECT_EQ(TextOf(rows, iface, ""), "_Connect");
    EXPECT_EQ(TextOf(rows, iface + "\\ProxyStubClsid32", ""),
              "{00020424-0000-0000-C000-000000000046}");
    EXPECT_EQ(TextOf(rows, iface + "\\TypeLib", ""), "{90490275-F7DA-43E6-9FED-D2CF83DE3AF1}");
    EXPECT_EQ(TextOf(rows, iface + "\\TypeLib", "Version"), "1.0");
}

TEST(PackageRows, MarkTheMachineWideInstallationByTheNamesTheProgramsRead) {
    const std::vector<Row> rows = MachineInstallRows("[INSTALLDIR]");
    const std::string key(kMachineInstallKey);
    EXPECT_EQ(TextOf(rows, key, std::string(kMachineInstallFolderValue)), "[INSTALLDIR]");
    EXPECT_EQ(TextOf(rows, key, std::string(kMachineInstallProductCodeValue)), "[ProductCode]");
    EXPECT_EQ(rows.size(), 2u);
}

// What Windows Installer would resolve or read as a number must reach the
// registry as written.
TEST(PackageRows, LiteralTextStaysLiteralInTheInclude) {
    AddinRowsInput input = Input(Platform::Win32);
    input.identity.clsid = "{C84228E2-95DA-45A4-90D2-6ADA8E1FABC7}";
    const std::vector<Row> rows = AddinRows(input);
    const std::string include = WixInclude(rows);
    EXPECT_NE(include.find("Value=\"[#AddinDll32]\""), std::string::npos);
    EXPECT_NE(include.find("Name=\"LoadBehavior\" Type=\"integer\" Value=\"3\""),
              std::string::npos);
    EXPECT_EQ(include.find("Name=\"\""), std::string::npos) << "default values carry no Name";

    const std::string escaped = WixInclude({{"Software\\A&B", "x<y", std::string("say \"hi\"")}});
    EXPECT_NE(escaped.find("Key=\"Software\\A&amp;B\" Name=\"x&lt;y\""), std::string::npos);
    EXPECT_NE(escaped.find("Value=\"say &quot;hi&quot;\""), std::string::npos);
    EXPECT_THROW((void)WixInclude({{"Software\\A", "", std::string("#1")}}), Error);
}

TEST(PackageRows, BracketsInTheTableAreEscapedButNotTheFileReference) {
    AddinRowsInput input = Input(Platform::Win32);
    input.identity.libid = "{LIB[1]}";
    const std::vector<Row> rows = AddinRows(input);
    const std::string server =
        "Software\\Classes\\CLSID\\{C84228E2-95DA-45A4-90D2-6ADA8E1FABC7}\\TypeLib";
    EXPECT_EQ(TextOf(rows, server, ""), "{LIB[\\[]1[\\]]}");
    EXPECT_EQ(TextOf(rows,
                     "Software\\Classes\\CLSID\\{C84228E2-95DA-45A4-90D2-6ADA8E1FABC7}"
                     "\\InprocServer32",
                     ""),
              "[#AddinDll32]");
}

} // namespace
} // namespace tavlin::package
