#include "error.h"
#include <oleauto.h>
#include <cstdio>
#include <new>
#include "ptr.h"
#include "text.h"
#include "unique.h"

namespace com {
namespace {

// The runtime's own texts for the numbers this system raises or relies on.
const wchar_t* runtime_text(long number) {
    switch (number) {
    case 5: return L"Invalid procedure call or argument";
    case error_overflow: return L"Overflow";
    case error_out_of_memory: return L"Out of memory";
    case error_subscript_out_of_range: return L"Subscript out of range";
    case 52: return L"Bad file name or number";
    case 53: return L"File not found";
    case 70: return L"Permission denied";
    case 75: return L"Path/File access error";
    case 76: return L"Path not found";
    default: return nullptr;
    }
}

// Texts for the statuses of the platform's HTTP objects, which the system table lacks.
const wchar_t* internet_text(HRESULT hr) {
    switch (hr) {
    case HRESULT(0x800C0002): return L"The address is not valid";                      // INET_E_INVALID_URL
    case HRESULT(0x800C0004): return L"Cannot connect to the server";                  // INET_E_CANNOT_CONNECT
    case HRESULT(0x800C0005): return L"The server or the page was not found";          // INET_E_RESOURCE_NOT_FOUND
    case HRESULT(0x800C0007): return L"The server sent no data";                       // INET_E_DATA_NOT_AVAILABLE
    case HRESULT(0x800C0008): return L"The server could not be reached or the transfer failed";  // INET_E_DOWNLOAD_FAILURE
    case HRESULT(0x800C000B): return L"The connection to the server timed out";        // INET_E_CONNECTION_TIMEOUT
    case HRESULT(0x800C000D): return L"The address uses a protocol that is not supported";  // INET_E_UNKNOWN_PROTOCOL
    default: return nullptr;
    }
}

std::wstring system_text(HRESULT hr) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        DWORD(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

bool is_runtime_number(long number) { return number > 0 && number <= 0xFFFF; }

}  // namespace

error::error(long number, std::wstring source, std::wstring description, std::wstring help_file,
             DWORD help_context)
    : number_(number),
      source_(std::move(source)),
      description_(description.empty() ? describe(number) : std::move(description)),
      help_file_(std::move(help_file)),
      help_context_(help_context),
      what_(to_utf8(description_)) {}

HRESULT error::hresult() const noexcept {
    return is_runtime_number(number_) ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number_) : HRESULT(number_);
}

long number_from(HRESULT hr) noexcept {
    return HRESULT_FACILITY(hr) == FACILITY_CONTROL && FAILED(hr) ? HRESULT_CODE(hr) : long(hr);
}

std::wstring describe(long number) {
    if (is_runtime_number(number)) {
        if (auto text = runtime_text(number)) return text;
        return L"Application-defined or object-defined error";
    }
    if (auto text = internet_text(HRESULT(number))) return text;
    if (auto text = system_text(HRESULT(number)); !text.empty()) return text;
    wchar_t text[40];
    swprintf(text, 40, L"Automation error 0x%08lX", static_cast<unsigned long>(number));
    return text;
}

error error_from(HRESULT hr) {
    long number = number_from(hr);
    ptr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK || !info) return error(number, {}, {});
    unique_bstr source, description, help_file;
    DWORD help_context = 0;
    info->GetSource(source.put());
    info->GetDescription(description.put());
    info->GetHelpFile(help_file.put());
    info->GetHelpContext(&help_context);
    return error(number, std::wstring(view(source.get())), std::wstring(view(description.get())),
                 std::wstring(view(help_file.get())), help_context);
}

void raise(long number, std::wstring source, std::wstring description) {
    throw error(number, std::move(source), std::move(description));
}

void throw_last_error(std::wstring_view what) {
    HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
    std::wstring description(what);
    if (auto text = system_text(hr); !text.empty()) description += L": " + text;
    throw error(hr, {}, std::move(description));
}

namespace {

void publish(const error& e) noexcept {
    ptr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.put()))) return;
    create->SetSource(const_cast<wchar_t*>(e.source().c_str()));
    create->SetDescription(const_cast<wchar_t*>(e.description().c_str()));
    create->SetHelpFile(const_cast<wchar_t*>(e.help_file().c_str()));
    create->SetHelpContext(e.help_context());
    if (auto info = create.try_as<IErrorInfo>()) SetErrorInfo(0, info.get());
}

}  // namespace

HRESULT to_hresult() noexcept {
    SetErrorInfo(0, nullptr);
    try {
        try {
            throw;
        } catch (const error& e) {
            publish(e);
            return e.hresult();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (const std::exception& e) {
            std::string what = e.what();
            publish(error(E_UNEXPECTED, {}, std::wstring(what.begin(), what.end())));
            return E_UNEXPECTED;
        }
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace com
