// Builds boundary tokens: the 32 uppercase hexadecimal digits of a fresh GUID.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <functional>
#include <string>

namespace modGUID {

// Fills a GUID record and answers with a status, zero on success (the platform's CoCreateGuid).
using guid_generator = std::function<HRESULT(GUID*)>;

// Data1, Data2, Data3 and the eight bytes of Data4, each in uppercase hexadecimal padded with
// leading zeros to its width; the empty text when the generator fails.
std::wstring CreateGuidString(const guid_generator& generate = &CoCreateGuid);

}  // namespace modGUID
