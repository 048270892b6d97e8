#include "common/accessible_win.h"

#include "common/com_object_win.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"

#include <new>

#include <oleacc.h>

namespace tavlin {
namespace {

// oleacc is loaded when a screen reader first asks, so the add-in imports
// nothing Word's start would have to load for it. (Asked with MinGW's
// IID_IAccessible, Wine's oleacc answers E_NOINTERFACE; __uuidof serves.)
struct Oleacc {
    using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using FromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    CreateStd createStd = nullptr;
    FromObject fromObject = nullptr;
};
// Loaded once and kept for the process's life: objects handed out use it.
Oleacc OleaccFunctions() {
    Oleacc found;
    HMODULE oleacc = ::GetModuleHandleW(L"oleacc.dll");
    if (oleacc == nullptr) {
        oleacc = ::LoadLibraryW(L"oleacc.dll");
    }
    if (oleacc != nullptr) {
        found.createStd = reinterpret_cast<Oleacc::CreateStd>(
            reinterpret_cast<void*>(::GetProcAddress(oleacc, "CreateStdAccessibleObject")));
        found.fromObject = reinterpret_cast<Oleacc::FromObject>(
            reinterpret_cast<void*>(::GetProcAddress(oleacc, "LresultFromObject")));
    }
    return found;
}

bool IsSelf(const VARIANT& child) {
    return V_VT(&child) == VT_I4 && V_I4(&child) == CHILDID_SELF;
}

BSTR Copy(std::wstring_view text) {
    return text.empty() ? nullptr
                        : ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

HRESULT Text(BSTR text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = ::SysAllocStringLen(text, ::SysStringLen(text));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Every method but the role, name and value is the standard object's.
class FacedAccessible final : public ComObject<IAccessible> {
public:
    FacedAccessible(ComPtr<IAccessible> standard, const AccessibleFace& face, ModuleLock lock)
        : standard_(std::move(standard)), role_(face.role), name_(Copy(face.name)),
          value_(Copy(face.value)), lock_(lock) {
        if (lock_.lock != nullptr) {
            lock_.lock();
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        const bool ours = riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
                          riid == __uuidof(IAccessible);
        return Answer(ours ? static_cast<IAccessible*>(this) : nullptr, object);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) {
            return standard_->get_accRole(child, role);
        }
        if (role == nullptr) {
            return E_POINTER;
        }
        ::VariantInit(role);
        V_VT(role) = VT_I4;
        V_I4(role) = role_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return IsSelf(child) && name_ ? Text(name_.get(), name)
                                      : standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return IsSelf(child) && value_ ? Text(value_.get(), value)
                                       : standard_->get_accValue(child, value);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(riid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override {
        return standard_->Invoke(id, riid, lcid, flags, params, result, exception, badArgument);
    }

    // IAccessible, as the standard object has it
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return standard_->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_->get_accKeyboardShortcut(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return standard_->get_accDefaultAction(child, text);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~FacedAccessible() override {
        if (lock_.unlock != nullptr) {
            lock_.unlock();
        }
    }

    ComPtr<IAccessible> standard_;
    long role_;
    UniqueBstr name_; // null: the standard object's
    UniqueBstr value_;
    ModuleLock lock_;
};

} // namespace

// Nothing here throws, and the file is built without exceptions: a failure
// is an HRESULT or a null pointer, and the control's own answer serves.
LRESULT AnswerAccessibleObject(HWND control, WPARAM wParam, LPARAM lParam,
                               const AccessibleFace& face, ModuleLock lock) noexcept {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) {
        return 0;
    }
    const Oleacc oleacc = OleaccFunctions();
    if (oleacc.createStd == nullptr || oleacc.fromObject == nullptr) {
        return 0;
    }
    ComPtr<IAccessible> standard;
    if (FAILED(
            oleacc.createStd(control, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void()))) {
        return 0;
    }
    auto* object = new (std::nothrow) FacedAccessible(std::move(standard), face, lock);
    if (object == nullptr) {
        return 0;
    }
    // LresultFromObject takes its own reference; ours goes with this call.
    const LRESULT answer =
        oleacc.fromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return answer < 0 ? 0 : answer;
}

} // namespace tavlin
