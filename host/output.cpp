#include "output.h"
#include <windows.h>
#include "com/text.h"

namespace host {

void say(const std::wstring& line) {
    std::string bytes = com::to_utf8(line + L"\n");
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

}  // namespace host
