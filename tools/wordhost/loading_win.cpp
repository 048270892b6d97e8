#include "tools/wordhost/loading_win.h"

#include "common/product.h"
#include "common/text_win.h"
#include "common/unique_win.h"
#include "tools/wordhost/host_objects_win.h"
#include "tools/wordhost/report_win.h"

#include <algorithm>

namespace wordhost {
namespace {

struct SafeArrayTraits {
    static SAFEARRAY* Invalid() noexcept { return nullptr; }
    static void Close(SAFEARRAY* array) noexcept { ::SafeArrayDestroy(array); }
};
using UniqueSafeArray = tavlin::UniqueResource<SafeArrayTraits>;

std::wstring AddinKeyPath(const std::wstring& progId) {
    return tavlin::Utf8ToWide(tavlin::kWordAddinListKey) + L"\\" + progId;
}

} // namespace

std::vector<std::pair<HKEY, std::wstring>> ListedAddins() {
    std::vector<std::pair<HKEY, std::wstring>> listed;
    const std::wstring listKeyPath = tavlin::Utf8ToWide(tavlin::kWordAddinListKey);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        tavlin::UniqueHkey key;
        if (::RegOpenKeyExW(root, listKeyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
            continue;
        }
        for (DWORD index = 0;; ++index) {
            wchar_t progId[256];
            DWORD length = 256;
            if (::RegEnumKeyExW(key.get(), index, progId, &length, nullptr, nullptr, nullptr,
                                nullptr) != ERROR_SUCCESS) {
                break;
            }
            const bool alreadyListed =
                std::any_of(listed.begin(), listed.end(), [&](const auto& earlier) {
                    return ::CompareStringOrdinal(earlier.second.c_str(), -1, progId, -1, TRUE) ==
                           CSTR_EQUAL;
                });
            if (!alreadyListed) {
                listed.emplace_back(root, progId);
            }
        }
    }
    return listed;
}

std::optional<DWORD> LoadBehavior(HKEY root, const std::wstring& progId) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueW(root, AddinKeyPath(progId).c_str(), L"LoadBehavior", RRF_RT_REG_DWORD,
                       nullptr, &value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

void SoftDisable(HKEY root, const std::wstring& progId) {
    tavlin::UniqueHkey key;
    if (::RegOpenKeyExW(root, AddinKeyPath(progId).c_str(), 0, KEY_SET_VALUE, key.put()) ==
        ERROR_SUCCESS) {
        const DWORD disabled = 2;
        ::RegSetValueExW(key.get(), L"LoadBehavior", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&disabled), sizeof disabled);
    }
}

std::optional<std::string> Load(Addin& addin, IDispatch* application) {
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(addin.progId.c_str(), &clsid);
    if (FAILED(hr)) {
        return "CLSIDFromProgID " + Hex(hr);
    }
    tavlin::ComPtr<IUnknown> object;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IUnknown),
                            object.put_void());
    if (FAILED(hr)) {
        return "CoCreateInstance " + FailureText(hr);
    }
    hr = object->QueryInterface(__uuidof(IDTExtensibility2), addin.extensibility.put_void());
    if (FAILED(hr)) {
        return "QueryInterface(IDTExtensibility2) " + Hex(hr);
    }
    const tavlin::ComPtr<IDispatch> addInInst = MakeAddInObject(addin.progId);
    UniqueSafeArray custom(::SafeArrayCreateVector(VT_VARIANT, 0, 0));
    SAFEARRAY* customArray = custom.get();
    hr = addin.extensibility->OnConnection(application, ext_cm_Startup, addInInst.get(),
                                           &customArray);
    if (FAILED(hr)) {
        return "OnConnection " + FailureText(hr);
    }
    // An add-in without IRibbonExtensibility is loaded but shows nothing.
    if (FAILED(object->QueryInterface(__uuidof(IRibbonExtensibility), addin.ribbon.put_void()))) {
        return std::nullopt;
    }
    tavlin::UniqueBstr ribbonId(::SysAllocString(L"Microsoft.Word.Document"));
    tavlin::UniqueBstr xml;
    hr = addin.ribbon->GetCustomUI(ribbonId.get(), xml.put());
    if (FAILED(hr)) {
        return "GetCustomUI " + FailureText(hr);
    }
    if (xml) {
        addin.document = tavlin::WideToUtf8({xml.get(), ::SysStringLen(xml.get())});
    }
    return std::nullopt;
}

void Disconnect(Addin& addin) {
    if (addin.extensibility) {
        UniqueSafeArray custom(::SafeArrayCreateVector(VT_VARIANT, 0, 0));
        SAFEARRAY* customArray = custom.get();
        addin.extensibility->OnDisconnection(ext_dm_HostShutdown, &customArray);
    }
    addin.ribbon.reset();
    addin.extensibility.reset();
}

} // namespace wordhost
