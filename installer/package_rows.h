// The Windows Installer packages' registry rows, made from the registration
// table the add-in itself applies, so the package and DllRegisterServer can
// never drift apart. The type library's keys, which the system's
// RegisterTypeLib writes for the DLL, are spelled out here as that call
// writes them; a Wine test holds the installed package's registry equal to
// what regsvr32 writes, key for key and value for value.
#pragma once

#include "addin/com/registration.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavlin::package {

// One value under HKLM, in the view of the component that holds it. Text
// is Windows Installer's formatted text: [#file] and [FOLDER] are resolved
// at install time.
struct Row {
    std::string key;
    std::string name; // empty: the key's default value
    std::variant<std::string, std::uint32_t> data;
    friend bool operator==(const Row&, const Row&) = default;
};

struct AddinRowsInput {
    registration::Identity identity; // modulePath: the DLL's [#file] reference
    std::string helpFolder;          // the installation's folder property, e.g. [INSTALLDIR]
    std::string libraryName;         // the library's helpstring, the TypeLib version key's value
    std::string interfaceName;       // the library's one interface
};

// Everything one DLL's registration writes, machine-wide, in its own view:
// the class, ProgID, type library and interface under Software\Classes,
// and Word's add-in key, which a package writes under HKLM for every user
// where regsvr32 writes it under HKCU.
[[nodiscard]] std::vector<Row> AddinRows(const AddinRowsInput& input);

// The key that marks a machine-wide installation (common/product.h).
[[nodiscard]] std::vector<Row> MachineInstallRows(std::string_view folderProperty);

// The rows as a WiX include: one RegistryValue element each, HKLM, in the
// order given. Throws Error for text Windows Installer would not keep as
// given (a string value that starts with '#').
[[nodiscard]] std::string WixInclude(const std::vector<Row>& rows);

} // namespace tavlin::package
