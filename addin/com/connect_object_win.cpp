#include "addin/com/connect_object_win.h"

#include "addin/about/about_model.h"
#include "addin/about/about_window_win.h"
#include "addin/com/bstr_text_win.h"
#include "addin/com/error_boundary_win.h"
#include "addin/com/late_binding_win.h"
#include "addin/com/module_win.h"
#include "addin/com/office_interfaces_win.h"
#include "addin/core/connect.h"
#include "common/com_object_win.h"
#include "common/policy_win.h"
#include "common/product.h"
#include "common/settings_store_win.h"
#include "common/text_win.h"
#include "common/unique_win.h"
#include "common/window_helpers_win.h"
#include "tavlin_com_h.h"

#include <memory>
#include <new>
#include <optional>

namespace tavlin::com {
namespace {

// The host's application object as the document core asks for it. The
// connection object holds the counted reference; this only looks through it.
class LateBoundHost final : public HostApplication {
public:
    explicit LateBoundHost(IDispatch* application) : application_(application) {}

    std::string Name() override {
        UniqueVariant name;
        GetProperty(application_, L"Name", name.get());
        if (FAILED(::VariantChangeType(name.get(), name.get(), 0, VT_BSTR))) {
            throw Error::TypeMismatch();
        }
        return BstrText(V_BSTR(name.get()));
    }

    // Application.LanguageSettings.LanguageID(msoLanguageIDUI). Word answers
    // it from 2007 on; anything else that loads us and fails it, or answers
    // what is no language id, gets English rather than no document.
    std::optional<std::uint32_t> UiLanguageId() override {
        try {
            const ComPtr<IDispatch> settings = GetObjectProperty(application_, L"LanguageSettings");
            VARIANT which;
            V_VT(&which) = VT_I4;
            V_I4(&which) = kMsoLanguageIdUi;
            UniqueVariant id;
            GetIndexedProperty(settings.get(), L"LanguageID", which, id.get());
            return LanguageIdOf(*id.get());
        } catch (const Error&) {
            return std::nullopt;
        }
    }

private:
    static constexpr LONG kMsoLanguageIdUi = 2;

    // Only a whole number is a language id: a text that happens to hold
    // digits is not what Word answers.
    static std::optional<std::uint32_t> LanguageIdOf(VARIANT& value) {
        switch (V_VT(&value)) {
        case VT_I1:
        case VT_I2:
        case VT_I4:
        case VT_INT:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_UINT:
            break;
        default:
            return std::nullopt;
        }
        if (FAILED(::VariantChangeType(&value, &value, 0, VT_I4)) || V_I4(&value) < 0) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(V_I4(&value));
    }

    IDispatch* application_;
};

class ConnectObject final
    : public ComObject<_Connect, IDTExtensibility2, IRibbonExtensibility, ISupportErrorInfo> {
public:
    ConnectObject() { module::Lock(); }
    ~ConnectObject() override { module::Unlock(); }

    // IUnknown, for every base.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        IUnknown* chosen = nullptr;
        // Word asks its IRibbonExtensibility pointer for IDispatch and calls
        // the callbacks by name through it: that must be _Connect's.
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == IID__Connect) {
            chosen = static_cast<_Connect*>(this);
        } else if (riid == __uuidof(IDTExtensibility2)) {
            chosen = static_cast<IDTExtensibility2*>(this);
        } else if (riid == __uuidof(IRibbonExtensibility)) {
            chosen = static_cast<IRibbonExtensibility*>(this);
        } else if (riid == __uuidof(ISupportErrorInfo)) {
            chosen = static_cast<ISupportErrorInfo*>(this);
        }
        return Answer(chosen, object);
    }

    // IDispatch: one implementation behind every dual base, so names and
    // DISPIDs answer alike through _Connect, IDTExtensibility2 and
    // IRibbonExtensibility.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        try {
            if (info == nullptr) {
                return E_POINTER;
            }
            *info = nullptr;
            if (index != 0) {
                return DISP_E_BADINDEX;
            }
            *info = TypeInfo();
            (*info)->AddRef();
            return S_OK;
        } catch (...) {
            return ReportCurrentError();
        }
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        try {
            if (riid != kNullIid) {
                return DISP_E_UNKNOWNINTERFACE;
            }
            return TypeInfo()->GetIDsOfNames(names, count, ids);
        } catch (...) {
            return ReportCurrentError();
        }
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        try {
            if (riid != kNullIid) {
                return DISP_E_UNKNOWNINTERFACE;
            }
            DISPPARAMS none{};
            if (params == nullptr) {
                params = &none;
            }
            if (!ArgumentCountFits(id, params->cArgs)) {
                return DISP_E_BADPARAMCOUNT;
            }
            // The type information checks the argument types and turns a
            // method's failure and its error info into DISP_E_EXCEPTION
            // with EXCEPINFO.
            const HRESULT hr = TypeInfo()->Invoke(static_cast<_Connect*>(this), id, flags, params,
                                                  result, exception, argError);
            // Not every oleaut32 names the offending argument; with a single
            // argument there is only one it can be.
            if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && params->cArgs == 1 &&
                argError != nullptr) {
                *argError = 0;
            }
            return hr;
        } catch (...) {
            return ReportCurrentError();
        }
    }

    // _Connect
    HRESULT STDMETHODCALLTYPE IRibbonExtensibility_GetCustomUI(BSTR, BSTR* ribbonXml) override {
        // Every ribbon Word asks about gets the same document.
        return GetRibbonXML(ribbonXml);
    }
    HRESULT STDMETHODCALLTYPE GetRibbonXML(BSTR* ribbonXml) override {
        try {
            if (ribbonXml == nullptr) {
                return E_POINTER;
            }
            *ribbonXml = nullptr;
            ownSettings_.ForgetSectionKey();
            computerPolicy_.ForgetKey();
            userPolicy_.ForgetKey();
            *ribbonXml = ToBstr(connect_.GetRibbonXML()).release();
            return S_OK;
        } catch (...) {
            return ReportCurrentError();
        }
    }
    HRESULT STDMETHODCALLTYPE ShowAbout0(IDispatch*) override {
        try {
            about::ShowAboutWindow(connect_.UiLanguage().language);
            return S_OK;
        } catch (...) {
            return ReportCurrentError();
        }
    }
    HRESULT STDMETHODCALLTYPE Uninstall0(IDispatch*) override {
        try {
            const std::wstring text =
                Utf8ToWide(about::TextsFor(connect_.UiLanguage().language).uninstallMessage);
            const std::wstring caption = Utf8ToWide(kAppTitle);
            const Language language = connect_.UiLanguage().language;
            if (::MessageBoxW(nullptr, text.c_str(), caption.c_str(),
                              MB_OK | ReadingOrder(language)) == 0) {
                throw PlatformError(::GetLastError());
            }
            return S_OK;
        } catch (...) {
            return ReportCurrentError();
        }
    }
    HRESULT STDMETHODCALLTYPE Document0(IDispatch*) override {
        try {
            if (!application_) {
                throw Error::ObjectNotSet();
            }
            IDispatch* application = application_.get();
            UniqueVariant shown;
            {
                const ComPtr<IDispatch> window = GetObjectProperty(application, L"ActiveWindow");
                GetProperty(window.get(), L"DocumentMap", shown.get());
            }
            if (FAILED(::VariantChangeType(shown.get(), shown.get(), 0, VT_BOOL))) {
                throw Error::TypeMismatch();
            }
            VARIANT toggled;
            V_VT(&toggled) = VT_BOOL;
            V_BOOL(&toggled) = V_BOOL(shown.get()) != VARIANT_FALSE ? VARIANT_FALSE : VARIANT_TRUE;
            // The active window may have changed while the first one was
            // asked; the write goes to the one active now.
            const ComPtr<IDispatch> window = GetObjectProperty(application, L"ActiveWindow");
            PutProperty(window.get(), L"DocumentMap", toggled);
            return S_OK;
        } catch (...) {
            return ReportCurrentError();
        }
    }

    // IDTExtensibility2: only the connection does work.
    HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*,
                                           SAFEARRAY**) override {
        try {
            connect_.SetHostApplication(nullptr);
            host_.reset();
            application_ = ComPtr<IDispatch>::Retain(application);
            if (application_) {
                host_.emplace(application_.get());
                connect_.SetHostApplication(&*host_);
            }
            return S_OK;
        } catch (...) {
            return ReportCurrentError();
        }
    }
    HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode, SAFEARRAY**) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override { return S_OK; }

    // IRibbonExtensibility
    HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) override {
        return IRibbonExtensibility_GetCustomUI(ribbonId, ribbonXml);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return riid == IID__Connect || riid == __uuidof(IRibbonExtensibility) ||
                       riid == __uuidof(IDTExtensibility2)
                   ? S_OK
                   : S_FALSE;
    }

private:
    // Loaded from the DLL itself, so dispatch works whether or not (and
    // wherever) the library is registered.
    ITypeInfo* TypeInfo() {
        if (!typeInfo_) {
            ComPtr<ITypeLib> library;
            const std::wstring path = module::Path();
            HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
            if (SUCCEEDED(hr)) {
                hr = library->GetTypeInfoOfGuid(IID__Connect, typeInfo_.put());
            }
            if (FAILED(hr)) {
                throw CallErrorFor(hr);
            }
        }
        return typeInfo_.get();
    }

    // Some oleaut32 builds (Wine's among them) hand surplus arguments to
    // the method unchecked; a caller that sends a callback two controls
    // hears DISP_E_BADPARAMCOUNT on every system alike. Members the type
    // information does not know are left for it to report.
    bool ArgumentCountFits(DISPID id, UINT given) {
        ITypeInfo* info = TypeInfo();
        TYPEATTR* rawAttr = nullptr;
        if (FAILED(info->GetTypeAttr(&rawAttr))) {
            return true;
        }
        const std::unique_ptr<TYPEATTR, TypeInfoRelease> attr(rawAttr, TypeInfoRelease{info});
        const UINT functions = attr->cFuncs;
        for (UINT i = 0; i < functions; ++i) {
            FUNCDESC* raw = nullptr;
            if (FAILED(info->GetFuncDesc(i, &raw))) {
                continue;
            }
            const std::unique_ptr<FUNCDESC, TypeInfoRelease> function(raw, TypeInfoRelease{info});
            if (function->memid != id) {
                continue;
            }
            UINT inputs = 0;
            for (SHORT parameter = 0; parameter < function->cParams; ++parameter) {
                if ((function->lprgelemdescParam[parameter].paramdesc.wParamFlags &
                     PARAMFLAG_FRETVAL) == 0) {
                    ++inputs;
                }
            }
            const UINT optional = static_cast<UINT>(function->cParamsOpt);
            return given <= inputs && given + optional >= inputs;
        }
        return true;
    }
    struct TypeInfoRelease {
        ITypeInfo* info;
        void operator()(FUNCDESC* f) const noexcept { info->ReleaseFuncDesc(f); }
        void operator()(TYPEATTR* a) const noexcept { info->ReleaseTypeAttr(a); }
    };

    // Policy is applied here, on every document, so it holds for users
    // who never open Tavlinar and whatever they put in their own store.
    RegistrySettingsStore ownSettings_;
    RegistryPolicySource computerPolicy_ = ComputerPolicy();
    RegistryPolicySource userPolicy_ = UserPolicy();
    PolicySettingsStore settings_{computerPolicy_, userPolicy_, ownSettings_};
    ComPtr<IDispatch> application_;
    std::optional<LateBoundHost> host_;
    Connect connect_{settings_};
    ComPtr<ITypeInfo> typeInfo_;
};

} // namespace

HRESULT CreateConnectObject(REFIID riid, void** object) noexcept {
    try {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        auto* created = new ConnectObject();
        // Starts at one reference: a failed query then frees the object.
        const HRESULT hr = created->QueryInterface(riid, object);
        created->Release();
        return hr;
    } catch (...) {
        return ReportCurrentError();
    }
}

} // namespace tavlin::com
