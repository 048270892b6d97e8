#include "control/paths.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tavlin::control {
namespace {

TEST(NormalizedPath, ResolvesDotsSlashesAndTrailingSeparators) {
    struct Case {
        const char* path;
        const char* normal;
    };
    const Case cases[] = {
        {"C:\\T3\\..\\T4", "C:\\T4"},
        {"C:\\T4\\", "C:\\T4"},
        {"C:/T4/x64/TavlinAddin.dll", "C:\\T4\\x64\\TavlinAddin.dll"},
        {"C:\\T4\\.\\x64\\\\TavlinAddin.dll", "C:\\T4\\x64\\TavlinAddin.dll"},
        {"C:\\T4\\x64\\..\\..\\T4\\TavlinAddin.dll", "C:\\T4\\TavlinAddin.dll"},
        {"C:\\", "C:\\"},
        {"C:\\..\\..\\T4", "C:\\T4"}, // never above the root
        {"c:", "c:"},
        {"\\\\server\\share\\T4\\..\\..\\x", "\\\\server\\share\\x"},
        {"//server/share/T4/", "\\\\server\\share\\T4"},
        {"..\\a\\..\\..\\b", "..\\..\\b"}, // relative: unresolvable ".." kept
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormalizedPath(c.path), c.normal) << c.path;
    }
}

TEST(SamePath, ComparesAsWindowsDoes) {
    const char* program = "C:\\Program Files\\Tavlin \xC3\x9Cn\xC3\xAF\\x64\\TavlinAddin.dll";
    for (const char* same : {
             "C:\\PROGRAM FILES\\TAVLIN \xC3\x9CN\xC3\x8F\\X64\\TAVLINADDIN.DLL",
             "c:\\program files\\tavlin \xC3\xBCn\xC3\xAF\\x64\\tavlinaddin.dll",
             "C:/Program Files/Tavlin \xC3\x9Cn\xC3\xAF/x64/TavlinAddin.dll",
             "C:\\Program Files\\Tavlin \xC3\x9Cn\xC3\xAF\\x64\\..\\x64\\.\\TavlinAddin.dll",
             "C:\\Program Files\\\\Tavlin \xC3\x9Cn\xC3\xAF\\x64\\TavlinAddin.dll\\",
         }) {
        EXPECT_TRUE(SamePath(program, same)) << same;
    }
    for (const char* other : {
             "C:\\Program Files\\Tavlin \xC3\x9Cn\xC3\xAF\\TavlinAddin.dll",
             "D:\\Program Files\\Tavlin \xC3\x9Cn\xC3\xAF\\x64\\TavlinAddin.dll",
             "C:\\Program Files\\Tavlin Uni\\x64\\TavlinAddin.dll",
             "C:\\Program Files\\Tavlin \xC3\x9Cn\xC3\xAF\\x64\\TavlinAddin.dl",
             "",
         }) {
        EXPECT_FALSE(SamePath(program, other)) << other;
    }
    // Cyrillic and Greek fold too; broken UTF-8 only equals itself.
    EXPECT_TRUE(SamePath("C:\\\xD0\x9F\xD1\x80\xD0\xB8", "C:\\\xD0\xBF\xD0\xA0\xD0\x98"));
    EXPECT_TRUE(SamePath("C:\\\xCE\xB1\xCE\xB2", "C:\\\xCE\x91\xCE\x92"));
    EXPECT_TRUE(SamePath("C:\\\xC4\x8D\xC5\xBE", "C:\\\xC4\x8C\xC5\xBD")); // č ž / Č Ž
    EXPECT_FALSE(SamePath("C:\\\xC3", "C:\\\xC4"));
    EXPECT_TRUE(SamePath("C:\\\xC3", "C:\\\xC3"));
}

TEST(IsAbsolutePath, OnlyPathsThatNeedNoCurrentFolder) {
    for (const char* yes : {"C:\\x", "c:/x", "C:\\", "\\\\server\\share", "\\\\server\\share\\x"}) {
        EXPECT_TRUE(IsAbsolutePath(yes)) << yes;
    }
    for (const char* no : {"", "WINWORD.EXE", "C:x", "C:", "\\x", "\\\\server", ".\\x"}) {
        EXPECT_FALSE(IsAbsolutePath(no)) << no;
    }
}

TEST(FolderOf, KeepsTheRootOfADrive) {
    EXPECT_EQ(FolderOf("C:\\Office\\WINWORD.EXE"), "C:\\Office");
    EXPECT_EQ(FolderOf("C:\\WINWORD.EXE"), "C:\\");
    EXPECT_EQ(FolderOf("\\\\s\\share\\WINWORD.EXE"), "\\\\s\\share");
    EXPECT_EQ(FolderOf("WINWORD.EXE"), "");
    EXPECT_EQ(JoinPath("C:\\", "x"), "C:\\x");
    EXPECT_EQ(JoinPath("C:\\P", "x"), "C:\\P\\x");
}

TEST(ExpandEnvironmentText, AsWindowsExpandsIt) {
    const std::map<std::string, std::string> env = {
        {"ProgramFiles", "C:\\Program Files"}, {"EMPTY", ""}, {"A", "1"}};
    const EnvironmentLookup lookup = [&](std::string_view name) -> std::optional<std::string> {
        const auto it = env.find(std::string(name));
        return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    struct Case {
        const char* text;
        const char* expanded;
    };
    const Case cases[] = {
        {"%ProgramFiles%\\Office", "C:\\Program Files\\Office"},
        {"x%EMPTY%y", "xy"},
        {"%MISSING%\\x", "%MISSING%\\x"},
        {"%MISSING%A%", "%MISSING1"}, // the closing % may open the next name
        {"100%", "100%"},
        {"%%", "%%"},
        {"%A%%A%", "11"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpandEnvironmentText(c.text, lookup), c.expanded) << c.text;
    }
}

TEST(WordProgramFromAppPath, WhatEachRegisteredValueGives) {
    const EnvironmentLookup lookup = [](std::string_view name) -> std::optional<std::string> {
        if (name == "ProgramFiles") {
            return "C:\\Program Files";
        }
        return std::nullopt;
    };
    const std::string office = "C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE";
    struct Case {
        std::optional<std::string> value;
        std::optional<std::string> word;
    };
    const Case cases[] = {
        {office, office},
        {"\"" + office + "\"", office},
        {"  \"" + office + "\"  ", office},
        {"\"" + office, office}, // no closing quote
        {"%ProgramFiles%\\Microsoft Office\\Office12\\WINWORD.EXE", office},
        {"\"%ProgramFiles%\\Microsoft Office\\Office12\\WINWORD.EXE\"", office},
        {std::nullopt, std::nullopt},
        {"", std::nullopt},
        {"\"\"", std::nullopt},
        {"WINWORD.EXE", std::nullopt},
        {"Office12\\WINWORD.EXE", std::nullopt},
        {"%Unknown%\\WINWORD.EXE", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WordProgramFromAppPath(c.value, lookup), c.word) << c.value.value_or("(none)");
    }
}

} // namespace
} // namespace tavlin::control
