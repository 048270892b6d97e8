// The objects Word hands its add-ins, as far as the add-in uses them: the
// Application (Name, ActiveWindow, LanguageSettings), its Window (DocumentMap), the add-in's
// COMAddIn and the IRibbonControl of a click. Late bound by name, as the
// add-in reaches them.
#pragma once

#include "addin/com/office_interfaces_win.h"
#include "common/unique_resource.h"
#include "tools/wordhost/options.h"

#include <cstdint>
#include <optional>
#include <string>

#include <oaidl.h>
#include <windows.h>

namespace wordhost {

using tavlin::ComPtr;

// What the harness lets the add-in see and records of what it did.
struct HostState {
    std::wstring applicationName = L"Microsoft Word";
    bool hasWindow = true;
    // LanguageSettings.LanguageID's answer; nullopt: no LanguageSettings.
    std::optional<std::uint32_t> uiLanguage = 1033;
    LanguageAnswer uiLanguageAnswer = LanguageAnswer::Number;
    // Fails ActiveWindow with this code and no description, as a host
    // whose automation layer itself broke.
    HRESULT activeWindowFailure = S_OK;
    bool documentMap = false;
    int activeWindowReads = 0;
    int documentMapReads = 0;
    int documentMapWrites = 0;
};

[[nodiscard]] ComPtr<IDispatch> MakeApplication(HostState& state);
[[nodiscard]] ComPtr<IDispatch> MakeAddInObject(const std::wstring& progId);
[[nodiscard]] ComPtr<IRibbonControl> MakeRibbonControl(const std::wstring& id,
                                                       ComPtr<IDispatch> context);

// Word's error when a command needs a document and none is open.
inline constexpr HRESULT kNoDocumentError = static_cast<HRESULT>(0x800A1098);
inline constexpr const wchar_t* kNoDocumentText =
    L"This command is not available because no document is open.";

} // namespace wordhost
