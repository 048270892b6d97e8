#include "control/switching.h"

#include "common/product.h"
#include "control/disabled_items.h"
#include "control/paths.h"
#include "control/texts.h"

namespace tavlin::control {
namespace {

constexpr std::string_view kToolName = "regsvr32.exe";
constexpr std::string_view kX64Folder = "x64";

// The description of a failure of one step: what could not be done, with
// the platform's text in its sentence.
Error StepFailure(Language language, Text what, const Error& cause) {
    return {ErrorCode::Platform, Format(TextOf(language, what), {cause.description()})};
}

template <typename Step>
void Attempt(std::vector<Error>& failures, Language language, Text what, Step&& step) {
    try {
        step();
    } catch (...) {
        failures.push_back(StepFailure(language, what, CurrentError()));
    }
}

std::string ExitCodeReason(std::uint32_t code, bool unregister, Language language) {
    // regsvr32's documented exit codes.
    Text reason = Text::RegsvrExitCode;
    switch (code) {
    case 1:
        reason = Text::RegsvrCommandLine;
        break;
    case 2:
        reason = Text::RegsvrCom;
        break;
    case 3:
        reason = Text::RegsvrFile;
        break;
    case 4:
        reason = Text::RegsvrNotServer;
        break;
    case 5:
        reason = unregister ? Text::RegsvrUnregistration : Text::RegsvrRegistration;
        break;
    default:
        break;
    }
    return Format(TextOf(language, reason), {std::to_string(code)});
}

} // namespace

std::optional<std::string> RegistrationTool(Bitness dll, const SystemFacts& facts) {
    const bool system64 = facts.system == Bitness::Bits64 || facts.process == Bitness::Bits64;
    if (dll == Bitness::Bits32) {
        return system64 ? JoinPath(JoinPath(facts.windowsFolder, "SysWOW64"), kToolName)
                        : JoinPath(facts.systemFolder, kToolName);
    }
    if (!system64) {
        return std::nullopt;
    }
    const std::string_view native = facts.process == Bitness::Bits64 ? "System32" : "Sysnative";
    return JoinPath(JoinPath(facts.windowsFolder, native), kToolName);
}

std::vector<InstalledAddin> InstallationAddins(const SystemFacts& facts) {
    std::vector<InstalledAddin> addins;
    const std::pair<Bitness, std::string> files[] = {
        {Bitness::Bits32, JoinPath(facts.programFolder, kAddinFileName)},
        {Bitness::Bits64, JoinPath(JoinPath(facts.programFolder, kX64Folder), kAddinFileName)},
    };
    for (const auto& [bitness, file] : files) {
        if (std::optional<std::string> tool = RegistrationTool(bitness, facts)) {
            addins.push_back({file, bitness, std::move(*tool)});
        }
    }
    return addins;
}

std::string RegistrationCommandLine(std::string_view tool, std::string_view addinFile,
                                    bool unregister) {
    std::string line = "\"";
    line += tool;
    line += unregister ? "\" /u /s \"" : "\" /s \"";
    line += addinFile;
    line += '"';
    return line;
}

std::optional<Error> RegistrationFailure(const InstalledAddin& addin, bool unregister,
                                         const ToolRun& run, Language language) {
    std::string reason;
    switch (run.outcome) {
    case ToolRun::Outcome::Ended:
        if (run.exitCode == 0) {
            return std::nullopt;
        }
        reason = ExitCodeReason(run.exitCode, unregister, language);
        break;
    case ToolRun::Outcome::NotStarted:
        reason =
            Format(TextOf(language, Text::ToolNotStarted), {addin.registrationTool, run.reason});
        break;
    case ToolRun::Outcome::StillRunning:
        reason = Format(TextOf(language, Text::ToolStillRunning),
                        {addin.registrationTool, std::to_string(kRegistrationWait.count() / 1000)});
        break;
    }
    return Error(ErrorCode::Platform,
                 Format(TextOf(language, unregister ? Text::SwitchOffFailed : Text::SwitchOnFailed),
                        {addin.file, reason}));
}

bool IsMachineWideInstallation(const std::optional<std::string>& installFolder,
                               std::string_view programFolder) {
    return installFolder && IsAbsolutePath(*installFolder) && IsAbsolutePath(programFolder) &&
           SamePath(*installFolder, programFolder);
}

bool PlatformAddinSwitch::MachineWide() {
    if (!machineWide_) {
        // The package writes its marker into the 64-bit view alone, which
        // the i686 program on 64-bit Windows reaches only by asking for it.
        machineWide_ = IsMachineWideInstallation(platform_.ReadString(RegistryRoot::LocalMachine64,
                                                                      kMachineInstallKey,
                                                                      kMachineInstallFolderValue),
                                                 platform_.Facts().programFolder);
    }
    return *machineWide_;
}

std::optional<bool> PlatformAddinSwitch::InstallationKind(std::vector<Error>& failures) {
    // Not knowing, neither way of switching is safe: per user it could
    // undo the machine's registration for everyone.
    try {
        return MachineWide();
    } catch (...) {
        failures.push_back(StepFailure(language_, Text::InstallationUnread, CurrentError()));
        return std::nullopt;
    }
}

std::vector<InstalledAddin> PlatformAddinSwitch::RunTools(bool unregister,
                                                          std::vector<Error>& failures) {
    std::vector<InstalledAddin> switched;
    for (InstalledAddin& addin : InstallationAddins(platform_.Facts())) {
        const ToolRun run = platform_.RunAndWait(
            addin.registrationTool,
            RegistrationCommandLine(addin.registrationTool, addin.file, unregister),
            kRegistrationWait);
        if (std::optional<Error> failure = RegistrationFailure(addin, unregister, run, language_)) {
            failures.push_back(std::move(*failure));
        } else {
            switched.push_back(std::move(addin));
        }
    }
    return switched;
}

void PlatformAddinSwitch::EnableAddinAgainInWord(std::span<const InstalledAddin> registered) {
    std::vector<std::string> files;
    for (const InstalledAddin& addin : registered) {
        files.push_back(addin.file);
    }
    for (const std::string_view version : kWordVersionsWithDisabledItems) {
        const std::string key = DisabledItemsKey(version);
        for (const BinaryValue& value : platform_.BinaryValues(RegistryRoot::CurrentUser, key)) {
            if (DisabledItemNamesAnyOf(value.data, files)) {
                platform_.DeleteValue(RegistryRoot::CurrentUser, key, value.name);
            }
        }
    }
}

std::vector<Error> PlatformAddinSwitch::EnableAddin() {
    std::vector<Error> failures;
    const std::optional<bool> machineWide = InstallationKind(failures);
    if (!machineWide) {
        return failures;
    }
    if (*machineWide) {
        // The package registered the add-ins and listed them for Word under
        // HKLM, for every user; the "Classic" setting OK has just stored is
        // what brings the tab to this user's Word. Word's list of
        // hard-disabled add-ins is this user's alone, though: after a crash
        // it keeps the add-in out of this user's Word whatever the machine
        // registered, and only taking our entries off lets it load again.
        // That touches neither the machine nor any other user.
        Attempt(failures, language_, Text::DisabledListNotCleared,
                [&] { EnableAddinAgainInWord(InstallationAddins(platform_.Facts())); });
        return failures;
    }
    const std::vector<InstalledAddin> registered = RunTools(false, failures);
    if (registered.empty()) {
        return failures;
    }
    Attempt(failures, language_, Text::AddinKeyNotWritten, [&] {
        platform_.CreateKey(RegistryRoot::CurrentUser, kWordAddinKey);
        platform_.SetDword(RegistryRoot::CurrentUser, kWordAddinKey, "LoadBehavior", 3);
    });
    Attempt(failures, language_, Text::DisabledListNotCleared,
            [&] { EnableAddinAgainInWord(registered); });
    return failures;
}

std::vector<Error> PlatformAddinSwitch::DisableAddin() {
    std::vector<Error> failures;
    // In a machine-wide installation the "Classic" setting OK has stored
    // takes the tab away for this user; unregistering would take the
    // add-in from everyone, and the HKLM listing cannot be undone per user.
    if (const std::optional<bool> machineWide = InstallationKind(failures);
        !machineWide || *machineWide) {
        return failures;
    }
    if (RunTools(true, failures).empty()) {
        return failures;
    }
    Attempt(failures, language_, Text::AddinKeyNotDeleted, [&] {
        platform_.CreateKey(RegistryRoot::CurrentUser, kWordAddinListKey);
        platform_.DeleteKey(RegistryRoot::CurrentUser, kWordAddinKey);
    });
    return failures;
}

void PlatformAddinSwitch::StartWord() {
    const EnvironmentLookup environment = [this](std::string_view name) {
        return platform_.Environment(name);
    };
    std::optional<std::string> word = WordProgramFromAppPath(
        platform_.ReadString(RegistryRoot::LocalMachine, kWordAppPathKey, ""), environment);
    // The i686 Tavlinar on 64-bit Windows sees the 32-bit view of App Paths,
    // where a 64-bit Word is not listed: its entry is in the 64-bit view,
    // written by a 64-bit installer.
    if (!word) {
        const SystemFacts facts = platform_.Facts();
        if (facts.process == Bitness::Bits32 && facts.system == Bitness::Bits64) {
            word = WordProgramFromAppPath(
                platform_.ReadString(RegistryRoot::LocalMachine64, kWordAppPathKey, ""),
                AsSixtyFourBitProgram(environment));
        }
    }
    if (!word) {
        throw Error(ErrorCode::Platform, std::string(TextOf(language_, Text::WordNotRegistered)));
    }
    try {
        platform_.Start(*word, "\"" + *word + "\"", FolderOf(*word));
    } catch (...) {
        const Error cause = CurrentError();
        throw Error(ErrorCode::Platform,
                    Format(TextOf(language_, Text::WordNotStarted), {*word, cause.description()}));
    }
}

} // namespace tavlin::control
