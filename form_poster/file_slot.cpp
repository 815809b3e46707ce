#include "file_slot.h"
#include "com/unique.h"
#include "errors.h"

namespace MultiPartFormDataPost::file_slot {
namespace {

// The platform's numbers for file failures.
constexpr long error_file_not_found = 53;
constexpr long error_file_already_open = 55;
constexpr long error_input_past_end = 62;
constexpr long error_permission_denied = 70;
constexpr long error_path_file_access = 75;
constexpr long error_path_not_found = 76;

com::unique_file slot;

bool is_folder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

[[noreturn]] void raise_open_failure(const std::wstring& path, DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        raise(error_file_not_found, L"File not found: " + path);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        raise(error_path_not_found, L"Path not found: " + path);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        raise(error_permission_denied, L"Permission denied: " + path + L" is in use by another program");
    case ERROR_ACCESS_DENIED:
        if (is_folder(path)) raise(error_path_file_access, L"Path/File access error: " + path + L" is a folder, not a file");
        raise(error_permission_denied, L"Permission denied: " + path);
    default:
        raise(error_path_file_access, L"Path/File access error: " + path + L" (" + com::describe(HRESULT_FROM_WIN32(code)) + L")");
    }
}

HANDLE open_handle() {
    if (!slot) raise(52, L"Bad file name or number: file slot 1 is not open");
    return slot.get();
}

}  // namespace

void open(const std::wstring& path) {
    if (slot) raise(error_file_already_open, L"File already open: file slot 1");
    // OPEN_EXISTING: an upload never creates or changes a file on the user's disk.
    com::unique_file file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) raise_open_failure(path, GetLastError());
    // Pipes and devices could block the post or never end: only files on disk are sent.
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        raise(error_path_file_access, L"Path/File access error: " + path + L" is not a file on disk");
    slot = std::move(file);
}

long long length() {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(open_handle(), &size)) com::throw_last_error(L"Cannot read the length of the file");
    return size.QuadPart;
}

void read(BYTE* place, DWORD count) {
    HANDLE file = open_handle();
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) com::throw_last_error(L"Cannot read the file");
    DWORD done = 0;
    if (!ReadFile(file, place, count, &done, nullptr)) com::throw_last_error(L"Cannot read the file");
    if (done != count) raise(error_input_past_end, L"Input past end of file: the file became shorter while it was read");
}

void close() noexcept { slot.reset(); }

bool is_open() noexcept { return bool(slot); }

}  // namespace MultiPartFormDataPost::file_slot
