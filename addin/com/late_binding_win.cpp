#include "addin/com/late_binding_win.h"

#include "addin/com/bstr_text_win.h"
#include "addin/com/com_error.h"
#include "addin/com/error_boundary_win.h"
#include "common/unique_win.h"

namespace tavlin::com {
namespace {

DISPID MemberId(IDispatch* target, const wchar_t* name) {
    if (target == nullptr) {
        throw Error::ObjectNotSet();
    }
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT hr = target->GetIDsOfNames(kNullIid, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        // What an automation client reports for a member the object lacks.
        throw CallError(hr, "Object doesn't support this property or method");
    }
    return id;
}

[[noreturn]] void ThrowCallFailure(HRESULT hr, EXCEPINFO& info) {
    if (hr != DISP_E_EXCEPTION) {
        throw CallErrorFor(hr);
    }
    if (info.pfnDeferredFillIn != nullptr) {
        info.pfnDeferredFillIn(&info);
    }
    UniqueBstr source(info.bstrSource);
    UniqueBstr description(info.bstrDescription);
    UniqueBstr help(info.bstrHelpFile);
    HRESULT code = info.scode;
    if (code == S_OK && info.wCode != 0) {
        code = ControlError(info.wCode);
    }
    if (SUCCEEDED(code)) {
        code = DISP_E_EXCEPTION;
    }
    std::string text = BstrText(description.get());
    if (text.empty()) {
        throw CallErrorFor(code);
    }
    throw CallError(code, std::move(text));
}

void Call(IDispatch* target, const wchar_t* name, WORD flags, DISPPARAMS& params, VARIANT* result) {
    const DISPID id = MemberId(target, name);
    EXCEPINFO info{};
    UINT argError = 0;
    const HRESULT hr =
        target->Invoke(id, kNullIid, LOCALE_USER_DEFAULT, flags, &params, result, &info, &argError);
    if (FAILED(hr)) {
        ThrowCallFailure(hr, info);
    }
}

} // namespace

void GetProperty(IDispatch* target, const wchar_t* name, VARIANT* result) {
    DISPPARAMS none{};
    Call(target, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, none, result);
}

void GetIndexedProperty(IDispatch* target, const wchar_t* name, VARIANT index, VARIANT* result) {
    DISPPARAMS params{&index, nullptr, 1, 0};
    Call(target, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, params, result);
}

void PutProperty(IDispatch* target, const wchar_t* name, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    Call(target, name, DISPATCH_PROPERTYPUT, params, nullptr);
}

ComPtr<IDispatch> GetObjectProperty(IDispatch* target, const wchar_t* name) {
    UniqueVariant v;
    GetProperty(target, name, v.get());
    if (V_VT(v.get()) != VT_DISPATCH && V_VT(v.get()) != VT_UNKNOWN) {
        throw Error::TypeMismatch();
    }
    ComPtr<IDispatch> object;
    if (V_UNKNOWN(v.get()) != nullptr) {
        const HRESULT hr =
            V_UNKNOWN(v.get())->QueryInterface(__uuidof(IDispatch), object.put_void());
        if (FAILED(hr)) {
            throw Error::TypeMismatch();
        }
    }
    if (!object) {
        throw Error::ObjectNotSet();
    }
    return object;
}

} // namespace tavlin::com
