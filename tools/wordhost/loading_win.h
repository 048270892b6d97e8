// Loading add-ins as Word 2007 does: the ones its add-in keys list with
// LoadBehavior 3, created, connected and asked for their ribbon, a failed
// one soft-disabled.
#pragma once

#include "addin/com/office_interfaces_win.h"
#include "common/unique_resource.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

namespace wordhost {

struct Addin {
    std::wstring progId;
    HKEY root = nullptr; // where Word's add-in key lists it
    tavlin::ComPtr<IDTExtensibility2> extensibility;
    tavlin::ComPtr<IRibbonExtensibility> ribbon;
    std::string document;
};

// Word's add-ins as the registry lists them: the user's first; a ProgID
// listed in both loads once.
[[nodiscard]] std::vector<std::pair<HKEY, std::wstring>> ListedAddins();
[[nodiscard]] std::optional<DWORD> LoadBehavior(HKEY root, const std::wstring& progId);
// What Word does to an add-in that failed to load: it stays listed but no
// longer loads.
void SoftDisable(HKEY root, const std::wstring& progId);

// Creation, connection and the ribbon, in Word's order. Returns the failed
// step, or nothing.
[[nodiscard]] std::optional<std::string> Load(Addin& addin, IDispatch* application);
void Disconnect(Addin& addin);

} // namespace wordhost
