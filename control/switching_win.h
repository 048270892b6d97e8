// The switch's platform on Windows: processes through CreateProcessW, the
// registry through its Unicode calls. Tavlinar.exe runs PlatformAddinSwitch
// over this, as the tests run it over a fake.
#pragma once

#include "control/switching.h"

namespace tavlin::control {

class WindowsSwitchPlatform final : public SwitchPlatform {
public:
    SystemFacts Facts() override;
    ToolRun RunAndWait(std::string_view program, std::string_view commandLine,
                       std::chrono::milliseconds wait) override;
    void Start(std::string_view program, std::string_view commandLine,
               std::string_view workingFolder) override;
    std::optional<std::string> Environment(std::string_view name) override;
    std::optional<std::string> ReadString(RegistryRoot root, std::string_view path,
                                          std::string_view name) override;
    void CreateKey(RegistryRoot root, std::string_view path) override;
    void DeleteKey(RegistryRoot root, std::string_view path) override;
    void SetDword(RegistryRoot root, std::string_view path, std::string_view name,
                  std::uint32_t value) override;
    std::vector<BinaryValue> BinaryValues(RegistryRoot root, std::string_view path) override;
    void DeleteValue(RegistryRoot root, std::string_view path, std::string_view name) override;
};

} // namespace tavlin::control
