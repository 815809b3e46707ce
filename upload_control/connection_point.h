// The connection point of the control's event interface. The control raises no events, but
// hosts advise a sink all the same; the sinks are kept by the control.
#pragma once
#include <ocidl.h>
#include <olectl.h>
#include "com/object.h"

namespace norvat {

class FerrolanControl;

class EventConnectionPoint : public com::implements<IConnectionPoint> {
public:
    explicit EventConnectionPoint(FerrolanControl* control);

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) noexcept override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) noexcept override { return E_NOTIMPL; }

private:
    com::ptr<IConnectionPointContainer> container_;
    FerrolanControl* control_;
};

}  // namespace norvat
