#include "control/switching.h"

#include "common/product.h"
#include "control/disabled_items.h"

#include <gtest/gtest.h>

#include "fake_switch_platform.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavlin::control {
namespace {

using testing::FakeSwitchPlatform;
using Log = std::vector<std::string>;

constexpr Bitness k32 = Bitness::Bits32;
constexpr Bitness k64 = Bitness::Bits64;

SystemFacts Facts(Bitness process, Bitness system) {
    return {process, system, "C:\\Windows", "C:\\Windows\\system32", "C:\\Program Files\\Tavlin"};
}

TEST(RegistrationTool, EachDllGetsTheToolOfItsOwnBitness) {
    struct Case {
        Bitness dll, process, system;
        const char* tool; // nullptr: the DLL is not switched
    };
    const Case cases[] = {
        {k32, k32, k32, "C:\\Windows\\system32\\regsvr32.exe"},
        {k64, k32, k32, nullptr},
        // A 32-bit process on 64-bit Windows: its System32 is SysWOW64.
        {k32, k32, k64, "C:\\Windows\\SysWOW64\\regsvr32.exe"},
        {k64, k32, k64, "C:\\Windows\\Sysnative\\regsvr32.exe"},
        {k32, k64, k64, "C:\\Windows\\SysWOW64\\regsvr32.exe"},
        {k64, k64, k64, "C:\\Windows\\System32\\regsvr32.exe"},
        // No 64-bit process runs on 32-bit Windows: the process wins.
        {k32, k64, k32, "C:\\Windows\\SysWOW64\\regsvr32.exe"},
        {k64, k64, k32, "C:\\Windows\\System32\\regsvr32.exe"},
    };
    for (const Case& c : cases) {
        const auto tool = RegistrationTool(c.dll, Facts(c.process, c.system));
        const auto where = ::testing::Message()
                           << static_cast<int>(c.dll) << static_cast<int>(c.process)
                           << static_cast<int>(c.system);
        if (c.tool == nullptr) {
            EXPECT_FALSE(tool) << where;
        } else {
            EXPECT_EQ(tool.value_or("none"), c.tool) << where;
        }
    }
    // A Windows folder at a drive's root gets no doubled backslash.
    SystemFacts root = Facts(k64, k64);
    root.windowsFolder = "D:\\";
    EXPECT_EQ(RegistrationTool(k64, root), "D:\\System32\\regsvr32.exe");
}

TEST(InstallationAddins, TheX64AddinOnlyWhereWindowsCanLoadIt) {
    const auto on64 = InstallationAddins(Facts(k32, k64));
    ASSERT_EQ(on64.size(), 2u);
    EXPECT_EQ(on64[0].file, "C:\\Program Files\\Tavlin\\TavlinAddin.dll");
    EXPECT_EQ(on64[0].registrationTool, "C:\\Windows\\SysWOW64\\regsvr32.exe");
    EXPECT_EQ(on64[1].file, "C:\\Program Files\\Tavlin\\x64\\TavlinAddin.dll");
    EXPECT_EQ(on64[1].registrationTool, "C:\\Windows\\Sysnative\\regsvr32.exe");

    const auto on32 = InstallationAddins(Facts(k32, k32));
    ASSERT_EQ(on32.size(), 1u);
    EXPECT_EQ(on32[0].file, "C:\\Program Files\\Tavlin\\TavlinAddin.dll");
    EXPECT_EQ(on32[0].bitness, k32);
}

TEST(RegistrationCommandLine, QuotesToolAndFile) {
    struct Case {
        const char* tool;
        const char* file;
        bool unregister;
        const char* line;
    };
    const Case cases[] = {
        {"C:\\Windows\\system32\\regsvr32.exe", "C:\\Program Files\\Word Tools\\TavlinAddin.dll",
         false,
         "\"C:\\Windows\\system32\\regsvr32.exe\" /s \"C:\\Program Files\\Word "
         "Tools\\TavlinAddin.dll\""},
        {"C:\\Windows\\system32\\regsvr32.exe", "C:\\Program Files\\Word Tools\\TavlinAddin.dll",
         true,
         "\"C:\\Windows\\system32\\regsvr32.exe\" /u /s \"C:\\Program Files\\Word "
         "Tools\\TavlinAddin.dll\""},
        // UTF-8 passes through untouched: the platform widens it.
        {"D:\\W\\regsvr32.exe", "C:\\\xC3\x9C\x62\x65rsicht \xD0\x9F\xD1\x80\\TavlinAddin.dll",
         false,
         "\"D:\\W\\regsvr32.exe\" /s \"C:\\\xC3\x9C\x62\x65rsicht "
         "\xD0\x9F\xD1\x80\\TavlinAddin.dll\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegistrationCommandLine(c.tool, c.file, c.unregister), c.line);
    }
}

TEST(RegistrationFailure, SaysWhichAddinAndWhy) {
    const InstalledAddin addin{"C:\\P\\x64\\TavlinAddin.dll", k64,
                               "C:\\Windows\\System32\\regsvr32.exe"};
    using O = ToolRun::Outcome;
    struct Case {
        ToolRun run;
        bool unregister;
        const char* text; // nullptr: no failure
    };
    const Case cases[] = {
        {{O::Ended, 0, {}}, false, nullptr},
        {{O::Ended, 0, {}}, true, nullptr},
        {{O::Ended, 3, {}},
         false,
         "The add-in C:\\P\\x64\\TavlinAddin.dll could not be switched on. The file is missing or "
         "cannot be loaded (regsvr32 exit code 3)."},
        {{O::Ended, 3, {}},
         true,
         "The add-in C:\\P\\x64\\TavlinAddin.dll could not be switched off. The file is missing or "
         "cannot be loaded (regsvr32 exit code 3)."},
        {{O::Ended, 4, {}},
         false,
         "The add-in C:\\P\\x64\\TavlinAddin.dll could not be switched on. The file is not a COM "
         "server (regsvr32 exit code 4)."},
        {{O::Ended, 5, {}},
         true,
         "The add-in C:\\P\\x64\\TavlinAddin.dll could not be switched off. Its own "
         "unregistration failed (regsvr32 exit code 5)."},
        {{O::Ended, 0xC0000005, {}},
         false,
         "The add-in C:\\P\\x64\\TavlinAddin.dll could not be switched on. regsvr32 ended with "
         "exit code 3221225477."},
        {{O::NotStarted, 0, "File not found."},
         false,
         "The add-in C:\\P\\x64\\TavlinAddin.dll could not be switched on. "
         "C:\\Windows\\System32\\regsvr32.exe could not be started: File not found."},
        {{O::StillRunning, 0, {}},
         true,
         "The add-in C:\\P\\x64\\TavlinAddin.dll could not be switched off. "
         "C:\\Windows\\System32\\regsvr32.exe did not end within 30 seconds."},
    };
    for (const Case& c : cases) {
        const auto failure = RegistrationFailure(addin, c.unregister, c.run);
        if (c.text == nullptr) {
            EXPECT_FALSE(failure) << failure->description();
        } else {
            ASSERT_TRUE(failure) << c.text;
            EXPECT_EQ(failure->description(), c.text);
        }
    }
}

// The tool's path, the add-in's file, the exit code and the system's
// message stand in a sentence of the user's language.
TEST(RegistrationFailure, SaysItInTheUsersLanguage) {
    const InstalledAddin addin{"C:\\P\\x64\\TavlinAddin.dll", k64,
                               "C:\\Windows\\System32\\regsvr32.exe"};
    using O = ToolRun::Outcome;
    struct Case {
        Language language;
        ToolRun run;
        bool unregister;
        const char* text;
    };
    const Case cases[] = {
        {Language::German,
         {O::Ended, 3, {}},
         false,
         "Das Add-In C:\\P\\x64\\TavlinAddin.dll konnte nicht eingeschaltet werden. Die Datei "
         "fehlt oder kann nicht geladen werden (Exitcode von regsvr32: 3)."},
        {Language::German,
         {O::StillRunning, 0, {}},
         true,
         "Das Add-In C:\\P\\x64\\TavlinAddin.dll konnte nicht ausgeschaltet werden. "
         "C:\\Windows\\System32\\regsvr32.exe wurde nicht innerhalb von 30 Sekunden beendet."},
        {Language::Japanese,
         {O::NotStarted, 0, "ファイルが見つかりません。"},
         false,
         "アドイン C:\\P\\x64\\TavlinAddin.dll を有効にできませんでした。"
         "C:\\Windows\\System32\\regsvr32.exe を開始できませんでした: ファイルが見つかりません。"},
    };
    for (const Case& c : cases) {
        const auto failure = RegistrationFailure(addin, c.unregister, c.run, c.language);
        ASSERT_TRUE(failure) << c.text;
        EXPECT_EQ(failure->description(), c.text);
    }
}

TEST(SwitchLanguage, WordsFailureIsToldInTheUsersLanguage) {
    FakeSwitchPlatform platform;
    PlatformAddinSwitch addin{platform, Language::Russian};
    try {
        addin.StartWord();
        ADD_FAILURE() << "started without a Word";
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), "Не удалось запустить Microsoft Word: на этом компьютере не "
                                   "зарегистрирован Word.");
    }
}

// --- The switch over a fake system ------------------------------------------

const std::string kDll32 = "C:\\Program Files\\Tavlin\\TavlinAddin.dll";
const std::string kDll64 = "C:\\Program Files\\Tavlin\\x64\\TavlinAddin.dll";
const std::string kAddinKey = "HKCU\\" + std::string(kWordAddinKey);

const ToolRun kCannotLoad{ToolRun::Outcome::Ended, 3, {}};

std::vector<std::uint8_t> Item(std::u16string_view path) {
    const auto bytes = static_cast<std::uint32_t>(2 * (path.size() + 1));
    std::vector<std::uint8_t> data = {
        1, 0, 0, 0, static_cast<std::uint8_t>(bytes), static_cast<std::uint8_t>(bytes >> 8), 0, 0,
        2, 0, 0, 0};
    for (const char16_t c : path) {
        data.push_back(static_cast<std::uint8_t>(c));
        data.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    data.insert(data.end(), {0, 0, 0, 0});
    return data;
}

Log Descriptions(const std::vector<Error>& errors) {
    Log texts;
    for (const Error& e : errors) {
        texts.push_back(e.description());
    }
    return texts;
}

struct SwitchTest : ::testing::Test {
    FakeSwitchPlatform platform;
    PlatformAddinSwitch addin{platform};

    void PlantDisabled(std::string_view version, std::string name, std::u16string_view path) {
        platform
            .binaries[FakeSwitchPlatform::Key(RegistryRoot::CurrentUser, DisabledItemsKey(version))]
            .push_back({std::move(name), Item(path)});
    }
    Log Disabled(std::string_view version) {
        Log names;
        for (const BinaryValue& v : platform.binaries[FakeSwitchPlatform::Key(
                 RegistryRoot::CurrentUser, DisabledItemsKey(version))]) {
            names.push_back(v.name);
        }
        return names;
    }
    bool Listed() const { return platform.keys.count(kAddinKey) != 0; }
};

TEST_F(SwitchTest, OnRegistersBothThenListsTheAddinWithLoadBehavior3) {
    EXPECT_TRUE(addin.EnableAddin().empty());
    const Log expected = {
        "run \"C:\\Windows\\SysWOW64\\regsvr32.exe\" /s \"" + kDll32 + "\"",
        "run \"C:\\Windows\\System32\\regsvr32.exe\" /s \"" + kDll64 + "\"",
        "create " + std::string(kWordAddinKey),
        "set " + std::string(kWordAddinKey),
        "list " + DisabledItemsKey("12.0"),
        "list " + DisabledItemsKey("14.0"),
        "list " + DisabledItemsKey("15.0"),
        "list " + DisabledItemsKey("16.0"),
    };
    EXPECT_EQ(platform.log, expected);
    EXPECT_EQ(platform.dwords[kAddinKey + " : LoadBehavior"], 3u);
}

TEST_F(SwitchTest, OnClearsWordsDisabledEntriesForTheRegisteredAddinsOnly) {
    PlantDisabled("16.0", "a", u"C:\\PROGRAM FILES\\Tavlin\\TavlinAddin.dll");
    PlantDisabled("16.0", "other", u"C:\\Other\\Other.dll");
    PlantDisabled("14.0", "b", u"C:/Program Files/Tavlin/x64/./TavlinAddin.dll");
    PlantDisabled("12.0", "elsewhere", u"C:\\Old\\TavlinAddin.dll");
    EXPECT_TRUE(addin.EnableAddin().empty());
    EXPECT_EQ(Disabled("16.0"), (Log{"other"}));
    EXPECT_EQ(Disabled("14.0"), Log{});
    EXPECT_EQ(Disabled("12.0"), (Log{"elsewhere"}));

    // An add-in that did not register stays disabled: Word would fail on
    // it all the same.
    PlantDisabled("16.0", "a", u"C:\\Program Files\\Tavlin\\TavlinAddin.dll");
    PlantDisabled("16.0", "b", u"C:\\Program Files\\Tavlin\\x64\\TavlinAddin.dll");
    platform.runs[kDll64] = kCannotLoad;
    EXPECT_EQ(addin.EnableAddin().size(), 1u);
    EXPECT_EQ(Disabled("16.0"), (Log{"other", "b"}));
}

TEST_F(SwitchTest, OneAddinFailingIsReportedAndTheOtherStillListed) {
    platform.runs[kDll32] = kCannotLoad;
    EXPECT_EQ(Descriptions(addin.EnableAddin()),
              (Log{"The add-in " + kDll32 +
                   " could not be switched on. The file is missing or cannot be loaded (regsvr32 "
                   "exit code 3)."}));
    EXPECT_TRUE(Listed());
    EXPECT_EQ(platform.dwords[kAddinKey + " : LoadBehavior"], 3u);
}

TEST_F(SwitchTest, NothingRegisteredMeansNoAddinKey) {
    platform.runs[kDll32] = kCannotLoad;
    platform.runs[kDll64] = {ToolRun::Outcome::NotStarted, 0, "File not found."};
    const Log failures = Descriptions(addin.EnableAddin());
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find(kDll32), std::string::npos);
    EXPECT_EQ(failures[1], "The add-in " + kDll64 +
                               " could not be switched on. C:\\Windows\\System32\\regsvr32.exe "
                               "could not be started: File not found.");
    EXPECT_FALSE(Listed());
    EXPECT_EQ(platform.log.size(), 2u) << "only the two runs";
}

TEST_F(SwitchTest, OnOn32BitWindowsRegistersTheI686AddinAlone) {
    platform.facts = Facts(k32, k32);
    EXPECT_TRUE(addin.EnableAddin().empty());
    EXPECT_EQ(platform.log[0], "run \"C:\\Windows\\system32\\regsvr32.exe\" /s \"" + kDll32 + "\"");
    EXPECT_EQ(platform.log[1], "create " + std::string(kWordAddinKey));
}

TEST_F(SwitchTest, AKeyThatCannotBeWrittenIsReportedNotHidden) {
    platform.refused = {"create", "list"};
    EXPECT_EQ(Descriptions(addin.EnableAddin()),
              (Log{"Word's add-in key could not be written: Access is denied.",
                   "Word's list of disabled add-ins could not be cleared: Access is denied."}));
    EXPECT_FALSE(Listed());
}

TEST_F(SwitchTest, OffUnregistersBothThenDeletesTheAddinKey) {
    platform.keys.insert(kAddinKey);
    EXPECT_TRUE(addin.DisableAddin().empty());
    const Log expected = {
        "run \"C:\\Windows\\SysWOW64\\regsvr32.exe\" /u /s \"" + kDll32 + "\"",
        "run \"C:\\Windows\\System32\\regsvr32.exe\" /u /s \"" + kDll64 + "\"",
        "create " + std::string(kWordAddinListKey),
        "delete " + std::string(kWordAddinKey),
    };
    EXPECT_EQ(platform.log, expected);
    EXPECT_FALSE(Listed());
    EXPECT_EQ(platform.keys.count("HKCU\\" + std::string(kWordAddinListKey)), 1u);
}

TEST_F(SwitchTest, OffKeepsTheKeyWhenNothingWasUnregistered) {
    platform.keys.insert(kAddinKey);
    platform.runs[kDll64] = kCannotLoad;
    EXPECT_EQ(addin.DisableAddin().size(), 1u);
    EXPECT_FALSE(Listed()) << "the i686 add-in went, and the key with it";

    platform.keys.insert(kAddinKey);
    platform.runs[kDll32] = {ToolRun::Outcome::StillRunning, 0, {}};
    const Log failures = Descriptions(addin.DisableAddin());
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0], "The add-in " + kDll32 +
                               " could not be switched off. C:\\Windows\\SysWOW64\\regsvr32.exe "
                               "did not end within 30 seconds.");
    EXPECT_TRUE(Listed());
}

// --- A machine-wide installation ---------------------------------------------

TEST(MachineWideInstallation, TheRecordedFolderMustBeTheProgramFolder) {
    const std::string_view program = "C:\\Program Files\\Tavlin";
    struct Case {
        std::optional<std::string> recorded;
        std::string_view programFolder;
        bool machineWide;
    };
    const Case cases[] = {
        // As the package writes it, with a trailing backslash, or without.
        {"C:\\Program Files\\Tavlin\\", program, true},
        {"C:\\Program Files\\Tavlin", program, true},
        {"C:\\Program Files\\Tavlin\\", "C:\\Program Files\\Tavlin\\", true},
        {"c:\\PROGRAM FILES\\tavlin\\", program, true},
        {"C:\\Program Files\\Tavlin\\\\", program, true},
        {"C:\\Program Files\\\xC3\xA4rende \xD0\xB4\\", // "ärende д"
         "C:\\Program Files\\\xC3\x84RENDE \xD0\x94", true},
        // Another folder: a developer's copy, another view's folder, a
        // folder above or below, a name that merely starts alike.
        {"D:\\Work\\Tavlin\\", program, false},
        {"C:\\Program Files (x86)\\Tavlin\\", program, false},
        {"C:\\Program Files\\", program, false},
        {"C:\\Program Files\\Tavlin\\x64\\", program, false},
        {"C:\\Program Files\\Tavlin2\\", program, false},
        {"C:\\Program Files\\Tavli\\", program, false},
        // Nothing usable recorded.
        {std::nullopt, program, false},
        {"", program, false},
        {" ", program, false},
        {"\\", program, false},
        {"Tavlin\\", "Tavlin", false},
        // A program that could not find its own folder is in none.
        {"", "", false},
        {"C:\\Program Files\\Tavlin\\", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsMachineWideInstallation(c.recorded, c.programFolder), c.machineWide)
            << c.recorded.value_or("(missing)") << " for " << c.programFolder;
    }
}

const std::string kMarkerFolder = FakeSwitchPlatform::Name(
    RegistryRoot::LocalMachine64, kMachineInstallKey, kMachineInstallFolderValue);
const std::string kMarkerCode = FakeSwitchPlatform::Name(
    RegistryRoot::LocalMachine64, kMachineInstallKey, kMachineInstallProductCodeValue);
const std::string kProductCode = "{6A1F4C1E-2B7D-4E55-9C0A-3D8E7F210B44}";

// The package writes the marker into HKLM's 64-bit view only; the i686
// Tavlinar on 64-bit Windows sees the 32-bit view as its HKLM, and must
// still find it.
TEST(MachineWideInstallation, IsReadFromThe64BitViewInEveryProcess) {
    const std::string inOwnView = FakeSwitchPlatform::Name(
        RegistryRoot::LocalMachine, kMachineInstallKey, kMachineInstallFolderValue);
    struct Case {
        const char* name;
        Bitness process;
        Bitness system;
        std::map<std::string, std::string> values;
        bool machineWide;
    };
    const std::string folder = "C:\\Program Files\\Tavlin\\";
    const Case cases[] = {
        {"64-bit program", k64, k64, {{kMarkerFolder, folder}, {kMarkerCode, kProductCode}}, true},
        {"32-bit program on 64-bit Windows",
         k32,
         k64,
         {{kMarkerFolder, folder}, {kMarkerCode, kProductCode}},
         true},
        {"32-bit Windows, whose one view is asked for as the 64-bit one",
         k32,
         k32,
         {{kMarkerFolder, folder}, {kMarkerCode, kProductCode}},
         true},
        {"the folder decides, not the product code", k32, k64, {{kMarkerFolder, folder}}, true},
        {"the 32-bit view is not where the package writes", k32, k64, {{inOwnView, folder}}, false},
        {"no folder recorded", k64, k64, {{kMarkerCode, kProductCode}}, false},
        {"an empty folder recorded",
         k64,
         k64,
         {{kMarkerFolder, ""}, {kMarkerCode, kProductCode}},
         false},
        {"another folder recorded",
         k32,
         k64,
         {{kMarkerFolder, "C:\\Program Files (x86)\\Tavlin\\"}, {kMarkerCode, kProductCode}},
         false},
        {"no marker", k64, k64, {}, false},
    };
    for (const Case& c : cases) {
        FakeSwitchPlatform platform;
        platform.facts.process = c.process;
        platform.facts.system = c.system;
        platform.strings = c.values;
        PlatformAddinSwitch addin{platform};
        EXPECT_EQ(addin.MachineWide(), c.machineWide) << c.name;
    }
}

struct MachineWideSwitchTest : SwitchTest {
    MachineWideSwitchTest() {
        platform.strings[kMarkerFolder] = "C:\\Program Files\\Tavlin\\";
        platform.strings[kMarkerCode] = kProductCode;
    }
    // What the switch did besides reading: neither a tool nor a key.
    Log Changes() const {
        Log changes;
        for (const std::string& entry : platform.log) {
            if (entry.rfind("list ", 0) != 0) {
                changes.push_back(entry);
            }
        }
        return changes;
    }
};

TEST_F(MachineWideSwitchTest, OnRunsNoToolAndWritesNoKeyButClearsThisUsersDisabledEntries) {
    PlantDisabled("16.0", "a", u"C:\\PROGRAM FILES\\Tavlin\\TavlinAddin.dll");
    PlantDisabled("14.0", "b", u"C:\\Program Files\\Tavlin\\x64\\TavlinAddin.dll");
    PlantDisabled("16.0", "other", u"C:\\Other\\Other.dll");
    EXPECT_TRUE(addin.EnableAddin().empty());
    EXPECT_EQ(Changes(), (Log{"delete value " + DisabledItemsKey("14.0"),
                              "delete value " + DisabledItemsKey("16.0")}));
    EXPECT_EQ(Disabled("16.0"), (Log{"other"}));
    EXPECT_EQ(Disabled("14.0"), Log{});
    EXPECT_TRUE(platform.keys.empty());
    EXPECT_TRUE(platform.dwords.empty());
}

TEST_F(MachineWideSwitchTest, OffDoesNothingAtAllAndLeavesAnOldListingAsItWas) {
    platform.keys.insert(kAddinKey);
    PlantDisabled("16.0", "a", u"C:\\Program Files\\Tavlin\\TavlinAddin.dll");
    EXPECT_TRUE(addin.DisableAddin().empty());
    EXPECT_EQ(platform.log, Log{});
    EXPECT_TRUE(Listed());
    EXPECT_EQ(Disabled("16.0"), (Log{"a"}));
}

TEST_F(MachineWideSwitchTest, AFailingClearIsReportedAndNothingElseIsTried) {
    platform.refused = {"delete value"};
    PlantDisabled("16.0", "a", u"C:\\Program Files\\Tavlin\\TavlinAddin.dll");
    EXPECT_EQ(Descriptions(addin.EnableAddin()),
              (Log{"Word's list of disabled add-ins could not be cleared: Access is denied."}));
    EXPECT_EQ(Changes(), (Log{"delete value " + DisabledItemsKey("16.0")}));
}

// The window says what OK does: both ask once.
TEST_F(MachineWideSwitchTest, TheKindIsReadOnceForTheWholeRun) {
    EXPECT_TRUE(addin.MachineWide());
    platform.strings.clear();
    EXPECT_TRUE(addin.MachineWide());
    EXPECT_TRUE(addin.EnableAddin().empty());
    EXPECT_EQ(Changes(), Log{});
}

TEST_F(SwitchTest, AMarkerForAnotherFolderSwitchesPerUserAsEver) {
    platform.strings[kMarkerFolder] = "D:\\Elsewhere\\Tavlin\\";
    EXPECT_FALSE(addin.MachineWide());
    EXPECT_TRUE(addin.EnableAddin().empty());
    ASSERT_EQ(platform.log.size(), 8u);
    EXPECT_EQ(platform.log[0], "run \"C:\\Windows\\SysWOW64\\regsvr32.exe\" /s \"" + kDll32 + "\"");
    EXPECT_TRUE(Listed());
    EXPECT_TRUE(addin.DisableAddin().empty());
    EXPECT_FALSE(Listed());
}

// Not knowing, neither way is safe: per user could unregister the machine's
// add-ins for everyone.
TEST_F(SwitchTest, AnInstallationThatCannotBeReadSwitchesNothing) {
    platform.unreadable = {
        FakeSwitchPlatform::Key(RegistryRoot::LocalMachine64, kMachineInstallKey)};
    platform.keys.insert(kAddinKey);
    const Log failure = {"How Tavlin is installed could not be read: Access is denied."};
    EXPECT_THROW((void)addin.MachineWide(), Error);
    EXPECT_EQ(Descriptions(addin.EnableAddin()), failure);
    EXPECT_EQ(Descriptions(addin.DisableAddin()), failure);
    EXPECT_EQ(platform.log, Log{});
    EXPECT_TRUE(Listed());
}

// --- Starting Word -----------------------------------------------------------

const std::string kAppPath =
    FakeSwitchPlatform::Name(RegistryRoot::LocalMachine, kWordAppPathKey, "");

TEST_F(SwitchTest, WordStartsByTheFullPathAppPathsGivesInItsOwnFolder) {
    platform.environment["ProgramFiles"] = "C:\\Program Files";
    struct Case {
        const char* value;
        const char* started;
    };
    const Case cases[] = {
        {"C:\\Office\\WINWORD.EXE",
         "start C:\\Office\\WINWORD.EXE | \"C:\\Office\\WINWORD.EXE\" | C:\\Office"},
        {"\"C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE\"",
         "start C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE | \"C:\\Program "
         "Files\\Microsoft Office\\Office12\\WINWORD.EXE\" | C:\\Program Files\\Microsoft "
         "Office\\Office12"},
        {"%ProgramFiles%\\Microsoft Office\\root\\Office16\\WINWORD.EXE",
         "start C:\\Program Files\\Microsoft Office\\root\\Office16\\WINWORD.EXE | \"C:\\Program "
         "Files\\Microsoft Office\\root\\Office16\\WINWORD.EXE\" | C:\\Program Files\\Microsoft "
         "Office\\root\\Office16"},
        {"C:\\WINWORD.EXE", "start C:\\WINWORD.EXE | \"C:\\WINWORD.EXE\" | C:\\"},
    };
    for (const Case& c : cases) {
        platform.log.clear();
        platform.strings[kAppPath] = c.value;
        addin.StartWord();
        EXPECT_EQ(platform.log, (Log{c.started})) << c.value;
    }
}

// A 32-bit process on 64-bit Windows (the i686 Tavlinar, which the download
// installs) reads the 32-bit view of App Paths, where 64-bit Word is not.
TEST_F(SwitchTest, TheI686ProgramFindsA64BitWordInThe64BitView) {
    const std::string appPath64 =
        FakeSwitchPlatform::Name(RegistryRoot::LocalMachine64, kWordAppPathKey, "");
    platform.environment = {{"ProgramFiles", "C:\\Program Files (x86)"},
                            {"ProgramW6432", "C:\\Program Files"},
                            {"CommonProgramFiles", "C:\\Program Files (x86)\\Common Files"},
                            {"CommonProgramW6432", "C:\\Program Files\\Common Files"}};
    struct Case {
        const char* name;
        Bitness process;
        Bitness system;
        std::optional<std::string> ownView;
        std::optional<std::string> view64;
        const char* started; // nothing: no Word
    };
    const Case cases[] = {
        {"64-bit Word only, written with the 64-bit program folder's variable", k32, k64,
         std::nullopt, "%ProgramFiles%\\Microsoft Office\\root\\Office16\\WINWORD.EXE",
         "C:\\Program Files\\Microsoft Office\\root\\Office16\\WINWORD.EXE"},
        {"64-bit Word only, in lower case and the common files folder", k32, k64, std::nullopt,
         "%commonprogramfiles%\\Word\\WINWORD.EXE",
         "C:\\Program Files\\Common Files\\Word\\WINWORD.EXE"},
        {"a full path in the 64-bit view", k32, k64, std::nullopt, "D:\\Office\\WINWORD.EXE",
         "D:\\Office\\WINWORD.EXE"},
        {"32-bit Word in its own view comes first", k32, k64,
         "%ProgramFiles%\\Office12\\WINWORD.EXE", "D:\\Office\\WINWORD.EXE",
         "C:\\Program Files (x86)\\Office12\\WINWORD.EXE"},
        {"an unusable entry in its own view does not hide 64-bit Word", k32, k64, "WINWORD.EXE",
         "D:\\Office\\WINWORD.EXE", "D:\\Office\\WINWORD.EXE"},
        {"32-bit Windows has no other view", k32, k32, std::nullopt, "D:\\Office\\WINWORD.EXE",
         nullptr},
        {"a 64-bit process reads the 64-bit view as its own", k64, k64, std::nullopt,
         "D:\\Office\\WINWORD.EXE", nullptr},
    };
    for (const Case& c : cases) {
        platform.log.clear();
        platform.strings.clear();
        platform.facts.process = c.process;
        platform.facts.system = c.system;
        if (c.ownView) {
            platform.strings[kAppPath] = *c.ownView;
        }
        if (c.view64) {
            platform.strings[appPath64] = *c.view64;
        }
        if (c.started == nullptr) {
            EXPECT_THROW(addin.StartWord(), Error) << c.name;
            EXPECT_TRUE(platform.log.empty()) << c.name;
            continue;
        }
        addin.StartWord();
        ASSERT_EQ(platform.log.size(), 1u) << c.name;
        EXPECT_EQ(platform.log[0].substr(0, platform.log[0].find(" | ")),
                  "start " + std::string(c.started))
            << c.name;
    }
}

TEST_F(SwitchTest, NoWordRegisteredOrNotStartableIsAnError) {
    const std::string none =
        "Microsoft Word could not be started: no Word is registered on this computer.";
    for (const char* value : {"", "  ", "\"\"", "WINWORD.EXE", "%NoSuchFolder%\\WINWORD.EXE"}) {
        platform.strings[kAppPath] = value;
        try {
            addin.StartWord();
            ADD_FAILURE() << "started for '" << value << "'";
        } catch (const Error& e) {
            EXPECT_EQ(e.description(), none) << value;
        }
    }
    platform.strings.clear();
    EXPECT_THROW(addin.StartWord(), Error);
    EXPECT_TRUE(platform.log.empty()) << "nothing was started";

    platform.strings[kAppPath] = "C:\\Office\\WINWORD.EXE";
    platform.startFails = true;
    try {
        addin.StartWord();
        ADD_FAILURE() << "a Word that cannot start was reported started";
    } catch (const Error& e) {
        EXPECT_EQ(
            e.description(),
            "Microsoft Word could not be started from C:\\Office\\WINWORD.EXE: File not found.");
    }
}

} // namespace
} // namespace tavlin::control
