#include "container.h"
#include <objsafe.h>
#include "com/error.h"
#include "com/unique.h"
#include "upload_control/norvat.h"

namespace host {
namespace {

// A browser enables an option for an interface only when the control supports it and
// accepts it being set.
bool make_safe(IObjectSafety* safety, REFIID iid, DWORD option) {
    DWORD supported = 0, enabled = 0;
    if (!safety || FAILED(safety->GetInterfaceSafetyOptions(iid, &supported, &enabled)) || !(supported & option))
        return false;
    return SUCCEEDED(safety->SetInterfaceSafetyOptions(iid, option, option));
}

SIZE pixels(SIZEL himetric) {
    HDC screen = GetDC(nullptr);
    SIZE size{MulDiv(himetric.cx, GetDeviceCaps(screen, LOGPIXELSX), 2540),
              MulDiv(himetric.cy, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
    ReleaseDC(nullptr, screen);
    return size;
}

}  // namespace

Container::Container(HWND window, POINT origin, const values& params) {
    control_ = com::create<IOleObject>(norvat::CLSID_Ferrolan);
    auto safety = control_.try_as<IObjectSafety>();
    safe_for_scripting_ = make_safe(safety.get(), IID_IDispatch, INTERFACESAFE_FOR_UNTRUSTED_CALLER);
    safe_for_initialising_ = make_safe(safety.get(), IID_IPersistPropertyBag, INTERFACESAFE_FOR_UNTRUSTED_DATA);

    SIZEL extent{};
    com::throw_if_failed(control_->GetExtent(DVASPECT_CONTENT, &extent));
    size_ = pixels(extent);
    site_ = com::make<Site>(window, RECT{origin.x, origin.y, origin.x + size_.cx, origin.y + size_.cy});

    DWORD status = 0;
    control_->GetMiscStatus(DVASPECT_CONTENT, &status);
    if (status & OLEMISC_SETCLIENTSITEFIRST) com::throw_if_failed(control_->SetClientSite(site_.get()));
    auto persist = control_.as<IPersistPropertyBag>();
    if (safe_for_initialising_) {
        auto bag = com::make<PropertyBag>(params);
        com::throw_if_failed(persist->Load(bag.get(), nullptr));
    } else {
        com::throw_if_failed(persist->InitNew());  // an unsafe control gets none of the page's data
    }
    if (!(status & OLEMISC_SETCLIENTSITEFIRST)) com::throw_if_failed(control_->SetClientSite(site_.get()));

    RECT place{origin.x, origin.y, origin.x + size_.cx, origin.y + size_.cy};
    com::throw_if_failed(control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, window, &place));
}

Container::~Container() {
    if (control_) {
        control_->Close(OLECLOSE_NOSAVE);
        control_->SetClientSite(nullptr);
    }
}

HWND Container::control_window() const {
    HWND window = nullptr;
    if (auto in_place = control_.try_as<IOleInPlaceObject>()) in_place->GetWindow(&window);
    return window;
}

void Container::UploadFiles() {
    if (!safe_for_scripting_) com::raise(E_ACCESSDENIED, L"host", L"The control is not safe for scripting.");
    auto script = control_.as<IDispatch>();
    LPOLESTR name = const_cast<LPOLESTR>(L"UploadFiles");
    DISPID id = 0;
    com::throw_if_failed(script->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    DISPPARAMS none{};
    EXCEPINFO exception{};
    HRESULT hr = script->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, &exception, nullptr);
    com::unique_bstr source(exception.bstrSource), description(exception.bstrDescription), help(exception.bstrHelpFile);
    if (hr == DISP_E_EXCEPTION)
        throw com::error(exception.scode ? com::number_from(exception.scode) : exception.wCode, std::wstring(com::view(source.get())),
                         std::wstring(com::view(description.get())));
    com::throw_if_failed(hr);
}

}  // namespace host
