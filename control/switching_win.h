// The switching platform on Windows: CreateProcessW and the registry's
// Unicode calls.
#pragma once

#include "common/unique_win.h"
#include "control/switching.h"

#include <vector>

namespace tavlin::control {

class WindowsSwitchPlatform final : public SwitchPlatform {
public:
    void RunProgram(std::string_view program, std::string_view commandLine,
                    std::chrono::milliseconds wait) override;
    RegistryKey CreateKey(RegistryRoot root, std::string_view path) override;
    void DeleteSubkey(RegistryKey key, std::string_view subkey) override;
    void CloseKey(RegistryKey key) override;

private:
    // The keys handed out and not yet closed; whatever a caller forgets is
    // closed with the platform.
    std::vector<UniqueHkey> open_;
};

// regsvr32.exe from the system folder, and the add-in beside this program.
[[nodiscard]] SwitchPaths WindowsSwitchPaths();

} // namespace tavlin::control
