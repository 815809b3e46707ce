// What the control's behaviour needs of its face and of the user interface around it. The
// real face is a window of Win32 child controls; tests script a fake one.
#pragma once
#include <optional>
#include <string>

namespace norvat {

// The screen mouse pointer.
enum class Pointer { Default = 0, Hourglass = 11 };

enum class Buttons { OK, YesNo };
enum class Answer { OK, Yes, No };

class Face {
public:
    virtual ~Face() = default;

    // The list box FilesToUpload: the file list. Positions run from 0.
    virtual int ListCount() = 0;
    virtual std::wstring List(int index) = 0;
    virtual void AddItem(const std::wstring& entry) = 0;
    virtual void RemoveItem(int index) = 0;
    virtual int SelCount() = 0;
    virtual bool Selected(int index) = 0;
    virtual void SetListToolTip(const std::wstring& text) = 0;

    // The button Remove and the labels lblProgressCount and lblUpload.
    virtual void EnableRemove(bool enabled) = 0;
    virtual void SetProgressCaption(const std::wstring& caption) = 0;
    virtual void ShowUploadLabel(bool visible) = 0;

    // A modal message box; without a caption it shows the default one.
    virtual Answer MsgBox(const std::wstring& prompt, Buttons buttons,
                          const std::optional<std::wstring>& caption = std::nullopt) = 0;
    virtual void SetPointer(Pointer pointer) = 0;
    // Lets the host process its pending window messages.
    virtual void DoEvents() = 0;
};

}  // namespace norvat
