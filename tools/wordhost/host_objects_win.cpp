#include "tools/wordhost/host_objects_win.h"

#include "common/com_object_win.h"

#include <span>
#include <string>
#include <utility>

namespace wordhost {
namespace {

struct Member {
    const wchar_t* name;
    DISPID id;
};

// IDispatch by a table of names, without type information: what a host's
// automation object looks like to a late-bound caller.
template <typename Interface> class Automation : public tavlin::UntypedDispatch<Interface> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        const bool known = riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
                           riid == __uuidof(Interface);
        return this->Answer(known ? static_cast<Interface*>(this) : nullptr, object);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (names == nullptr || ids == nullptr || count == 0) {
            return E_INVALIDARG;
        }
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
        }
        for (const Member& member : Members()) {
            if (::CompareStringOrdinal(names[0], -1, member.name, -1, TRUE) == CSTR_EQUAL) {
                ids[0] = member.id;
            }
        }
        if (ids[0] == DISPID_UNKNOWN || count > 1) {
            hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        DISPPARAMS none{};
        return CallMember(id, flags, params != nullptr ? *params : none, result, exception);
    }

protected:
    virtual std::span<const Member> Members() const = 0;
    virtual HRESULT CallMember(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result,
                               EXCEPINFO* exception) = 0;

    static HRESULT ReturnText(VARIANT* result, const std::wstring& text) {
        if (result == nullptr) {
            return S_OK;
        }
        ::VariantInit(result);
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return V_BSTR(result) == nullptr ? E_OUTOFMEMORY : S_OK;
    }
    static HRESULT ReturnObject(VARIANT* result, IDispatch* object) {
        if (result == nullptr) {
            return S_OK;
        }
        ::VariantInit(result);
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = object;
        if (object != nullptr) {
            object->AddRef();
        }
        return S_OK;
    }
};

// Late-bound callers read a property as either a property get or a call.
constexpr WORD kReadAccess = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

class Window final : public Automation<IDispatch> {
public:
    explicit Window(HostState& state) : state_(state) {}

protected:
    std::span<const Member> Members() const override {
        static constexpr Member members[] = {{L"DocumentMap", 1}};
        return members;
    }
    HRESULT CallMember(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result,
                       EXCEPINFO*) override {
        if (id != 1) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (flags & DISPATCH_PROPERTYPUT) {
            if (params.cArgs != 1) {
                return DISP_E_BADPARAMCOUNT;
            }
            VARIANT value;
            ::VariantInit(&value);
            if (FAILED(::VariantChangeType(&value, &params.rgvarg[0], 0, VT_BOOL))) {
                return DISP_E_TYPEMISMATCH;
            }
            state_.documentMap = V_BOOL(&value) != VARIANT_FALSE;
            ++state_.documentMapWrites;
            return S_OK;
        }
        if (flags & kReadAccess) {
            if (params.cArgs != 0) {
                return DISP_E_BADPARAMCOUNT;
            }
            ++state_.documentMapReads;
            if (result != nullptr) {
                ::VariantInit(result);
                V_VT(result) = VT_BOOL;
                V_BOOL(result) = state_.documentMap ? VARIANT_TRUE : VARIANT_FALSE;
            }
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    HostState& state_;
};

// Office's LanguageSettings: LanguageID(MsoAppLanguageID) is the language
// of the installation (1), the user interface (2), help (3) and so on.
class LanguageSettings final : public Automation<IDispatch> {
public:
    explicit LanguageSettings(HostState& state) : state_(state) {}

protected:
    std::span<const Member> Members() const override {
        static constexpr Member members[] = {{L"LanguageID", 1}};
        return members;
    }
    HRESULT CallMember(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result,
                       EXCEPINFO* exception) override {
        if (id != 1 || !(flags & kReadAccess)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (params.cArgs != 1) {
            return DISP_E_BADPARAMCOUNT;
        }
        VARIANT which;
        ::VariantInit(&which);
        if (FAILED(::VariantChangeType(&which, &params.rgvarg[0], 0, VT_I4))) {
            return DISP_E_TYPEMISMATCH;
        }
        if (V_I4(&which) < 1 || V_I4(&which) > 5) {
            return E_INVALIDARG;
        }
        const auto languageId = static_cast<LONG>(state_.uiLanguage.value_or(0));
        switch (state_.uiLanguageAnswer) {
        case LanguageAnswer::Error:
            if (exception != nullptr) {
                *exception = EXCEPINFO{};
                exception->scode = E_FAIL;
                exception->bstrSource = ::SysAllocString(L"Microsoft Word");
                exception->bstrDescription = ::SysAllocString(L"The language is not available.");
            }
            return DISP_E_EXCEPTION;
        case LanguageAnswer::Text:
            return ReturnText(result, std::to_wstring(languageId));
        case LanguageAnswer::Number:
            break;
        }
        if (result != nullptr) {
            ::VariantInit(result);
            V_VT(result) = VT_I4;
            V_I4(result) = languageId;
        }
        return S_OK;
    }

private:
    HostState& state_;
};

class Application final : public Automation<IDispatch> {
public:
    explicit Application(HostState& state) : state_(state) {}

protected:
    // A host without LanguageSettings does not know the name at all.
    std::span<const Member> Members() const override {
        static constexpr Member members[] = {
            {L"Name", 1}, {L"ActiveWindow", 2}, {L"LanguageSettings", 3}};
        return std::span(members).first(state_.uiLanguage ? 3 : 2);
    }
    HRESULT CallMember(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result,
                       EXCEPINFO* exception) override {
        if (!(flags & kReadAccess)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (params.cArgs != 0) {
            return DISP_E_BADPARAMCOUNT;
        }
        if (id == 1) {
            return ReturnText(result, state_.applicationName);
        }
        if (id == 2) {
            ++state_.activeWindowReads;
            if (FAILED(state_.activeWindowFailure)) {
                return state_.activeWindowFailure;
            }
            if (!state_.hasWindow) {
                if (exception != nullptr) {
                    *exception = EXCEPINFO{};
                    exception->scode = kNoDocumentError;
                    exception->bstrSource = ::SysAllocString(L"Microsoft Word");
                    exception->bstrDescription = ::SysAllocString(kNoDocumentText);
                }
                return DISP_E_EXCEPTION;
            }
            ComPtr<IDispatch> window = ComPtr<IDispatch>::Attach(new Window(state_));
            return ReturnObject(result, window.get());
        }
        if (id == 3 && state_.uiLanguage) {
            ComPtr<IDispatch> settings = ComPtr<IDispatch>::Attach(new LanguageSettings(state_));
            return ReturnObject(result, settings.get());
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    HostState& state_;
};

class AddInObject final : public Automation<IDispatch> {
public:
    explicit AddInObject(std::wstring progId) : progId_(std::move(progId)) {}

protected:
    std::span<const Member> Members() const override {
        static constexpr Member members[] = {{L"ProgId", 1}, {L"Connect", 2}};
        return members;
    }
    HRESULT CallMember(DISPID id, WORD flags, DISPPARAMS&, VARIANT* result, EXCEPINFO*) override {
        if (!(flags & kReadAccess)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (id == 1) {
            return ReturnText(result, progId_);
        }
        if (id == 2 && result != nullptr) {
            ::VariantInit(result);
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = VARIANT_TRUE;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    std::wstring progId_;
};

class RibbonControl final : public Automation<IRibbonControl> {
public:
    RibbonControl(std::wstring id, ComPtr<IDispatch> context)
        : id_(std::move(id)), context_(std::move(context)) {}

    HRESULT STDMETHODCALLTYPE get_Id(BSTR* id) override { return CopyToBstr(id, id_); }
    HRESULT STDMETHODCALLTYPE get_Context(IDispatch** context) override {
        if (context == nullptr) {
            return E_POINTER;
        }
        *context = context_.get();
        if (*context != nullptr) {
            (*context)->AddRef();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Tag(BSTR* tag) override { return CopyToBstr(tag, L""); }

protected:
    std::span<const Member> Members() const override {
        static constexpr Member members[] = {{L"Id", 1}, {L"Context", 2}, {L"Tag", 3}};
        return members;
    }
    HRESULT CallMember(DISPID id, WORD flags, DISPPARAMS&, VARIANT* result, EXCEPINFO*) override {
        if (!(flags & kReadAccess)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        switch (id) {
        case 1:
            return ReturnText(result, id_);
        case 2:
            return ReturnObject(result, context_.get());
        case 3:
            return ReturnText(result, L"");
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    static HRESULT CopyToBstr(BSTR* out, const std::wstring& text) {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out == nullptr ? E_OUTOFMEMORY : S_OK;
    }

    std::wstring id_;
    ComPtr<IDispatch> context_;
};

} // namespace

ComPtr<IDispatch> MakeApplication(HostState& state) {
    return ComPtr<IDispatch>::Attach(new Application(state));
}

ComPtr<IDispatch> MakeAddInObject(const std::wstring& progId) {
    return ComPtr<IDispatch>::Attach(new AddInObject(progId));
}

ComPtr<IRibbonControl> MakeRibbonControl(const std::wstring& id, ComPtr<IDispatch> context) {
    return ComPtr<IRibbonControl>::Attach(new RibbonControl(id, std::move(context)));
}

} // namespace wordhost
