#include "module.h"
#include <atomic>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace com::module {
namespace {
std::atomic<long> users{0};
}

HINSTANCE instance() noexcept { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::wstring path() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(instance(), buffer.data(), DWORD(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

void object_created() noexcept { ++users; }
void object_destroyed() noexcept { --users; }
void lock(bool on) noexcept { on ? ++users : --users; }

HRESULT can_unload() noexcept { return users == 0 ? S_OK : S_FALSE; }

}  // namespace com::module
