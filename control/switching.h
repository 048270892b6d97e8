// Switching the add-in on and off for Word: register or unregister the COM
// server with the system's tool, and create or delete its key among Word's
// add-ins. The platform does the work; the order of the steps, the command
// lines and the rule that no failure stops or escapes live here.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace tavlin::control {

// An open registry key as the platform hands it out; 0 is none.
using RegistryKey = std::uintptr_t;
inline constexpr RegistryKey kNoKey = 0;
enum class RegistryRoot { CurrentUser };

class SwitchPlatform {
public:
    virtual ~SwitchPlatform() = default;
    // Starts program (a full path; nothing is searched) with the whole
    // command line, its window minimised, and waits for it to end, at most
    // for wait. May throw; the caller ignores every failure.
    virtual void RunProgram(std::string_view program, std::string_view commandLine,
                            std::chrono::milliseconds wait) = 0;
    // Creates the key or opens it when it exists: full access, default
    // security. kNoKey when the platform refuses.
    virtual RegistryKey CreateKey(RegistryRoot root, std::string_view path) = 0;
    // Deletes a subkey that has no subkeys of its own.
    virtual void DeleteSubkey(RegistryKey key, std::string_view subkey) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
};

// Text is UTF-8 throughout, so a program folder in any script survives.
struct SwitchPaths {
    std::string registrationTool; // regsvr32.exe in the system folder
    std::string addinFile;        // the program folder and "\TavlinAddin.dll"
};

// A registration that hangs must not keep the window (and Word) waiting for
// ever; one that merely runs long finishes on its own.
inline constexpr std::chrono::milliseconds kRegistrationWait{30000};

[[nodiscard]] std::string AddinFilePath(std::string_view programFolder);

// "<tool>" /s "<file>", or "<tool>" /u /s "<file>".
[[nodiscard]] std::string RegistrationCommandLine(std::string_view tool, std::string_view addinFile,
                                                  bool unregister);

// kNoKey when the key cannot be created or opened; never throws.
[[nodiscard]] RegistryKey CreateRegistryKey(SwitchPlatform& platform, std::string_view path,
                                            RegistryRoot root) noexcept;

// Register, wait for the tool, then make sure Word's add-in key exists.
void EnableAddin(SwitchPlatform& platform, const SwitchPaths& paths) noexcept;
// Unregister, wait for the tool, then delete Word's add-in key.
void DisableAddin(SwitchPlatform& platform, const SwitchPaths& paths) noexcept;

// What the settings window's OK calls: one of the two, by box 0.
class AddinSwitch {
public:
    virtual ~AddinSwitch() = default;
    virtual void EnableAddin() = 0;
    virtual void DisableAddin() = 0;
};

class PlatformAddinSwitch final : public AddinSwitch {
public:
    PlatformAddinSwitch(SwitchPlatform& platform, SwitchPaths paths)
        : platform_(platform), paths_(std::move(paths)) {}
    void EnableAddin() override { control::EnableAddin(platform_, paths_); }
    void DisableAddin() override { control::DisableAddin(platform_, paths_); }

private:
    SwitchPlatform& platform_;
    SwitchPaths paths_;
};

} // namespace tavlin::control
