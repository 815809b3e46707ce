#include "open_dialog.h"
#include <commdlg.h>
#include <cderr.h>
#include <algorithm>
#include <vector>
#include "com/error.h"

namespace norvat {
namespace {

constexpr long error_cancel = 32755;
constexpr long error_buffer_too_small = 20476;
const wchar_t* const source = L"CommonDialog";

// "All files (*.*)|*.*" becomes the dialog's NUL-separated, double-NUL-ended pairs.
std::wstring filter_pairs(const std::wstring& filter) {
    std::wstring pairs = filter;
    std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
    return pairs + std::wstring(2, L'\0');
}

// The choice as the dialog wrote it: one path, or the folder and names separated by NULs
// and ended by two NULs.
std::wstring choice_of(const std::vector<wchar_t>& names, const OPENFILENAMEW& dialog) {
    auto begin = names.begin();
    bool several = dialog.nFileOffset > 0 && names[dialog.nFileOffset - 1] == L'\0';
    if (!several) return std::wstring(names.data());
    auto end = begin;
    while (end + 1 < names.end() && !(end[0] == L'\0' && end[1] == L'\0')) ++end;
    return std::wstring(begin, end);
}

}  // namespace

void OpenDialog::ShowOpen() {
    std::vector<wchar_t> names(std::max<short>(MaxFileSize, 2), L'\0');
    std::copy_n(FileName.begin(), std::min(FileName.size(), names.size() - 2), names.begin());
    const std::wstring filter = filter_pairs(Filter);

    OPENFILENAMEW dialog{sizeof dialog};
    dialog.hwndOwner = owner_ ? owner_() : nullptr;
    dialog.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = DWORD(names.size());
    dialog.lpstrInitialDir = InitDir.empty() ? nullptr : InitDir.c_str();
    dialog.lpstrTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
    dialog.Flags = DWORD(Flags);

    if (GetOpenFileNameW(&dialog)) {
        FileName = choice_of(names, dialog);
        return;
    }
    FileName.clear();
    switch (DWORD failure = CommDlgExtendedError()) {
    case 0:
        if (CancelError) com::raise(error_cancel, source, L"Cancel was selected.");
        return;
    case FNERR_BUFFERTOOSMALL:
        com::raise(error_buffer_too_small, source,
                   L"The names of the chosen files do not fit in " + std::to_wstring(MaxFileSize) +
                       L" characters. Choose fewer files at a time.");
    default:
        com::raise(failure, source, L"The Open dialog failed with code " + std::to_wstring(failure) + L".");
    }
}

}  // namespace norvat
