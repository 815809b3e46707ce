// RAII owners for the platform's handles and strings: nothing is freed by hand.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <string_view>
#include <utility>

namespace com {

// Owns one handle described by Traits (type, invalid(), close()) and closes it once.
template <class Traits>
class unique_any {
public:
    using type = typename Traits::type;

    unique_any() = default;
    explicit unique_any(type value) noexcept : value_(value) {}
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::invalid(); }
    type* put() noexcept {
        reset();
        return &value_;
    }
    type release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(type value = Traits::invalid()) noexcept {
        type old = std::exchange(value_, value);
        if (old != Traits::invalid()) Traits::close(old);
    }

private:
    type value_ = Traits::invalid();
};

// Traits of a handle that is empty when null.
template <class T, auto Close>
struct null_handle {
    using type = T;
    static constexpr T invalid() noexcept { return T{}; }
    static void close(T value) noexcept { Close(value); }
};

struct file_handle {
    using type = HANDLE;
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE value) noexcept { CloseHandle(value); }
};

using unique_hkey = unique_any<null_handle<HKEY, &RegCloseKey>>;
using unique_handle = unique_any<null_handle<HANDLE, &CloseHandle>>;
using unique_file = unique_any<file_handle>;
using unique_hmodule = unique_any<null_handle<HMODULE, &FreeLibrary>>;
using unique_hwnd = unique_any<null_handle<HWND, &DestroyWindow>>;
using unique_hgdiobj = unique_any<null_handle<HGDIOBJ, &DeleteObject>>;
using unique_bstr = unique_any<null_handle<BSTR, &SysFreeString>>;

// A new BSTR holding text; throws std::bad_alloc when the platform has no memory for it.
unique_bstr make_bstr(std::wstring_view text);

// A BSTR's characters; a null BSTR is the empty text.
inline std::wstring_view view(BSTR text) noexcept {
    return text ? std::wstring_view(text, SysStringLen(text)) : std::wstring_view();
}

// A VARIANT that clears itself.
class unique_variant : public VARIANT {
public:
    unique_variant() noexcept { VariantInit(this); }
    unique_variant(unique_variant&& other) noexcept : VARIANT(other) { VariantInit(&other); }
    unique_variant(const unique_variant&) = delete;
    unique_variant& operator=(const unique_variant&) = delete;
    ~unique_variant() { VariantClear(this); }
    VARIANT* put() noexcept {
        VariantClear(this);
        return this;
    }
};

}  // namespace com
