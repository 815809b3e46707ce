// The raised error: a number, a source, a description, a help file and a help context.
// Inside a module it travels as the exception com::error; across COM as an HRESULT plus the
// thread's error info, converted once at each boundary.
#pragma once
#include <windows.h>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace com {

// Numbers of the runtime's own errors. Inside a module they are small numbers; across COM they
// travel as HRESULTs of FACILITY_CONTROL (0x800A0000 + number).
inline constexpr long error_overflow = 6;
inline constexpr long error_out_of_memory = 7;
inline constexpr long error_subscript_out_of_range = 9;

class error : public std::exception {
public:
    error(long number, std::wstring source, std::wstring description, std::wstring help_file = {},
          DWORD help_context = 0);

    long number() const noexcept { return number_; }
    const std::wstring& source() const noexcept { return source_; }
    const std::wstring& description() const noexcept { return description_; }
    const std::wstring& help_file() const noexcept { return help_file_; }
    DWORD help_context() const noexcept { return help_context_; }

    // The number as the status a COM call returns.
    HRESULT hresult() const noexcept;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    long number_;
    std::wstring source_, description_, help_file_;
    DWORD help_context_;
    std::string what_;
};

// The number that a raised error carries for a failed status (the inverse of error::hresult).
long number_from(HRESULT hr) noexcept;

// The platform's text for an error number, or for a failed status.
std::wstring describe(long number);

// The error that a failed call reported: its status and the error info its callee left behind.
error error_from(HRESULT hr);

[[noreturn]] void raise(long number, std::wstring source, std::wstring description = {});

inline void throw_if_failed(HRESULT hr) {
    if (FAILED(hr)) throw error_from(hr);
}

// Raises the calling thread's last Win32 error, its description prefixed with what failed.
[[noreturn]] void throw_last_error(std::wstring_view what);

// Inside a catch block at a COM boundary: publishes the exception in flight as the thread's
// error info and returns the status that carries it.
HRESULT to_hresult() noexcept;

// Runs f and answers with the status a COM method returns: S_OK, or the error it raised.
template <class F>
HRESULT boundary(F&& f) noexcept {
    try {
        std::forward<F>(f)();
        return S_OK;
    } catch (...) {
        return to_hresult();
    }
}

}  // namespace com
