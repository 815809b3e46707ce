#include "site.h"

namespace host {

HRESULT Site::GetContainer(IOleContainer** container) noexcept {
    if (!container) return E_POINTER;
    *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT Site::GetWindow(HWND* window) noexcept {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
}

HRESULT Site::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position, LPRECT clip,
                               LPOLEINPLACEFRAMEINFO info) noexcept {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;
    *position = *clip = place_;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT Site::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) noexcept {
    active_ = com::ptr<IOleInPlaceActiveObject>(active);
    return S_OK;
}

}  // namespace host
