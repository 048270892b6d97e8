// Calls the registered add-in's IDispatch the way no well-behaved host
// does: unknown names and DISPIDs, too many and too few arguments, wrong
// argument types, a foreign interface ID, missing out-pointers. Every call
// must come back with the automation error code a client can act on, the
// same through each interface of the object, and the process must live.
// Prints one line per check; the exit status is the number of failures.
#include "addin/com/office_interfaces_win.h"
#include "common/settings_store_win.h"
#include "common/text_win.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"
#include "tools/wordhost/host_objects_win.h"

#include <cstdio>
#include <string>
#include <vector>

#include <oaidl.h>
#include <objbase.h>
#include <windows.h>

namespace {

using tavlin::ComPtr;
using tavlin::UniqueBstr;
using tavlin::UniqueVariant;

int failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) {
        ++failures;
    }
}

std::string Hex(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

// What FormatMessageW says about a code, without its line break.
std::wstring SystemMessage(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", n);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) {
        text.pop_back();
    }
    return text;
}

struct Outcome {
    HRESULT hr = E_FAIL;
    std::wstring description;
    std::wstring source;
    HRESULT scode = S_OK;
    UINT argError = ~0u;
    std::wstring text; // a BSTR result, when there is one
};

// One Invoke with arguments given in call order (DISPPARAMS wants them
// reversed) and EXCEPINFO read out and freed.
Outcome Invoke(IDispatch* target, DISPID id, std::vector<VARIANT> args, const IID& iid = IID_NULL) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    UniqueVariant result;
    EXCEPINFO info{};
    Outcome out;
    out.hr = target->Invoke(id, iid, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(),
                            &info, &out.argError);
    if (out.hr == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn != nullptr) {
            info.pfnDeferredFillIn(&info);
        }
        UniqueBstr description(info.bstrDescription);
        UniqueBstr source(info.bstrSource);
        UniqueBstr help(info.bstrHelpFile);
        if (description) {
            out.description.assign(description.get(), ::SysStringLen(description.get()));
        }
        if (source) {
            out.source.assign(source.get(), ::SysStringLen(source.get()));
        }
        out.scode = info.scode;
    }
    if (SUCCEEDED(out.hr) && V_VT(result.get()) == VT_BSTR && V_BSTR(result.get()) != nullptr) {
        out.text.assign(V_BSTR(result.get()), ::SysStringLen(V_BSTR(result.get())));
    }
    for (VARIANT& v : args) {
        ::VariantClear(&v);
    }
    return out;
}

VARIANT Text(const wchar_t* text) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocString(text);
    return v;
}

VARIANT Number(double value) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}

VARIANT Object(IDispatch* object) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    if (object != nullptr) {
        object->AddRef();
    }
    return v;
}

struct Face {
    const char* name;
    ComPtr<IDispatch> dispatch;
};

std::string Narrow(const std::wstring& text) {
    return tavlin::WideToUtf8(text);
}

constexpr DISPID kGetCustomUI = 1;
constexpr DISPID kGetRibbonXml = 2;
constexpr DISPID kShowAbout = 3;
constexpr DISPID kUninstall = 4;
constexpr DISPID kDocument = 5;

// Codes that come from the argument checks alone, whatever the object's
// state, checked through one interface.
void CheckArguments(const Face& face, IDispatch* control, bool connected) {
    const std::string on = std::string(" via ") + face.name;
    IDispatch* d = face.dispatch.get();

    Outcome o = Invoke(d, 4711, {});
    Check(o.hr == DISP_E_MEMBERNOTFOUND,
          "unknown DISPID -> DISP_E_MEMBERNOTFOUND" + on + " (" + Hex(o.hr) + ")");
    o = Invoke(d, DISPID_VALUE, {});
    Check(o.hr == DISP_E_MEMBERNOTFOUND, "DISPID_VALUE -> DISP_E_MEMBERNOTFOUND" + on);

    o = Invoke(d, kGetRibbonXml, {Number(1)});
    Check(o.hr == DISP_E_BADPARAMCOUNT,
          "GetRibbonXML with one argument -> DISP_E_BADPARAMCOUNT" + on + " (" + Hex(o.hr) + ")");
    o = Invoke(d, kGetCustomUI, {});
    Check(o.hr == DISP_E_BADPARAMCOUNT || o.hr == DISP_E_PARAMNOTOPTIONAL,
          "GetCustomUI without its argument -> DISP_E_BADPARAMCOUNT" + on + " (" + Hex(o.hr) + ")");
    o = Invoke(d, kShowAbout, {Object(control), Object(control)});
    Check(o.hr == DISP_E_BADPARAMCOUNT,
          "ShowAbout0 with two arguments -> DISP_E_BADPARAMCOUNT" + on + " (" + Hex(o.hr) + ")");

    for (DISPID id : {kShowAbout, kUninstall, kDocument}) {
        o = Invoke(d, id, {Text(L"not a control")});
        Check(o.hr == DISP_E_TYPEMISMATCH && o.argError == 0,
              "callback " + std::to_string(id) + " with a text -> DISP_E_TYPEMISMATCH" + on + " (" +
                  Hex(o.hr) + ", argument " + std::to_string(o.argError) + ")");
    }
    o = Invoke(d, kDocument, {Number(2.5)});
    Check(o.hr == DISP_E_TYPEMISMATCH,
          "Document0 with a number -> DISP_E_TYPEMISMATCH" + on + " (" + Hex(o.hr) + ")");

    const IID foreign = __uuidof(IRibbonControl);
    o = Invoke(d, kGetRibbonXml, {}, foreign);
    Check(o.hr == DISP_E_UNKNOWNINTERFACE, "a non-null riid -> DISP_E_UNKNOWNINTERFACE" + on);

    // No DISPPARAMS at all for a method without arguments, no EXCEPINFO, no
    // result: the object must cope with what the contract allows to be null.
    UINT argError = 0;
    HRESULT hr = d->Invoke(kGetRibbonXml, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr,
                           nullptr, nullptr, &argError);
    Check(connected ? hr == S_OK : hr == DISP_E_EXCEPTION,
          "GetRibbonXML with null DISPPARAMS, result and EXCEPINFO" + on + " (" + Hex(hr) + ")");
}

std::vector<DISPID> Ids(IDispatch* d, bool& unknownRejected) {
    std::vector<DISPID> ids;
    for (const wchar_t* name : {L"IRibbonExtensibility_GetCustomUI", L"GetRibbonXML", L"showabout0",
                                L"Uninstall0", L"DOCUMENT0"}) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        const HRESULT hr = d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        ids.push_back(SUCCEEDED(hr) ? id : DISPID_UNKNOWN);
    }
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    unknownRejected =
        d->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id) == DISP_E_UNKNOWNNAME &&
        id == DISPID_UNKNOWN;
    return ids;
}

int Run() {
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(L"TavlinCom.Connect", &clsid);
    if (FAILED(hr)) {
        Check(false, "CLSIDFromProgID " + Hex(hr));
        return failures;
    }
    ComPtr<IUnknown> object;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.put_void());
    if (FAILED(hr)) {
        Check(false, "CoCreateInstance " + Hex(hr));
        return failures;
    }

    // Each interface of the object, seen as the IDispatch it derives from.
    std::vector<Face> faces;
    auto add = [&](const char* name, const IID& iid) {
        ComPtr<IDispatch> d;
        hr = object->QueryInterface(iid, d.put_void());
        Check(SUCCEEDED(hr) && d, std::string("QueryInterface ") + name);
        if (d) {
            faces.push_back({name, std::move(d)});
        }
    };
    add("IDispatch", IID_IDispatch);
    add("IDTExtensibility2", __uuidof(IDTExtensibility2));
    add("IRibbonExtensibility", __uuidof(IRibbonExtensibility));
    if (faces.size() != 3) {
        return failures;
    }

    // COM's rules for every object: an interface it lacks is refused with a
    // null pointer, and IUnknown is one identity through every interface.
    {
        void* none = &hr;
        hr = object->QueryInterface(IID_IClassFactory, &none);
        Check(hr == E_NOINTERFACE && none == nullptr,
              "QueryInterface(IClassFactory) -> E_NOINTERFACE and a null pointer (" + Hex(hr) +
                  ")");
        bool oneIdentity = true;
        for (const Face& face : faces) {
            ComPtr<IUnknown> identity;
            face.dispatch->QueryInterface(IID_IUnknown, identity.put_void());
            oneIdentity = oneIdentity && identity.get() == object.get();
        }
        Check(oneIdentity, "IUnknown is the same pointer through every interface");
    }

    const std::vector<DISPID> expected{kGetCustomUI, kGetRibbonXml, kShowAbout, kUninstall,
                                       kDocument};
    for (const Face& face : faces) {
        bool unknownRejected = false;
        Check(Ids(face.dispatch.get(), unknownRejected) == expected,
              std::string("GetIDsOfNames gives DISPIDs 1..5 via ") + face.name);
        Check(unknownRejected,
              std::string("an unknown name -> DISP_E_UNKNOWNNAME via ") + face.name);
    }

    wordhost::HostState state;
    const ComPtr<IDispatch> application = wordhost::MakeApplication(state);
    const ComPtr<IRibbonControl> control =
        wordhost::MakeRibbonControl(L"Document0", ComPtr<IDispatch>::Retain(application.get()));

    // Before any connection: the document's error travels as an exception.
    for (const Face& face : faces) {
        const Outcome o = Invoke(face.dispatch.get(), kGetRibbonXml, {});
        Check(o.hr == DISP_E_EXCEPTION && FAILED(o.scode) &&
                  o.description == L"Object variable not set" && o.source == L"TavlinCom.Connect",
              std::string("GetRibbonXML before connection -> DISP_E_EXCEPTION, '") +
                  Narrow(o.description) + "' from '" + Narrow(o.source) + "' via " + face.name);
        CheckArguments(face, control.get(), false);
    }

    ComPtr<IDTExtensibility2> extensibility;
    object->QueryInterface(__uuidof(IDTExtensibility2), extensibility.put_void());
    const ComPtr<IDispatch> addInInst = wordhost::MakeAddInObject(L"TavlinCom.Connect");
    SAFEARRAY* custom = nullptr;
    hr = extensibility->OnConnection(application.get(), ext_cm_Startup, addInInst.get(), &custom);
    Check(SUCCEEDED(hr), "OnConnection " + Hex(hr));

    // Connected: the same document through every interface, and the
    // argument checks unchanged.
    std::wstring first;
    for (const Face& face : faces) {
        const Outcome o =
            Invoke(face.dispatch.get(), kGetCustomUI, {Text(L"Microsoft.Word.Document")});
        if (first.empty()) {
            first = o.text;
        }
        Check(o.hr == S_OK && !o.text.empty() && o.text == first,
              std::string("GetCustomUI by Invoke gives the document via ") + face.name + " (" +
                  Hex(o.hr) + ", " + std::to_string(o.text.size()) + " characters)");
        CheckArguments(face, control.get(), true);
    }
    const Outcome toggled = Invoke(faces[2].dispatch.get(), kDocument, {Object(control.get())});
    Check(toggled.hr == S_OK && state.documentMap && state.documentMapWrites == 1,
          "Document0 with a control toggles the document map once (" + Hex(toggled.hr) + ")");

    // Every document reads the settings anew, also after the control
    // program wrote them, deleted their key or made it again.
    {
        const auto allMenu = [&] {
            const Outcome o = Invoke(faces[0].dispatch.get(), kGetRibbonXml, {});
            return o.hr == S_OK && o.text.find(L"label=\"All\"") != std::wstring::npos;
        };
        tavlin::RegistrySettingsStore store;
        const auto remove = [] {
            return ::RegDeleteKeyW(HKEY_CURRENT_USER, tavlin::RegistrySettingsStore::kPath);
        };
        store.SettingsWrite("All", "1");
        const bool before = allMenu();
        store.SettingsWrite("All", "0");
        const bool written = allMenu();
        const LONG removed = remove();
        const bool deleted = allMenu();
        store.SettingsWrite("All", "0");
        const bool remade = allMenu();
        remove();
        Check(before && !written && removed == ERROR_SUCCESS && deleted && !remade,
              "settings read anew for each document: written, key deleted, key made again");
    }

    // The host fails with nothing but a code: the caller hears that code
    // with the system's message for it, or the code in hexadecimal where
    // the system has none; never a decimal "System error".
    for (const HRESULT code : {E_ACCESSDENIED, DISP_E_MEMBERNOTFOUND, HRESULT(0x8004ABCD)}) {
        state.activeWindowFailure = code;
        const Outcome o = Invoke(faces[2].dispatch.get(), kDocument, {Object(control.get())});
        const std::wstring expected = SystemMessage(code);
        Check(o.hr == DISP_E_EXCEPTION && o.scode == code && !o.description.empty() &&
                  o.description == (expected.empty() ? tavlin::Utf8ToWide(Hex(code)) : expected) &&
                  o.description.find(L"System error") == std::wstring::npos,
              "Document0 when the host fails with " + Hex(code) + " -> '" + Narrow(o.description) +
                  "' (" + Hex(o.scode) + ")");
    }
    state.activeWindowFailure = S_OK;

    extensibility->OnDisconnection(ext_dm_HostShutdown, &custom);
    return failures;
}

} // namespace

int wmain() {
    try {
        if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            std::puts("FAIL CoInitializeEx");
            return 1;
        }
        const int result = Run();
        ::CoUninitialize();
        std::printf("%d failure(s)\n", result);
        return result;
    } catch (...) {
        std::puts("FAIL an exception escaped");
        return 1;
    }
}
