#include "screenshot.h"
#include <vector>
#include "com/error.h"
#include "com/unique.h"

namespace host {

void save_screenshot(HWND window, const std::wstring& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;

    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    com::unique_hgdiobj picture(CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ previous = SelectObject(memory, picture.get());
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(window, source);

    const DWORD row = DWORD((width * 3 + 3) & ~3), size = row * DWORD(height);
    BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                          DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    com::unique_file out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) com::throw_last_error(L"Cannot write " + path);
    DWORD written = 0;
    WriteFile(out.get(), &file, sizeof file, &written, nullptr);
    WriteFile(out.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out.get(), bits, size, &written, nullptr);
}

}  // namespace host
