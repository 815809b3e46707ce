// The control's face as Win32 child controls at fixed positions: the buttons ChooseFiles and
// Remove, the list box FilesToUpload and four labels. The window waits, hidden, in a parking
// window of its own until a container gives it a place.
#pragma once
#include <windows.h>
#include <functional>
#include "com/unique.h"
#include "face.h"

namespace norvat {

class FormFace : public Face {
public:
    enum Child : int { ChooseFiles = 1, FilesToUpload, Remove, LblFilesToUpload, lblUploadProgress, lblProgressCount, lblUpload };

    // on_click runs when ChooseFiles or Remove is clicked.
    explicit FormFace(std::function<void(Child)> on_click);
    ~FormFace() override;

    HWND window() const { return window_.get(); }
    HWND child(Child id) const { return GetDlgItem(window_.get(), id); }
    // The design size in pixels of this screen.
    SIZE size() const;

    // Shows the face inside a container's window at the given place, or parks it again.
    void Attach(HWND parent, const RECT& place);
    void Move(const RECT& place);
    void Detach();

    // Face
    int ListCount() override;
    std::wstring List(int index) override;
    void AddItem(const std::wstring& entry) override;
    void RemoveItem(int index) override;
    int SelCount() override;
    bool Selected(int index) override;
    void SetListToolTip(const std::wstring& text) override;
    void EnableRemove(bool enabled) override;
    void SetProgressCaption(const std::wstring& caption) override;
    void ShowUploadLabel(bool visible) override;
    Answer MsgBox(const std::wstring& prompt, Buttons buttons, const std::optional<std::wstring>& caption) override;
    void SetPointer(Pointer pointer) override;
    void DoEvents() override;

private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void create_children();

    std::function<void(Child)> on_click_;
    com::unique_hwnd parking_;
    com::unique_hwnd window_;
    com::unique_hwnd tool_tip_;
    com::unique_hgdiobj label_font_, face_font_, white_brush_;
    std::wstring tool_tip_text_;
};

}  // namespace norvat
