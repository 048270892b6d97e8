// A system for the switch to work on: the registry in memory, regsvr32's
// answers chosen per add-in file, every call logged in order.
#pragma once

#include "control/switching.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tavlin::control::testing {

struct FakeSwitchPlatform final : SwitchPlatform {
    SystemFacts Facts() override { return facts; }

    ToolRun RunAndWait(std::string_view program, std::string_view commandLine,
                       std::chrono::milliseconds wait) override {
        log.push_back("run " + std::string(commandLine));
        EXPECT_EQ(wait, kRegistrationWait);
        EXPECT_EQ(commandLine.substr(1, program.size()), program);
        for (const auto& [file, run] : runs) {
            if (commandLine.find("\"" + file + "\"") != std::string_view::npos) {
                return run;
            }
        }
        return {};
    }
    void Start(std::string_view program, std::string_view commandLine,
               std::string_view workingFolder) override {
        log.push_back("start " + std::string(program) + " | " + std::string(commandLine) + " | " +
                      std::string(workingFolder));
        if (startFails) {
            throw Error(ErrorCode::Platform, "File not found.");
        }
    }
    std::optional<std::string> Environment(std::string_view name) override {
        const auto it = environment.find(std::string(name));
        return it == environment.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::optional<std::string> ReadString(RegistryRoot root, std::string_view path,
                                          std::string_view name) override {
        if (unreadable.count(Key(root, path)) != 0) {
            throw Error(ErrorCode::Platform, "Access is denied.");
        }
        const auto it = strings.find(Name(root, path, name));
        return it == strings.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void CreateKey(RegistryRoot root, std::string_view path) override {
        Refuse("create", path);
        keys.insert(Key(root, path));
    }
    void DeleteKey(RegistryRoot root, std::string_view path) override {
        Refuse("delete", path);
        keys.erase(Key(root, path));
        dwords.erase(Name(root, path, "LoadBehavior"));
    }
    void SetDword(RegistryRoot root, std::string_view path, std::string_view name,
                  std::uint32_t value) override {
        Refuse("set", path);
        keys.insert(Key(root, path));
        dwords[Name(root, path, name)] = value;
    }
    std::vector<BinaryValue> BinaryValues(RegistryRoot root, std::string_view path) override {
        Refuse("list", path);
        const auto it = binaries.find(Key(root, path));
        return it == binaries.end() ? std::vector<BinaryValue>{} : it->second;
    }
    void DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) override {
        Refuse("delete value", path);
        std::erase_if(binaries[Key(root, path)],
                      [&](const BinaryValue& v) { return v.name == name; });
    }

    static std::string Key(RegistryRoot root, std::string_view path) {
        const char* const roots[] = {"HKCU\\", "HKLM\\", "HKLM64\\"};
        return roots[static_cast<int>(root)] + std::string(path);
    }
    static std::string Name(RegistryRoot root, std::string_view path, std::string_view name) {
        return Key(root, path) + " : " + std::string(name);
    }
    void Refuse(const char* operation, std::string_view path) {
        log.push_back(std::string(operation) + " " + std::string(path));
        if (refused.count(operation) != 0) {
            throw Error(ErrorCode::Platform, "Access is denied.");
        }
    }

    SystemFacts facts{Bitness::Bits64, Bitness::Bits64, "C:\\Windows", "C:\\Windows\\system32",
                      "C:\\Program Files\\Tavlin"};
    std::map<std::string, ToolRun> runs; // by add-in file; others exit 0
    std::map<std::string, std::string> environment;
    std::map<std::string, std::string> strings;
    std::set<std::string> keys;
    std::map<std::string, std::uint32_t> dwords;
    std::map<std::string, std::vector<BinaryValue>> binaries;
    std::set<std::string> refused;    // operations that fail
    std::set<std::string> unreadable; // keys whose values cannot be read
    bool startFails = false;
    std::vector<std::string> log;
};

} // namespace tavlin::control::testing
