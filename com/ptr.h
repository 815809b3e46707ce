// A reference-counted interface pointer, released on every way out.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <utility>
#include "error.h"

namespace com {

template <class T>
class ptr {
public:
    ptr() noexcept = default;
    ptr(std::nullptr_t) noexcept {}
    explicit ptr(T* p) noexcept : p_(p) {
        if (p_) p_->AddRef();
    }
    ptr(const ptr& other) noexcept : ptr(other.p_) {}
    ptr(ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ptr& operator=(ptr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ptr() { reset(); }

    // Takes over a reference that the caller already owns.
    static ptr adopt(T* p) noexcept {
        ptr result;
        result.p_ = p;
        return result;
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    T* detach() noexcept { return std::exchange(p_, nullptr); }
    void reset() noexcept {
        if (auto old = std::exchange(p_, nullptr)) old->Release();
    }

    // The same object through interface I, or an empty pointer when it has none.
    template <class I>
    ptr<I> try_as() const noexcept {
        ptr<I> result;
        if (p_) p_->QueryInterface(__uuidof(I), result.put_void());
        return result;
    }
    // The same object through interface I; raises the platform's error when it has none.
    template <class I>
    ptr<I> as() const {
        ptr<I> result;
        throw_if_failed(p_->QueryInterface(__uuidof(I), result.put_void()));
        return result;
    }

private:
    T* p_ = nullptr;
};

// Creates an in-process object by class identifier.
template <class I>
ptr<I> create(REFCLSID clsid, DWORD context = CLSCTX_INPROC_SERVER) {
    ptr<I> result;
    throw_if_failed(CoCreateInstance(clsid, nullptr, context, __uuidof(I), result.put_void()));
    return result;
}

}  // namespace com
