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

int g_failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) {
        ++g_failures;
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
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
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
    UINT badArgument = ~0u; // the argument Invoke blamed
    std::wstring text;      // a BSTR result, when there is one
};

// One Invoke with arguments given in call order (DISPPARAMS wants them
// reversed) and EXCEPINFO read out and freed.
Outcome Invoke(IDispatch* target, DISPID id, std::vector<VARIANT> arguments,
               const IID& iid = IID_NULL) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    UniqueVariant result;
    EXCEPINFO exception{};
    Outcome outcome;
    outcome.hr = target->Invoke(id, iid, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                result.get(), &exception, &outcome.badArgument);
    if (outcome.hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn != nullptr) {
            exception.pfnDeferredFillIn(&exception);
        }
        UniqueBstr description(exception.bstrDescription);
        UniqueBstr source(exception.bstrSource);
        // Owned only so it is freed: no check looks at the help file.
        UniqueBstr helpFile(exception.bstrHelpFile);
        if (description) {
            outcome.description.assign(description.get(), ::SysStringLen(description.get()));
        }
        if (source) {
            outcome.source.assign(source.get(), ::SysStringLen(source.get()));
        }
        outcome.scode = exception.scode;
    }
    if (SUCCEEDED(outcome.hr) && V_VT(result.get()) == VT_BSTR && V_BSTR(result.get()) != nullptr) {
        outcome.text.assign(V_BSTR(result.get()), ::SysStringLen(V_BSTR(result.get())));
    }
    for (VARIANT& argument : arguments) {
        ::VariantClear(&argument);
    }
    return outcome;
}

VARIANT TextArgument(const wchar_t* text) {
    VARIANT argument;
    ::VariantInit(&argument);
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = ::SysAllocString(text);
    return argument;
}

VARIANT NumberArgument(double value) {
    VARIANT argument;
    ::VariantInit(&argument);
    V_VT(&argument) = VT_R8;
    V_R8(&argument) = value;
    return argument;
}

VARIANT ObjectArgument(IDispatch* object) {
    VARIANT argument;
    ::VariantInit(&argument);
    V_VT(&argument) = VT_DISPATCH;
    V_DISPATCH(&argument) = object;
    if (object != nullptr) {
        object->AddRef();
    }
    return argument;
}

struct DispatchView {
    const char* interfaceName;
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
void CheckArguments(const DispatchView& view, IDispatch* control, bool connected) {
    const std::string via = std::string(" via ") + view.interfaceName;
    IDispatch* dispatch = view.dispatch.get();

    Outcome outcome = Invoke(dispatch, 4711, {});
    Check(outcome.hr == DISP_E_MEMBERNOTFOUND,
          "unknown DISPID -> DISP_E_MEMBERNOTFOUND" + via + " (" + Hex(outcome.hr) + ")");
    outcome = Invoke(dispatch, DISPID_VALUE, {});
    Check(outcome.hr == DISP_E_MEMBERNOTFOUND, "DISPID_VALUE -> DISP_E_MEMBERNOTFOUND" + via);

    outcome = Invoke(dispatch, kGetRibbonXml, {NumberArgument(1)});
    Check(outcome.hr == DISP_E_BADPARAMCOUNT,
          "GetRibbonXML with one argument -> DISP_E_BADPARAMCOUNT" + via + " (" + Hex(outcome.hr) +
              ")");
    outcome = Invoke(dispatch, kGetCustomUI, {});
    Check(outcome.hr == DISP_E_BADPARAMCOUNT || outcome.hr == DISP_E_PARAMNOTOPTIONAL,
          "GetCustomUI without its argument -> DISP_E_BADPARAMCOUNT" + via + " (" +
              Hex(outcome.hr) + ")");
    outcome = Invoke(dispatch, kShowAbout, {ObjectArgument(control), ObjectArgument(control)});
    Check(outcome.hr == DISP_E_BADPARAMCOUNT,
          "ShowAbout0 with two arguments -> DISP_E_BADPARAMCOUNT" + via + " (" + Hex(outcome.hr) +
              ")");

    for (DISPID id : {kShowAbout, kUninstall, kDocument}) {
        outcome = Invoke(dispatch, id, {TextArgument(L"not a control")});
        Check(outcome.hr == DISP_E_TYPEMISMATCH && outcome.badArgument == 0,
              "callback " + std::to_string(id) + " with a text -> DISP_E_TYPEMISMATCH" + via +
                  " (" + Hex(outcome.hr) + ", argument " + std::to_string(outcome.badArgument) +
                  ")");
    }
    outcome = Invoke(dispatch, kDocument, {NumberArgument(2.5)});
    Check(outcome.hr == DISP_E_TYPEMISMATCH,
          "Document0 with a number -> DISP_E_TYPEMISMATCH" + via + " (" + Hex(outcome.hr) + ")");

    const IID foreign = __uuidof(IRibbonControl);
    outcome = Invoke(dispatch, kGetRibbonXml, {}, foreign);
    Check(outcome.hr == DISP_E_UNKNOWNINTERFACE,
          "a non-null riid -> DISP_E_UNKNOWNINTERFACE" + via);

    // No DISPPARAMS at all for a method without arguments, no EXCEPINFO, no
    // result: the object must cope with what the contract allows to be null.
    UINT badArgument = 0;
    HRESULT hr = dispatch->Invoke(kGetRibbonXml, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                  nullptr, nullptr, nullptr, &badArgument);
    Check(connected ? hr == S_OK : hr == DISP_E_EXCEPTION,
          "GetRibbonXML with null DISPPARAMS, result and EXCEPINFO" + via + " (" + Hex(hr) + ")");
}

// The DISPIDs of the object's members by name, some in another letter case,
// which late binding ignores; unknownRejected tells whether a name the
// object lacks is refused.
std::vector<DISPID> MemberIds(IDispatch* dispatch, bool& unknownRejected) {
    std::vector<DISPID> ids;
    for (const wchar_t* name : {L"IRibbonExtensibility_GetCustomUI", L"GetRibbonXML", L"showabout0",
                                L"Uninstall0", L"DOCUMENT0"}) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        const HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        ids.push_back(SUCCEEDED(hr) ? id : DISPID_UNKNOWN);
    }
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    unknownRejected = dispatch->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id) ==
                          DISP_E_UNKNOWNNAME &&
                      id == DISPID_UNKNOWN;
    return ids;
}

int Run() {
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(L"TavlinCom.Connect", &clsid);
    if (FAILED(hr)) {
        Check(false, "CLSIDFromProgID " + Hex(hr));
        return g_failures;
    }
    ComPtr<IUnknown> object;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.put_void());
    if (FAILED(hr)) {
        Check(false, "CoCreateInstance " + Hex(hr));
        return g_failures;
    }

    // Each interface of the object, seen as the IDispatch it derives from.
    std::vector<DispatchView> views;
    auto addView = [&](const char* name, const IID& iid) {
        ComPtr<IDispatch> dispatch;
        hr = object->QueryInterface(iid, dispatch.put_void());
        Check(SUCCEEDED(hr) && dispatch, std::string("QueryInterface ") + name);
        if (dispatch) {
            views.push_back({name, std::move(dispatch)});
        }
    };
    addView("IDispatch", IID_IDispatch);
    addView("IDTExtensibility2", __uuidof(IDTExtensibility2));
    addView("IRibbonExtensibility", __uuidof(IRibbonExtensibility));
    if (views.size() != 3) {
        return g_failures;
    }

    // COM's rules for every object: an interface it lacks is refused with a
    // null pointer, and IUnknown is one identity through every interface.
    {
        void* refused = &hr;
        hr = object->QueryInterface(IID_IClassFactory, &refused);
        Check(hr == E_NOINTERFACE && refused == nullptr,
              "QueryInterface(IClassFactory) -> E_NOINTERFACE and a null pointer (" + Hex(hr) +
                  ")");
        bool oneIdentity = true;
        for (const DispatchView& view : views) {
            ComPtr<IUnknown> identity;
            view.dispatch->QueryInterface(IID_IUnknown, identity.put_void());
            oneIdentity = oneIdentity && identity.get() == object.get();
        }
        Check(oneIdentity, "IUnknown is the same pointer through every interface");
    }

    const std::vector<DISPID> expected{kGetCustomUI, kGetRibbonXml, kShowAbout, kUninstall,
                                       kDocument};
    for (const DispatchView& view : views) {
        bool unknownRejected = false;
        Check(MemberIds(view.dispatch.get(), unknownRejected) == expected,
              std::string("GetIDsOfNames gives DISPIDs 1..5 via ") + view.interfaceName);
        Check(unknownRejected,
              std::string("an unknown name -> DISP_E_UNKNOWNNAME via ") + view.interfaceName);
    }

    wordhost::HostState state;
    const ComPtr<IDispatch> application = wordhost::MakeApplication(state);
    const ComPtr<IRibbonControl> control =
        wordhost::MakeRibbonControl(L"Document0", ComPtr<IDispatch>::Retain(application.get()));

    // Before any connection: the document's error travels as an exception.
    for (const DispatchView& view : views) {
        const Outcome outcome = Invoke(view.dispatch.get(), kGetRibbonXml, {});
        Check(outcome.hr == DISP_E_EXCEPTION && FAILED(outcome.scode) &&
                  outcome.description == L"Object variable not set" &&
                  outcome.source == L"TavlinCom.Connect",
              std::string("GetRibbonXML before connection -> DISP_E_EXCEPTION, '") +
                  Narrow(outcome.description) + "' from '" + Narrow(outcome.source) + "' via " +
                  view.interfaceName);
        CheckArguments(view, control.get(), false);
    }

    ComPtr<IDTExtensibility2> extensibility;
    object->QueryInterface(__uuidof(IDTExtensibility2), extensibility.put_void());
    const ComPtr<IDispatch> addInInst = wordhost::MakeAddInObject(L"TavlinCom.Connect");
    SAFEARRAY* custom = nullptr;
    hr = extensibility->OnConnection(application.get(), ext_cm_Startup, addInInst.get(), &custom);
    Check(SUCCEEDED(hr), "OnConnection " + Hex(hr));

    // Connected: the same document through every interface, and the
    // argument checks unchanged.
    std::wstring firstDocument;
    for (const DispatchView& view : views) {
        const Outcome outcome =
            Invoke(view.dispatch.get(), kGetCustomUI, {TextArgument(L"Microsoft.Word.Document")});
        if (firstDocument.empty()) {
            firstDocument = outcome.text;
        }
        Check(outcome.hr == S_OK && !outcome.text.empty() && outcome.text == firstDocument,
              std::string("GetCustomUI by Invoke gives the document via ") + view.interfaceName +
                  " (" + Hex(outcome.hr) + ", " + std::to_string(outcome.text.size()) +
                  " characters)");
        CheckArguments(view, control.get(), true);
    }
    const Outcome toggled =
        Invoke(views[2].dispatch.get(), kDocument, {ObjectArgument(control.get())});
    Check(toggled.hr == S_OK && state.documentMap && state.documentMapWrites == 1,
          "Document0 with a control toggles the document map once (" + Hex(toggled.hr) + ")");

    // Every document reads the settings anew, also after the control
    // program wrote them, deleted their key or made it again.
    {
        const auto hasAllMenu = [&] {
            const Outcome outcome = Invoke(views[0].dispatch.get(), kGetRibbonXml, {});
            return outcome.hr == S_OK && outcome.text.find(L"label=\"All\"") != std::wstring::npos;
        };
        tavlin::RegistrySettingsStore store;
        const auto deleteSettingsKey = [] {
            return ::RegDeleteKeyW(HKEY_CURRENT_USER, tavlin::RegistrySettingsStore::kPath);
        };
        store.SettingsWrite("All", "1");
        const bool shownWhenOn = hasAllMenu();
        store.SettingsWrite("All", "0");
        const bool shownWhenOff = hasAllMenu();
        const LONG deleteResult = deleteSettingsKey();
        const bool shownWithoutKey = hasAllMenu();
        store.SettingsWrite("All", "0");
        const bool shownWhenRemade = hasAllMenu();
        deleteSettingsKey();
        Check(shownWhenOn && !shownWhenOff && deleteResult == ERROR_SUCCESS && shownWithoutKey &&
                  !shownWhenRemade,
              "settings read anew for each document: written, key deleted, key made again");
    }

    // The host fails with nothing but a code: the caller hears that code
    // with the system's message for it, or the code in hexadecimal where
    // the system has none; never a decimal "System error".
    for (const HRESULT code : {E_ACCESSDENIED, DISP_E_MEMBERNOTFOUND, HRESULT(0x8004ABCD)}) {
        state.activeWindowFailure = code;
        const Outcome outcome =
            Invoke(views[2].dispatch.get(), kDocument, {ObjectArgument(control.get())});
        const std::wstring expected = SystemMessage(code);
        Check(outcome.hr == DISP_E_EXCEPTION && outcome.scode == code &&
                  !outcome.description.empty() &&
                  outcome.description ==
                      (expected.empty() ? tavlin::Utf8ToWide(Hex(code)) : expected) &&
                  outcome.description.find(L"System error") == std::wstring::npos,
              "Document0 when the host fails with " + Hex(code) + " -> '" +
                  Narrow(outcome.description) + "' (" + Hex(outcome.scode) + ")");
    }
    state.activeWindowFailure = S_OK;

    extensibility->OnDisconnection(ext_dm_HostShutdown, &custom);
    return g_failures;
}

} // namespace

int wmain() {
    try {
        if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            std::puts("FAIL CoInitializeEx");
            return 1;
        }
        const int failures = Run();
        ::CoUninitialize();
        std::printf("%d failure(s)\n", failures);
        return failures;
    } catch (...) {
        std::puts("FAIL an exception escaped");
        return 1;
    }
}
