#include "host_run.h"
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <sstream>
#include "com/text.h"
#include "com/unique.h"
#include "support/module_facts.h"

namespace host_run {
namespace {

std::wstring quoted(const std::wstring& argument) {
    std::wstring result = L"\"";
    for (wchar_t c : argument) {
        if (c == L'"') result += L'\\';
        result += c;
    }
    return result + L"\"";
}

}  // namespace

bool result::has(const std::wstring& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }

std::vector<std::wstring> result::starting(const std::wstring& prefix) const {
    std::vector<std::wstring> found;
    for (const auto& line : lines)
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
}

result run(const std::vector<std::wstring>& arguments) {
    std::wstring command = quoted(facts::windows_path(HOST_EXE));
    for (const auto& argument : arguments) command += L" " + quoted(argument);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr, write_end = nullptr;
    CreatePipe(&read_end, &write_end, &inherit, 0);
    com::unique_handle reader(read_end), writer(write_end);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write_end;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    result outcome{DWORD(-1), {}};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return outcome;
    com::unique_handle process_handle(process.hProcess), thread_handle(process.hThread);
    writer.reset();

    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &outcome.exit_code);

    std::wstringstream text(com::from_utf8(bytes));
    for (std::wstring line; std::getline(text, line);) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        outcome.lines.push_back(line);
    }
    return outcome;
}

std::wstring receiver_folder() {
    const char* folder = getenv("HOST_RECEIVER");
    return folder ? facts::windows_path(folder) : std::wstring();
}

std::wstring receiver_address() {
    std::ifstream port(std::filesystem::path(receiver_folder()) / L"port");
    std::string number;
    port >> number;
    return L"http://127.0.0.1:" + std::wstring(number.begin(), number.end());
}

std::string recorded(const std::wstring& name) {
    std::ifstream in(std::filesystem::path(receiver_folder()) / L"requests" / (name + L".http"), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace host_run
