#include "module_facts.h"
#include <gtest/gtest.h>
#include <winver.h>
#include <cstring>
#include "com/unique.h"

namespace facts {

std::wstring windows_path(const char* unix_path) {
    std::wstring path = L"Z:";
    for (const char* c = unix_path; *c; ++c) path += *c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(*c));
    return path;
}

std::map<std::string, WORD> exports(HMODULE module) {
    auto base = reinterpret_cast<const BYTE*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    auto& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
    auto ordinals = reinterpret_cast<const WORD*>(base + directory->AddressOfNameOrdinals);
    std::map<std::string, WORD> result;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i)
        result[reinterpret_cast<const char*>(base + names[i])] = WORD(directory->Base + ordinals[i]);
    return result;
}

std::optional<std::vector<BYTE>> resource(HMODULE module, const wchar_t* type, const wchar_t* name, WORD language) {
    HRSRC found = FindResourceExW(module, type, name, language);
    if (!found) return std::nullopt;
    auto bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module, found));
}

version_block version(const std::wstring& path) {
    version_block block{};
    DWORD handle = 0;
    block.data.resize(GetFileVersionInfoSizeW(path.c_str(), &handle));
    if (block.data.empty() || !GetFileVersionInfoW(path.c_str(), 0, DWORD(block.data.size()), block.data.data()))
        return block;
    void* value = nullptr;
    UINT size = 0;
    if (VerQueryValueW(block.data.data(), L"\\", &value, &size)) block.fixed = *static_cast<VS_FIXEDFILEINFO*>(value);
    if (VerQueryValueW(block.data.data(), L"\\VarFileInfo\\Translation", &value, &size)) {
        auto words = static_cast<DWORD*>(value);
        block.translations.assign(words, words + size / sizeof(DWORD));
    }
    return block;
}

void expect_server_exports(const std::wstring& path) {
    com::unique_hmodule loaded(LoadLibraryW(path.c_str()));
    ASSERT_TRUE(loaded);
    const std::map<std::string, WORD> expected{
        {"DllCanUnloadNow", 1}, {"DllGetClassObject", 2}, {"DllRegisterServer", 3}, {"DllUnregisterServer", 4}};
    EXPECT_EQ(exports(loaded.get()), expected);
}

void expect_iid_resource(HMODULE module, const wchar_t* type, REFIID iid) {
    SCOPED_TRACE(testing::Message() << "resource " << type);
    auto bytes = resource(module, type, MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 20u);
    DWORD length;
    IID held;
    std::memcpy(&length, bytes->data(), 4);
    std::memcpy(&held, bytes->data() + 4, 16);
    EXPECT_EQ(length, 16u);
    EXPECT_EQ(held, iid);
}

void expect_version_block(const std::wstring& path, WORD build, const std::wstring& internal_name,
                          const std::wstring& original_filename) {
    auto block = version(path);
    EXPECT_EQ(block.fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(block.fixed.dwFileVersionLS, DWORD(build));
    EXPECT_EQ(block.fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(block.fixed.dwProductVersionLS, DWORD(build));
    EXPECT_EQ(block.fixed.dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(block.fixed.dwFileType, DWORD(VFT_DLL));
    EXPECT_EQ(block.fixed.dwFileFlags & block.fixed.dwFileFlagsMask, 0u);
    EXPECT_EQ(block.translations, std::vector<DWORD>{MAKELONG(0x0409, 1200)});
    const std::wstring version = L"1.00.000" + std::to_wstring(build);
    const std::pair<const wchar_t*, std::wstring> strings[] = {{L"FileVersion", version},
                                                               {L"ProductVersion", version},
                                                               {L"InternalName", internal_name},
                                                               {L"OriginalFilename", original_filename},
                                                               {L"OLESelfRegister", L""}};
    for (const auto& [name, value] : strings) EXPECT_EQ(block.string(name), value) << name;
    EXPECT_TRUE(block.string(L"CompanyName"));
    EXPECT_TRUE(block.string(L"ProductName"));
}

std::optional<std::wstring> version_block::string(const std::wstring& name) const {
    void* value = nullptr;
    UINT size = 0;
    std::wstring query = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(const_cast<BYTE*>(data.data()), query.c_str(), &value, &size)) return std::nullopt;
    return std::wstring(static_cast<wchar_t*>(value));
}

std::optional<std::wstring> registry_text(HKEY root, const std::wstring& key, const std::wstring& name) {
    wchar_t value[1024];
    DWORD size = sizeof value;
    if (RegGetValueW(root, key.c_str(), name.empty() ? nullptr : name.c_str(), RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

bool registry_key_exists(HKEY root, const std::wstring& key) {
    com::unique_hkey handle;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, handle.put()) == ERROR_SUCCESS;
}

DWORD run(const std::wstring& command_line) {
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::wstring line = command_line;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return DWORD(-1);
    com::unique_handle process_handle(process.hProcess), thread_handle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = DWORD(-1);
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

}  // namespace facts
