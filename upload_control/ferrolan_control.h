// The ActiveX control Ferrolan as containers and scripts see it: a windowed control that a
// container sites, loads from a property bag, activates in place and scripts through
// IDispatch. Its behaviour lives in Ferrolan; its face in FormFace.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>
#include <olectl.h>
#include <map>
#include "com/dispatch.h"
#include "ferrolan.h"
#include "form_face.h"
#include "norvat.h"
#include "open_dialog.h"
#include "platform_services.h"

namespace norvat {

class FerrolanControl
    : public com::implements<com::dispatch<IFerrolan>, com::supports_error_info, IObjectSafety, IOleObject,
                             com::chain<IOleInPlaceObject, IOleWindow>, IOleInPlaceActiveObject, IOleControl,
                             com::chain<IViewObject2, IViewObject>, com::chain<IPersistPropertyBag, IPersist>,
                             IPersistStreamInit, com::chain<IProvideClassInfo2, IProvideClassInfo>,
                             IConnectionPointContainer> {
public:
    static constexpr const CLSID& clsid = CLSID_Ferrolan;
    // Container hints: recompose on resize, no link source, inside-out, active when visible,
    // client site before the properties are loaded.
    static constexpr DWORD misc_status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                                         OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

    FerrolanControl();

    // _Ferrolan
    HRESULT STDMETHODCALLTYPE UploadFiles() noexcept override;

    // IObjectSafety: safe for scripting and for initialisation, whatever is asked or told.
    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID, DWORD* supported, DWORD* enabled) noexcept override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID, DWORD, DWORD) noexcept override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) noexcept override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) noexcept override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD save) noexcept override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) noexcept override { return OLE_S_USEREG; }
    HRESULT STDMETHODCALLTYPE Update() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* id) noexcept override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* name) noexcept override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) noexcept override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) noexcept override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advises) noexcept override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) noexcept override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) noexcept override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() noexcept override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() noexcept override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) noexcept override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() noexcept override { return INPLACE_E_NOTUNDOABLE; }

    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) noexcept override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) noexcept override { return S_OK; }

    // IOleControl: no mnemonics, no ambient properties read, no events to freeze.
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) noexcept override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) noexcept override { return S_OK; }

    // IViewObject, IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw, LPCRECTL bounds, LPCRECTL,
                                   BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) noexcept override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) noexcept override {
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) noexcept override;

    // IPersist, IPersistPropertyBag, IPersistStreamInit: settings are read, never written.
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) noexcept override;
    HRESULT STDMETHODCALLTYPE InitNew() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog*) noexcept override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag*, BOOL, BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsDirty() noexcept override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(IStream*) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Save(IStream*, BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) noexcept override;

    // IProvideClassInfo, IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) noexcept override;

    // IConnectionPointContainer: the one connection point of the empty event interface.
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept override;

    // The event sinks that hosts advise; the control raises no events.
    std::map<DWORD, com::ptr<IUnknown>>& event_sinks() { return event_sinks_; }

    // The face, for the host's tools (screenshots) and tests.
    FormFace& face() { return face_; }

private:
    ~FerrolanControl() override;
    void on_click(FormFace::Child button);
    void activate_in_place(bool ui);

    FormFace face_;
    OpenDialog dialog_;
    PlatformServices services_;
    Ferrolan behaviour_;

    com::ptr<IOleClientSite> client_site_;
    com::ptr<IOleInPlaceSite> in_place_site_;
    com::ptr<IOleInPlaceFrame> frame_;
    com::ptr<IOleAdviseHolder> advise_holder_;
    com::ptr<IAdviseSink> view_sink_;
    DWORD view_aspects_ = 0, view_flags_ = 0;
    SIZEL extent_;  // HIMETRIC
    bool ui_active_ = false;
    std::map<DWORD, com::ptr<IUnknown>> event_sinks_;
};

}  // namespace norvat
