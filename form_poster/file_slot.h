// File slot 1: the one numbered file through which a post reads the files it sends. It opens
// an existing file for reading only, so a missing file is reported and never created. A caller
// that reports a failed upload closes the slot; closing it when nothing is open does nothing.
// One post at a time uses it, on the caller's thread.
#pragma once
#include <windows.h>
#include <string>

namespace MultiPartFormDataPost::file_slot {

// Opens the file at path under slot 1. A path that names no file, names a folder or a device,
// or a file that another program holds locked raises a file error naming the path.
void open(const std::wstring& path);

// The open file's length in bytes.
long long length();

// Reads count bytes from the start of the open file into place, in one read.
void read(BYTE* place, DWORD count);

void close() noexcept;
bool is_open() noexcept;

// Closes slot 1 when the scope ends, on every way out.
struct closer {
    closer() = default;
    closer(const closer&) = delete;
    closer& operator=(const closer&) = delete;
    ~closer() { close(); }
};

}  // namespace MultiPartFormDataPost::file_slot
