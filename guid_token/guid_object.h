// The creatable class GUID: hands out a fresh boundary token on every call of NewGUID.
#pragma once
#include "com/dispatch.h"
#include "limbrel.h"

namespace limbrel {

class GuidObject : public com::implements<com::dispatch<IGUID>, com::supports_error_info> {
public:
    static constexpr const CLSID& clsid = CLSID_GUID;

    HRESULT STDMETHODCALLTYPE NewGUID(BSTR* token) noexcept override;
};

}  // namespace limbrel
