// A stand-in for the common dialog control: the settings of the next Open dialog and the
// choice it reports. One instance serves a control for its whole life.
#pragma once
#include <string>

namespace norvat {

class CommonDialog {
public:
    virtual ~CommonDialog() = default;

    std::wstring InitDir;
    std::wstring DialogTitle;
    long Flags = 0;
    // Description and pattern pairs separated by "|", e.g. "All files (*.*)|*.*".
    std::wstring Filter;
    // Room, in characters, for the names that one choice returns.
    short MaxFileSize = 260;
    bool CancelError = false;
    // One full path, or the folder and the chosen names separated by NUL characters.
    std::wstring FileName;

    // Shows the modal Open dialog and returns when the user closes it.
    virtual void ShowOpen() = 0;
};

}  // namespace norvat
