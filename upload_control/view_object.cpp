// IViewObject2: the control's picture for containers that draw it themselves.
#include "ferrolan_control.h"

namespace norvat {

HRESULT FerrolanControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw, LPCRECTL bounds, LPCRECTL,
                              BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) noexcept {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!draw || !bounds) return E_INVALIDARG;
    POINT origin;
    SetViewportOrgEx(draw, bounds->left, bounds->top, &origin);
    SendMessageW(face_.window(), WM_PRINT, reinterpret_cast<WPARAM>(draw), PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    SetViewportOrgEx(draw, origin.x, origin.y, nullptr);
    return S_OK;
}

HRESULT FerrolanControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept {
    view_aspects_ = aspects;
    view_flags_ = flags;
    view_sink_ = com::ptr<IAdviseSink>(sink);
    return S_OK;
}

HRESULT FerrolanControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept {
    if (aspects) *aspects = view_aspects_;
    if (flags) *flags = view_flags_;
    if (sink) *sink = com::ptr<IAdviseSink>(view_sink_).detach();
    return S_OK;
}

HRESULT FerrolanControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) noexcept {
    return GetExtent(aspect, size);
}

}  // namespace norvat
