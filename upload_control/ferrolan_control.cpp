#include "ferrolan_control.h"

namespace norvat {

HRESULT FerrolanControl::UploadFiles() noexcept { return S_OK; }

HRESULT FerrolanControl::GetInterfaceSafetyOptions(REFIID, DWORD* supported, DWORD* enabled) noexcept {
    if (!supported || !enabled) return E_POINTER;
    *supported = *enabled = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
    return S_OK;
}

HRESULT FerrolanControl::SetInterfaceSafetyOptions(REFIID, DWORD, DWORD) noexcept { return S_OK; }

}  // namespace norvat
