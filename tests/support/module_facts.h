// What a client or a tool can read from a module file: its exports, resources and version block.
#pragma once
#include <windows.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace facts {

// A Linux path handed over by the build, as Wine's drive Z: shows it.
std::wstring windows_path(const char* unix_path);

// Export names and their ordinals.
std::map<std::string, WORD> exports(HMODULE module);

// The bytes of a resource of the given type, id and language, or nothing when there is none.
std::optional<std::vector<BYTE>> resource(HMODULE module, const wchar_t* type, const wchar_t* name, WORD language);

struct version_block {
    VS_FIXEDFILEINFO fixed;
    std::vector<DWORD> translations;  // language in the low word, code page in the high word
    std::optional<std::wstring> string(const std::wstring& name) const;
    std::vector<BYTE> data;
};
version_block version(const std::wstring& path);

// Expects the export table of an in-process COM server: its four entry points, undecorated, at
// ordinals 1 to 4.
void expect_server_exports(const std::wstring& path);

// Expects a language-neutral resource of the given type and id 1 holding 20 bytes: a 32-bit
// little-endian length, 16, then the IID in the GUID structure's layout.
void expect_iid_resource(HMODULE module, const wchar_t* type, REFIID iid);

// Expects the version block of one of this system's modules: file and product version 1.0.0.build
// for 32-bit Windows, no flags, the U.S. English Unicode string table with these names, the
// version as "1.00.000build", and the empty self-registration marker.
void expect_version_block(const std::wstring& path, WORD build, const std::wstring& internal_name,
                          const std::wstring& original_filename);

// Reads a registry value as text; nothing when the key or the value is missing.
std::optional<std::wstring> registry_text(HKEY root, const std::wstring& key, const std::wstring& name = {});
bool registry_key_exists(HKEY root, const std::wstring& key);

// Runs a program, waits for it and returns its exit code.
DWORD run(const std::wstring& command_line);

}  // namespace facts
