// Move-only owners for handles and interface pointers. Portable, so their
// rules (close exactly once, put() releases what was held) are tested
// natively with a fake handle; the Windows traits are in unique_win.h.
#pragma once

#include <cstdio>
#include <utility>

namespace tavlin {

// Traits: static Handle Invalid() noexcept; static void Close(Handle) noexcept.
template <typename Traits> class UniqueResource {
public:
    using Handle = decltype(Traits::Invalid());

    UniqueResource() noexcept = default;
    explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
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
    void reset(Handle replacement = Traits::Invalid()) noexcept {
        const Handle old = std::exchange(handle_, replacement);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Handle handle_ = Traits::Invalid();
};

// A C runtime stream, for the small programs that append to a log.
struct CFileTraits {
    static std::FILE* Invalid() noexcept { return nullptr; }
    static void Close(std::FILE* stream) noexcept { std::fclose(stream); }
};
using UniqueCFile = UniqueResource<CFileTraits>;

// A counted interface pointer: AddRef on copy, Release on reset.
template <typename T> class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* pointer) noexcept {
        ComPtr owner;
        owner.pointer_ = pointer;
        return owner;
    }
    // Adds a reference of its own.
    static ComPtr Retain(T* pointer) noexcept {
        if (pointer != nullptr) {
            pointer->AddRef();
        }
        return Attach(pointer);
    }
    ComPtr(const ComPtr& other) noexcept : pointer_(other.pointer_) {
        if (pointer_ != nullptr) {
            pointer_->AddRef();
        }
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    [[nodiscard]] T* get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    [[nodiscard]] explicit operator bool() const noexcept { return pointer_ != nullptr; }
    [[nodiscard]] T** put() noexcept {
        reset();
        return &pointer_;
    }
    [[nodiscard]] void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    [[nodiscard]] T* detach() noexcept { return std::exchange(pointer_, nullptr); }
    void reset() noexcept {
        if (T* old = std::exchange(pointer_, nullptr)) {
            old->Release();
        }
    }

private:
    T* pointer_ = nullptr;
};

} // namespace tavlin
