// Switching the add-in on and off for Word, and starting Word: register or
// unregister every add-in DLL of the installation the system can load, each
// with the regsvr32 of its own bitness, keep Word's add-in key and its list
// of disabled add-ins in step, and start Word by the path Windows has for
// it. An installation made for every user of the computer is registered and
// listed for Word by its package, and stays so: there the user's own
// settings alone switch the Classic tab. The platform does the work; the
// order of the steps, the choice of tools and files and what counts as done
// live here.
#pragma once

#include "common/error.h"
#include "common/language.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin::control {

enum class Bitness { Bits32, Bits64 };

// What the switch needs to know of the running system. Text is UTF-8
// throughout, so a program folder in any script survives.
struct SystemFacts {
    Bitness process = Bitness::Bits32;
    Bitness system = Bitness::Bits32;
    std::string windowsFolder; // %WINDIR%
    std::string systemFolder;  // the process's own view of System32
    std::string programFolder; // the folder holding Tavlinar.exe
};

// One add-in DLL of the installation and the regsvr32 that registers it.
struct InstalledAddin {
    std::string file;
    Bitness bitness = Bitness::Bits32;
    std::string registrationTool;
};

// The regsvr32 that loads a DLL of the given bitness: the 32-bit tool from
// SysWOW64 on 64-bit Windows (from the system folder on 32-bit Windows), the
// 64-bit tool from System32, reached as Sysnative from a 32-bit process,
// whose System32 is redirected to SysWOW64. Nothing for a 64-bit DLL on
// 32-bit Windows. A 64-bit process means 64-bit Windows, whatever system
// says.
[[nodiscard]] std::optional<std::string> RegistrationTool(Bitness dll, const SystemFacts& facts);

// The installation's add-ins the system can load: TavlinAddin.dll (i686)
// beside the program, and x64\TavlinAddin.dll (x86_64) on 64-bit Windows.
[[nodiscard]] std::vector<InstalledAddin> InstallationAddins(const SystemFacts& facts);

// "<tool>" /s "<file>", or "<tool>" /u /s "<file>".
[[nodiscard]] std::string RegistrationCommandLine(std::string_view tool, std::string_view addinFile,
                                                  bool unregister);

// How a run of regsvr32 went.
struct ToolRun {
    enum class Outcome { Ended, NotStarted, StillRunning };
    Outcome outcome = Outcome::Ended;
    std::uint32_t exitCode = 0;
    std::string reason; // the platform's text, when it could not be started
};

// What the user is told about one add-in a run failed to switch, in
// language; nothing when the run did switch it.
[[nodiscard]] std::optional<Error> RegistrationFailure(const InstalledAddin& addin, bool unregister,
                                                       const ToolRun& run,
                                                       Language language = Language::English);

// A registration that hangs must not keep the window (and Word) waiting for
// ever; one that merely runs long finishes on its own.
inline constexpr std::chrono::milliseconds kRegistrationWait{30000};

// LocalMachine is HKLM as the process sees it (a 32-bit process on 64-bit
// Windows: its 32-bit view); LocalMachine64 is HKLM's 64-bit view from any
// process, the same as LocalMachine in a 64-bit one.
enum class RegistryRoot { CurrentUser, LocalMachine, LocalMachine64 };

struct BinaryValue {
    std::string name;
    std::vector<std::uint8_t> data;
};

inline constexpr std::string_view kWordAppPathKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Winword.exe";

// Whether the program folder belongs to a machine-wide installation: the
// package recorded installFolder (kMachineInstallFolderValue, with the
// trailing backslash Windows Installer gives folders) and it names
// programFolder, compared as Windows compares paths. A missing, empty or
// relative value is none, and so is one naming another folder: a copy of
// Tavlin elsewhere on such a computer switches per user as ever.
[[nodiscard]] bool IsMachineWideInstallation(const std::optional<std::string>& installFolder,
                                             std::string_view programFolder);

// What the switch asks of the system. Failures are Errors carrying the
// platform's own text.
class SwitchPlatform {
public:
    virtual ~SwitchPlatform() = default;
    [[nodiscard]] virtual SystemFacts Facts() = 0;
    // Starts program (a full path; nothing is searched) with the whole
    // command line, its window minimised, and waits for it, at most for wait.
    [[nodiscard]] virtual ToolRun RunAndWait(std::string_view program, std::string_view commandLine,
                                             std::chrono::milliseconds wait) = 0;
    // Starts program by its full path in workingFolder, normal window, and
    // does not wait. Throws when it cannot be started.
    virtual void Start(std::string_view program, std::string_view commandLine,
                       std::string_view workingFolder) = 0;
    [[nodiscard]] virtual std::optional<std::string> Environment(std::string_view name) = 0;
    // A text value (the default value for an empty name); nothing when the
    // key or value is missing or holds no text.
    [[nodiscard]] virtual std::optional<std::string>
    ReadString(RegistryRoot root, std::string_view path, std::string_view name) = 0;
    // Creates the key, and any missing key above it, or opens it.
    virtual void CreateKey(RegistryRoot root, std::string_view path) = 0;
    // Deletes a key that has no subkeys; one that is not there is no failure.
    virtual void DeleteKey(RegistryRoot root, std::string_view path) = 0;
    virtual void SetDword(RegistryRoot root, std::string_view path, std::string_view name,
                          std::uint32_t value) = 0;
    // The key's binary values; none when the key is missing.
    [[nodiscard]] virtual std::vector<BinaryValue> BinaryValues(RegistryRoot root,
                                                                std::string_view path) = 0;
    virtual void DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) = 0;
};

// What the settings window's OK does to Word.
class AddinSwitch {
public:
    virtual ~AddinSwitch() = default;
    // Each returns one Error per thing it failed to do, in order; the rest
    // is done.
    [[nodiscard]] virtual std::vector<Error> EnableAddin() = 0;
    [[nodiscard]] virtual std::vector<Error> DisableAddin() = 0;
    // Throws when no Word is registered or it cannot be started.
    virtual void StartWord() = 0;
    // Whether Tavlin is installed here for every user of the computer, as
    // OK then switches it. Throws when the system cannot tell.
    [[nodiscard]] virtual bool MachineWide() = 0;
};

// The switch itself, over whichever platform it is given: the Windows one
// in Tavlinar.exe, a fake in the tests.
class PlatformAddinSwitch final : public AddinSwitch {
public:
    // What fails is described in language.
    explicit PlatformAddinSwitch(SwitchPlatform& platform, Language language = Language::English)
        : platform_(platform), language_(language) {}

    // Registers each add-in; when at least one is registered, makes sure
    // Word's add-in key exists with LoadBehavior 3 and removes Word's
    // hard-disable entries for the add-ins registered. In a machine-wide
    // installation only the hard-disable entries go, for each add-in the
    // system can load.
    std::vector<Error> EnableAddin() override;
    // Unregisters each add-in; when at least one is unregistered, deletes
    // Word's add-in key. In a machine-wide installation: nothing.
    std::vector<Error> DisableAddin() override;
    void StartWord() override;
    // Read from HKLM's 64-bit view once, so that what the window says and
    // what OK does agree.
    bool MachineWide() override;

private:
    // The installation's kind, or nothing with the failure appended.
    std::optional<bool> InstallationKind(std::vector<Error>& failures);
    // The add-ins the run switched; failures appended.
    std::vector<InstalledAddin> RunTools(bool unregister, std::vector<Error>& failures);
    void EnableAddinAgainInWord(std::span<const InstalledAddin> registered);

    SwitchPlatform& platform_;
    Language language_;
    std::optional<bool> machineWide_;
};

} // namespace tavlin::control
