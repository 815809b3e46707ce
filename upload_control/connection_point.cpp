#include "connection_point.h"
#include "ferrolan_control.h"

namespace norvat {

EventConnectionPoint::EventConnectionPoint(FerrolanControl* control)
    : container_(static_cast<IConnectionPointContainer*>(control)), control_(control) {}

HRESULT EventConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
    if (!iid) return E_POINTER;
    *iid = DIID___Ferrolan;
    return S_OK;
}

HRESULT EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
    if (!container) return E_POINTER;
    *container = com::ptr<IConnectionPointContainer>(container_).detach();
    return S_OK;
}

HRESULT EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    if (!sink || !cookie) return E_POINTER;
    auto& sinks = control_->event_sinks();
    *cookie = sinks.empty() ? 1 : sinks.rbegin()->first + 1;
    sinks.emplace(*cookie, com::ptr<IUnknown>(sink));
    return S_OK;
}

HRESULT EventConnectionPoint::Unadvise(DWORD cookie) noexcept {
    return control_->event_sinks().erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

}  // namespace norvat
