#include "guid_object.h"
#include "com/unique.h"
#include "modGUID.h"

namespace limbrel {

HRESULT GuidObject::NewGUID(BSTR* token) noexcept {
    if (!token) return E_POINTER;
    *token = nullptr;
    return com::boundary([&] {
        std::wstring text = modGUID::CreateGuidString();
        if (!text.empty()) *token = com::make_bstr(text).release();  // else the null string
    });
}

}  // namespace limbrel
