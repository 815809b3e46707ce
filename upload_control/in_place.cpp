// In-place activation: the face shown inside the container's window, keyboard and control
// information.
#include "ferrolan_control.h"

namespace norvat {

void FerrolanControl::activate_in_place(bool ui) {
    if (!client_site_) com::throw_if_failed(E_UNEXPECTED);
    if (!in_place_site_) {
        auto site = client_site_.as<IOleInPlaceSite>();
        if (site->CanInPlaceActivate() != S_OK) com::throw_if_failed(E_FAIL);
        com::throw_if_failed(site->OnInPlaceActivate());
        HWND parent = nullptr;
        com::throw_if_failed(site->GetWindow(&parent));
        com::ptr<IOleInPlaceUIWindow> document;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO frame_info{sizeof frame_info};
        com::throw_if_failed(site->GetWindowContext(frame_.put(), document.put(), &position, &clip, &frame_info));
        face_.Attach(parent, position);
        in_place_site_ = site;
    }
    if (ui && !ui_active_) {
        com::throw_if_failed(in_place_site_->OnUIActivate());
        if (frame_) frame_->SetActiveObject(this, nullptr);
        SetFocus(face_.child(FormFace::ChooseFiles));
        ui_active_ = true;
    }
}

HRESULT FerrolanControl::GetWindow(HWND* window) noexcept {
    if (!window) return E_POINTER;
    *window = face_.window();
    return S_OK;
}

HRESULT FerrolanControl::InPlaceDeactivate() noexcept {
    if (!in_place_site_) return S_OK;
    UIDeactivate();
    face_.Detach();
    auto site = std::move(in_place_site_);
    frame_.reset();
    site->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT FerrolanControl::UIDeactivate() noexcept {
    if (!ui_active_) return S_OK;
    ui_active_ = false;
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (in_place_site_) in_place_site_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT FerrolanControl::SetObjectRects(LPCRECT position, LPCRECT) noexcept {
    if (!position) return E_POINTER;
    face_.Move(*position);
    return S_OK;
}

HRESULT FerrolanControl::TranslateAccelerator(LPMSG message) noexcept {
    // Tab and arrow keys move between the face's children as in a dialog.
    bool ours = message && (message->hwnd == face_.window() || IsChild(face_.window(), message->hwnd));
    return ours && IsDialogMessageW(face_.window(), message) ? S_OK : S_FALSE;
}

HRESULT FerrolanControl::GetControlInfo(CONTROLINFO* info) noexcept {
    if (!info) return E_POINTER;
    *info = CONTROLINFO{sizeof(CONTROLINFO)};
    return S_OK;
}

}  // namespace norvat
