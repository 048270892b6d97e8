// Facts about the product that both deliverables show. One place, so the
// About window, the settings window and the error box never disagree.
#pragma once

#include <string_view>

namespace tavlin {

inline constexpr std::string_view kAppTitle = "Tavlinar";
// The maker has no address of its own yet: these stay under the reserved
// "example" domain until it does.
inline constexpr std::string_view kMakerWebAddress = "https://www.drevalo.example/";
inline constexpr std::string_view kSupportEmail = "support@drevalo.example";

inline constexpr std::string_view kProgId = "TavlinCom.Connect";
// Word loads the add-ins listed under this key, one subkey each; ours is
// the second.
inline constexpr std::string_view kWordAddinListKey = "Software\\Microsoft\\Office\\Word\\AddIns";
inline constexpr std::string_view kWordAddinKey =
    "Software\\Microsoft\\Office\\Word\\AddIns\\TavlinCom.Connect";
inline constexpr std::string_view kAddinFileName = "TavlinAddin.dll";

// A machine-wide installation, by a Windows Installer package, is marked by
// this key in HKLM's 64-bit view (the only view on 32-bit Windows). Only the
// packages write it: the control program and the NSIS installer tell the
// two kinds of installation apart by it.
inline constexpr std::string_view kMachineInstallKey = "Software\\Drevalo\\Tavlin";
// The installation's folder, with a trailing backslash, as Windows
// Installer writes folders.
inline constexpr std::string_view kMachineInstallFolderValue = "InstallFolder";
// The package's ProductCode, "{...}": what msiexec /x takes.
inline constexpr std::string_view kMachineInstallProductCodeValue = "ProductCode";

} // namespace tavlin
