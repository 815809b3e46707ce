// IOleObject: how a container sites the control, sizes it and activates it.
#include "ferrolan_control.h"

namespace norvat {

HRESULT FerrolanControl::SetClientSite(IOleClientSite* site) noexcept {
    client_site_ = com::ptr<IOleClientSite>(site);
    return S_OK;
}

HRESULT FerrolanControl::GetClientSite(IOleClientSite** site) noexcept {
    if (!site) return E_POINTER;
    *site = com::ptr<IOleClientSite>(client_site_).detach();
    return S_OK;
}

HRESULT FerrolanControl::Close(DWORD) noexcept {
    InPlaceDeactivate();
    if (advise_holder_) advise_holder_->SendOnClose();
    return S_OK;
}

HRESULT FerrolanControl::DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) noexcept {
    switch (verb) {
    case OLEIVERB_HIDE:
        face_.Detach();
        return S_OK;
    case OLEIVERB_OPEN:
        return E_NOTIMPL;  // no window of its own outside a container
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return com::boundary([&] { activate_in_place(verb == OLEIVERB_UIACTIVATE); });
    default:
        return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

HRESULT FerrolanControl::GetUserClassID(CLSID* id) noexcept { return GetClassID(id); }

HRESULT FerrolanControl::GetUserType(DWORD form, LPOLESTR* name) noexcept { return OleRegGetUserType(clsid, form, name); }

HRESULT FerrolanControl::SetExtent(DWORD aspect, SIZEL* size) noexcept {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    extent_ = *size;
    return S_OK;
}

HRESULT FerrolanControl::GetExtent(DWORD aspect, SIZEL* size) noexcept {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT FerrolanControl::Advise(IAdviseSink* sink, DWORD* cookie) noexcept {
    if (!advise_holder_) {
        if (HRESULT hr = CreateOleAdviseHolder(advise_holder_.put()); FAILED(hr)) return hr;
    }
    return advise_holder_->Advise(sink, cookie);
}

HRESULT FerrolanControl::Unadvise(DWORD cookie) noexcept {
    return advise_holder_ ? advise_holder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

HRESULT FerrolanControl::EnumAdvise(IEnumSTATDATA** advises) noexcept {
    if (!advises) return E_POINTER;
    *advises = nullptr;
    return advise_holder_ ? advise_holder_->EnumAdvise(advises) : S_OK;
}

HRESULT FerrolanControl::GetMiscStatus(DWORD, DWORD* status) noexcept {
    if (!status) return E_POINTER;
    *status = misc_status;
    return S_OK;
}

}  // namespace norvat
