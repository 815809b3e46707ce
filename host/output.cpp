#include "output.h"
#include <windows.h>

namespace host {

void say(const std::wstring& line) {
    std::wstring text = line + L"\n";
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

}  // namespace host
