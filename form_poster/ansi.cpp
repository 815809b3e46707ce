#include "ansi.h"
#include <windows.h>
#include <climits>
#include "errors.h"

namespace MultiPartFormDataPost {

std::string to_ansi(std::wstring_view text) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX) raise(com::error_overflow);
    int length = int(text.size());
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) com::throw_last_error(L"Cannot convert text to the ANSI code page");
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace MultiPartFormDataPost
