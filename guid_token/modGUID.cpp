#include "modGUID.h"
#include <cwchar>

namespace modGUID {
namespace {

std::wstring hex(unsigned long value) {
    wchar_t digits[9];
    swprintf(digits, 9, L"%lX", value);
    return digits;
}

std::wstring padded(unsigned long value, size_t width) {
    std::wstring digits = hex(value);
    return std::wstring(width - digits.size(), L'0') + digits;
}

}  // namespace

std::wstring CreateGuidString(const guid_generator& generate) {
    GUID record{};
    if (generate(&record) != 0) return {};
    std::wstring token = padded(record.Data1, 8) + padded(record.Data2, 4) + padded(record.Data3, 4);
    for (BYTE byte : record.Data4) token += padded(byte, 2);
    return token;
}

}  // namespace modGUID
