#include "ferrolan_control.h"
#include "connection_point.h"

namespace norvat {
namespace {

// The face's design size, 7665 x 2970 twips, in HIMETRIC units (2540 to the inch).
constexpr SIZEL design_extent = {7665 * 2540 / 1440, 2970 * 2540 / 1440};

}  // namespace

FerrolanControl::FerrolanControl()
    : face_([this](FormFace::Child button) { on_click(button); }),
      dialog_([this] { return GetAncestor(face_.window(), GA_ROOT); }),
      behaviour_(face_, dialog_, services_),
      extent_(design_extent) {
    behaviour_.HandleEvent([&] { behaviour_.Initialize(); });
}

FerrolanControl::~FerrolanControl() = default;

void FerrolanControl::on_click(FormFace::Child button) {
    com::ptr<IFerrolan> alive(this);  // the host may let go of the control while a dialog is up
    behaviour_.HandleEvent([&] {
        if (button == FormFace::ChooseFiles) behaviour_.ChooseFiles_Click();
        if (button == FormFace::Remove) behaviour_.Remove_Click();
    });
}

HRESULT FerrolanControl::UploadFiles() noexcept {
    com::ptr<IFerrolan> alive(this);
    return com::boundary([&] { behaviour_.UploadFiles(); });
}

HRESULT FerrolanControl::GetInterfaceSafetyOptions(REFIID, DWORD* supported, DWORD* enabled) noexcept {
    if (!supported || !enabled) return E_POINTER;
    *supported = *enabled = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
    return S_OK;
}

HRESULT FerrolanControl::SetInterfaceSafetyOptions(REFIID, DWORD, DWORD) noexcept { return S_OK; }

HRESULT FerrolanControl::GetClassID(CLSID* id) noexcept {
    if (!id) return E_POINTER;
    *id = clsid;
    return S_OK;
}

HRESULT FerrolanControl::Load(IPropertyBag* bag, IErrorLog*) noexcept {
    if (!bag) return E_POINTER;
    behaviour_.HandleEvent([&] { behaviour_.ReadProperties(bag); });
    return S_OK;
}

HRESULT FerrolanControl::GetSizeMax(ULARGE_INTEGER* size) noexcept {
    if (!size) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

HRESULT FerrolanControl::GetClassInfo(ITypeInfo** info) noexcept {
    if (!info) return E_POINTER;
    *info = nullptr;
    return com::boundary([&] { *info = com::module_type_info(clsid).detach(); });
}

HRESULT FerrolanControl::GetGUID(DWORD kind, GUID* guid) noexcept {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID___Ferrolan;
    return S_OK;
}

HRESULT FerrolanControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, DIID___Ferrolan)) return CONNECT_E_NOCONNECTION;
    return com::boundary([&] { *point = com::make<EventConnectionPoint>(this).detach(); });
}

}  // namespace norvat
