// The parts every in-process COM object here has alike: a reference count
// that frees the object with its last reference, IDispatch without type
// information for objects called only by name, and the one class factory
// a module keeps for as long as it is loaded.
#pragma once

#include <atomic>

#include <windows.h>
// After windows.h, which it needs.
#include <oaidl.h>

namespace tavlin {

// Starts at one reference, the creator's: a failed first query then frees
// the object with that creator's Release.
template <class... Interfaces> class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~ComObject() = default;

    // QueryInterface's last step, once the interface is chosen (or not:
    // nullptr answers E_NOINTERFACE). Every interface starts with IUnknown,
    // so the chosen base's address is the interface pointer itself.
    static HRESULT Answer(IUnknown* chosen, void** object) {
        *object = chosen;
        if (chosen == nullptr) {
            return E_NOINTERFACE;
        }
        chosen->AddRef();
        return S_OK;
    }

private:
    std::atomic<ULONG> references_{1};
};

// IDispatch for objects that late-bound callers reach by name alone, as
// Word's own automation objects and add-ins without a type library are.
template <class... Interfaces> class UntypedDispatch : public ComObject<Interfaces...> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return DISP_E_BADINDEX;
    }
};

// The module's one static class factory. Module gives Lock() and Unlock()
// over the count DllCanUnloadNow answers from, and Create(riid, object),
// which makes the module's object and never throws. The factory's own
// references count as locks, so a host that keeps it keeps the module.
template <class Module> class StaticClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        Module::Lock();
        return 2;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        Module::Unlock();
        return 1;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        static_assert(noexcept(Module::Create(riid, object)), "no exception may reach COM");
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        return Module::Create(riid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock) {
            Module::Lock();
        } else {
            Module::Unlock();
        }
        return S_OK;
    }
};

} // namespace tavlin
