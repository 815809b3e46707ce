// What an in-process server knows of itself: its handle and path, and whether anything still
// needs it loaded (live objects and server locks).
#pragma once
#include <windows.h>
#include <string>

namespace com::module {

HINSTANCE instance() noexcept;
std::wstring path();

void object_created() noexcept;
void object_destroyed() noexcept;
void lock(bool on) noexcept;

// S_OK when no object and no server lock remains, else S_FALSE.
HRESULT can_unload() noexcept;

}  // namespace com::module
