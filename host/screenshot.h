// Saves what a window shows, children included, as a 24-bit BMP file.
#pragma once
#include <windows.h>
#include <string>

namespace host {

void save_screenshot(HWND window, const std::wstring& path);

}  // namespace host
