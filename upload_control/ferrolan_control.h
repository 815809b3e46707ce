// The ActiveX control Ferrolan as hosts see it: its COM identity and the interfaces a
// container uses to site, load, show and script it.
#pragma once
#include <objsafe.h>
#include "com/dispatch.h"
#include "norvat.h"

namespace norvat {

class FerrolanControl : public com::implements<com::dispatch<IFerrolan>, com::supports_error_info, IObjectSafety> {
public:
    static constexpr const CLSID& clsid = CLSID_Ferrolan;

    // _Ferrolan
    HRESULT STDMETHODCALLTYPE UploadFiles() noexcept override;

    // IObjectSafety: safe for scripting and for initialisation, whatever is asked or told.
    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID, DWORD* supported, DWORD* enabled) noexcept override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID, DWORD, DWORD) noexcept override;
};

}  // namespace norvat
