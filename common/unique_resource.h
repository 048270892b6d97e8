// Move-only owners for handles and interface pointers. Portable, so their
// rules (close exactly once, put() releases what was held) are tested
// natively with a fake handle; the Windows traits are in unique_win.h.
#pragma once

#include <utility>

namespace tavlin {

// Traits: static Handle Invalid() noexcept; static void Close(Handle) noexcept.
template <typename Traits> class UniqueResource {
public:
    using Handle = decltype(Traits::Invalid());

    UniqueResource() noexcept = default;
    explicit UniqueResource(Handle h) noexcept : handle_(h) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : handle_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueResource() { reset(); }

    [[nodiscard]] Handle get() const noexcept { return handle_; }
    [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    // Closes what was held and hands out the slot for an out-parameter.
    [[nodiscard]] Handle* put() noexcept {
        reset();
        return &handle_;
    }
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) noexcept {
        const Handle old = std::exchange(handle_, h);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Handle handle_ = Traits::Invalid();
};

// A counted interface pointer: AddRef on copy, Release on reset.
template <typename T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) noexcept {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    // Adds a reference of its own.
    static ComPtr Retain(T* p) noexcept {
        if (p != nullptr) {
            p->AddRef();
        }
        return Attach(p);
    }
    ComPtr(const ComPtr& other) noexcept : p_(other.p_) {
        if (p_ != nullptr) {
            p_->AddRef();
        }
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    [[nodiscard]] T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    [[nodiscard]] explicit operator bool() const noexcept { return p_ != nullptr; }
    [[nodiscard]] T** put() noexcept {
        reset();
        return &p_;
    }
    [[nodiscard]] void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    [[nodiscard]] T* detach() noexcept { return std::exchange(p_, nullptr); }
    void reset() noexcept {
        if (T* old = std::exchange(p_, nullptr)) {
            old->Release();
        }
    }

private:
    T* p_ = nullptr;
};

} // namespace tavlin
