// The common dialog stand-in over the platform's Open dialog.
#pragma once
#include <windows.h>
#include <functional>
#include "common_dialog.h"

namespace norvat {

class OpenDialog : public CommonDialog {
public:
    // owner names the window the modal dialog belongs to at the moment it is shown.
    explicit OpenDialog(std::function<HWND()> owner) : owner_(std::move(owner)) {}

    // A cancel leaves FileName empty and, with CancelError set, raises error 32755. A choice
    // whose names do not fit in MaxFileSize characters raises error 20476.
    void ShowOpen() override;

private:
    std::function<HWND()> owner_;
};

}  // namespace norvat
