#include "control/switching.h"

#include "common/product.h"

#include <utility>

namespace tavlin::control {
namespace {

// Every step runs whatever the one before it gave, and nothing reaches the
// user: the tool runs silently (/s) and the window has no report for these.
template <typename Step> void IgnoringFailure(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
    } catch (...) {
    }
}

void RunRegistrationTool(SwitchPlatform& platform, const SwitchPaths& paths, bool unregister) {
    platform.RunProgram(
        paths.registrationTool,
        RegistrationCommandLine(paths.registrationTool, paths.addinFile, unregister),
        kRegistrationWait);
}

} // namespace

std::string AddinFilePath(std::string_view programFolder) {
    std::string path(programFolder);
    path += '\\';
    path += kAddinFileName;
    return path;
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

RegistryKey CreateRegistryKey(SwitchPlatform& platform, std::string_view path,
                              RegistryRoot root) noexcept {
    try {
        return platform.CreateKey(root, path);
    } catch (...) {
        return kNoKey;
    }
}

void EnableAddin(SwitchPlatform& platform, const SwitchPaths& paths) noexcept {
    IgnoringFailure([&] { RunRegistrationTool(platform, paths, false); });
    const RegistryKey key = CreateRegistryKey(platform, kWordAddinKey, RegistryRoot::CurrentUser);
    IgnoringFailure([&] { platform.CloseKey(key); });
}

void DisableAddin(SwitchPlatform& platform, const SwitchPaths& paths) noexcept {
    IgnoringFailure([&] { RunRegistrationTool(platform, paths, true); });
    const RegistryKey key = CreateRegistryKey(platform, kWordAddinsKey, RegistryRoot::CurrentUser);
    IgnoringFailure([&] { platform.DeleteSubkey(key, kProgId); });
    IgnoringFailure([&] { platform.CloseKey(key); });
}

} // namespace tavlin::control
