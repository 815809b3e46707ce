#include "boundary.h"
#include "com/ptr.h"
#include "com/unique.h"
#include "guid_token/limbrel.h"

namespace MultiPartFormDataPost {

std::wstring new_boundary() {
    auto token_object = com::create<limbrel::IGUID>(limbrel::CLSID_GUID);
    com::unique_bstr token;
    com::throw_if_failed(token_object->NewGUID(token.put()));
    return L"-------------------------" + std::wstring(com::view(token.get()));
}

}  // namespace MultiPartFormDataPost
