#include "poster_support.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <winioctl.h>
#include <fstream>
#include <sstream>
#include "com/unique.h"
#include "support/module_facts.h"

namespace poster_test {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) throw std::runtime_error(std::string(name) + " is not set: run the test through ctest");
    return value;
}

std::string read_all(const std::wstring& path) {
    com::unique_file file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    LARGE_INTEGER size{};
    GetFileSizeEx(file.get(), &size);
    std::string bytes(size_t(size.QuadPart), '\0');
    DWORD done = 0;
    ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &done, nullptr);
    bytes.resize(done);
    return bytes;
}

std::wstring widen(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::string lower(std::string text) {
    for (char& c : text) c = char(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string record_name(std::string_view path) {
    std::string name(path.substr(0, path.find('?')));
    while (!name.empty() && name.front() == '/') name.erase(0, 1);
    while (!name.empty() && name.back() == '/') name.pop_back();
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.') c = '_';
    return name.empty() ? "root" : name;
}

}  // namespace

std::wstring receiver_url(std::string_view path) {
    static const std::string port = [] {
        std::string text = read_all(facts::windows_path((environment("POSTER_RECEIVER") + "/port").c_str()));
        return text.substr(0, text.find_first_of("\r\n"));
    }();
    return widen("http://127.0.0.1:" + port) + widen(path);
}

std::vector<std::string> recorded_request::values(std::string_view name) const {
    std::vector<std::string> found;
    for (auto& [key, value] : headers)
        if (lower(key) == lower(std::string(name))) found.push_back(value);
    return found;
}

std::string recorded_request::boundary() const {
    auto types = values("Content-Type");
    if (types.empty()) return {};
    auto at = types.front().find("boundary=");
    return at == std::string::npos ? std::string() : types.front().substr(at + 9);
}

std::optional<recorded_request> recorded(std::string_view path) {
    std::string file = environment("POSTER_RECEIVER") + "/requests/" + record_name(path) + ".http";
    std::wstring windows = facts::windows_path(file.c_str());
    if (!exists(windows)) return std::nullopt;
    std::string raw = read_all(windows);
    recorded_request request;
    size_t end = raw.find("\r\n\r\n");
    if (end == std::string::npos) return std::nullopt;
    std::istringstream head(raw.substr(0, end));
    std::string line;
    std::getline(head, line);
    request.request_line = line.substr(0, line.find('\r'));
    while (std::getline(head, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto colon = line.find(':');
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        request.headers.emplace_back(line.substr(0, colon), value);
    }
    request.body = raw.substr(end + 4);
    return request;
}

std::wstring data_path(const std::wstring& name) {
    static const std::wstring folder = [] {
        std::wstring path = facts::windows_path(environment("POSTER_DATA").c_str());
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }();
    return folder + L"\\" + name;
}

std::wstring data_file(const std::wstring& name, std::string_view bytes) {
    std::wstring path = data_path(name);
    com::unique_file file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) throw std::runtime_error("cannot make a test file");
    DWORD done = 0;
    WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &done, nullptr);
    return path;
}

std::wstring sparse_file(const std::wstring& name, long long size) {
    std::wstring path = data_path(name);
    com::unique_file file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) throw std::runtime_error("cannot make a test file");
    DWORD returned = 0;
    DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    if (!SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get()))
        throw std::runtime_error("cannot size a sparse test file");
    return path;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring xml_escaped(std::wstring_view text) {
    std::wstring escaped;
    for (wchar_t c : text) {
        switch (c) {
        case L'&': escaped += L"&amp;"; break;
        case L'<': escaped += L"&lt;"; break;
        case L'>': escaped += L"&gt;"; break;
        case L'"': escaped += L"&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::wstring document(const std::wstring& url, const std::wstring& inputs) {
    return L"<POST URL=\"" + xml_escaped(url) + L"\">" + inputs + L"</POST>";
}

std::wstring input(const std::wstring& name, const std::wstring& type, const std::wstring& value) {
    return L"<Input Type=\"" + xml_escaped(type) + L"\" Name=\"" + xml_escaped(name) + L"\">" + xml_escaped(value) +
           L"</Input>";
}

std::wstring batch_document(const std::wstring& url, const std::wstring& path) {
    return document(url, input(L"UploadData", L"FILE", path) + input(L"btnSubmit", L"submit", L"Upload") +
                             input(L"FormName", L"hidden", L"VizaraRodode"));
}

std::string ansi(std::wstring_view text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace poster_test
