#include "control/switching.h"

#include "common/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlin::control {
namespace {

using Log = std::vector<std::string>;

// Logs each call; the call numbered failAt (0-based) fails, by throwing or,
// for CreateKey, by answering kNoKey.
struct FakePlatform final : SwitchPlatform {
    void RunProgram(std::string_view program, std::string_view commandLine,
                    std::chrono::milliseconds wait) override {
        Record("run " + std::string(program) + " | " + std::string(commandLine) + " | " +
               std::to_string(wait.count()));
    }
    RegistryKey CreateKey(RegistryRoot root, std::string_view path) override {
        EXPECT_EQ(root, RegistryRoot::CurrentUser);
        const bool fails = calls == failAt;
        if (fails && refuseQuietly) {
            log.push_back("create " + std::string(path));
            ++calls;
            return kNoKey;
        }
        Record("create " + std::string(path));
        return 7;
    }
    void DeleteSubkey(RegistryKey key, std::string_view subkey) override {
        Record("delete " + std::to_string(key) + " " + std::string(subkey));
    }
    void CloseKey(RegistryKey key) override { Record("close " + std::to_string(key)); }

    void Record(std::string entry) {
        log.push_back(std::move(entry));
        if (calls++ == failAt) {
            throw Error(ErrorCode::Platform, "Access is denied.");
        }
    }

    Log log;
    int calls = 0;
    int failAt = -1;
    bool refuseQuietly = false;
};

const SwitchPaths kPaths{"C:\\Windows\\system32\\regsvr32.exe",
                         "C:\\Program Files\\Word Tools\\TavlinAddin.dll"};

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
        {"", "", true, "\"\" /u /s \"\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegistrationCommandLine(c.tool, c.file, c.unregister), c.line);
    }
}

TEST(AddinFilePath, AppendsTheFileNameToTheFolder) {
    EXPECT_EQ(AddinFilePath("C:\\Program Files\\Word Tools"),
              "C:\\Program Files\\Word Tools\\TavlinAddin.dll");
    EXPECT_EQ(AddinFilePath(""), "\\TavlinAddin.dll");
}

const Log kEnableCalls = {
    "run C:\\Windows\\system32\\regsvr32.exe | \"C:\\Windows\\system32\\regsvr32.exe\" /s "
    "\"C:\\Program Files\\Word Tools\\TavlinAddin.dll\" | 30000",
    "create Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect",
    "close 7",
};
const Log kDisableCalls = {
    "run C:\\Windows\\system32\\regsvr32.exe | \"C:\\Windows\\system32\\regsvr32.exe\" /u /s "
    "\"C:\\Program Files\\Word Tools\\TavlinAddin.dll\" | 30000",
    "create Software\\Microsoft\\Office\\Word\\AddIns",
    "delete 7 TavlinCom.Connect",
    "close 7",
};

TEST(Switching, EnableRegistersWaitsThenCreatesTheAddinKey) {
    FakePlatform platform;
    EnableAddin(platform, kPaths);
    EXPECT_EQ(platform.log, kEnableCalls);
}

TEST(Switching, DisableUnregistersWaitsThenDeletesTheAddinKey) {
    FakePlatform platform;
    DisableAddin(platform, kPaths);
    EXPECT_EQ(platform.log, kDisableCalls);
}

// A create that throws leaves no key: the later steps get none.
Log WithoutKey(Log calls) {
    for (std::string& call : calls) {
        if (const auto at = call.find(" 7"); at != std::string::npos) {
            call.replace(at, 2, " 0");
        }
    }
    return calls;
}

TEST(Switching, EveryStepRunsWhicheverStepFails) {
    for (int failAt = 0; failAt < static_cast<int>(kDisableCalls.size()); ++failAt) {
        FakePlatform platform;
        platform.failAt = failAt;
        DisableAddin(platform, kPaths);
        EXPECT_EQ(platform.log, failAt == 1 ? WithoutKey(kDisableCalls) : kDisableCalls) << failAt;
    }
    for (int failAt = 0; failAt < static_cast<int>(kEnableCalls.size()); ++failAt) {
        FakePlatform platform;
        platform.failAt = failAt;
        EnableAddin(platform, kPaths);
        EXPECT_EQ(platform.log, failAt == 1 ? WithoutKey(kEnableCalls) : kEnableCalls) << failAt;
    }
}

TEST(Switching, AKeyThatCannotBeOpenedIsPassedOnAsNone) {
    FakePlatform platform;
    platform.failAt = 1;
    platform.refuseQuietly = true;
    DisableAddin(platform, kPaths);
    EXPECT_EQ(platform.log,
              (Log{kDisableCalls[0], kDisableCalls[1], "delete 0 TavlinCom.Connect", "close 0"}));

    FakePlatform thrown;
    thrown.failAt = 0;
    EXPECT_EQ(CreateRegistryKey(thrown, "Software\\X", RegistryRoot::CurrentUser), kNoKey);
    EXPECT_EQ(CreateRegistryKey(thrown, "Software\\X", RegistryRoot::CurrentUser), 7u);
}

TEST(Switching, ThePlatformSwitchCallsTheRightOperation) {
    FakePlatform platform;
    PlatformAddinSwitch addin(platform, kPaths);
    addin.DisableAddin();
    addin.EnableAddin();
    Log expected = kDisableCalls;
    expected.insert(expected.end(), kEnableCalls.begin(), kEnableCalls.end());
    EXPECT_EQ(platform.log, expected);
}

} // namespace
} // namespace tavlin::control
