#include "open_dialog.h"
#include <commdlg.h>
#include <cderr.h>
#include <algorithm>
#include <vector>
#include "com/error.h"

namespace norvat {
namespace {

// Wine's dialog copies a choice of several files into the buffer without looking at its size.
// Room beyond what the dialog is told keeps that copy inside memory of ours, and a choice that
// needed the extra room is refused, as Windows refuses it.
constexpr size_t overrun_room = 65536;

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
// and ended by two NULs; with the room its terminators take.
std::pair<std::wstring, size_t> choice_of(const std::vector<wchar_t>& names, const OPENFILENAMEW& dialog) {
    bool several = dialog.nFileOffset > 0 && names[dialog.nFileOffset - 1] == L'\0';
    if (!several) return {std::wstring(names.data()), wcslen(names.data()) + 1};
    auto end = names.begin();
    while (end + 1 < names.end() && !(end[0] == L'\0' && end[1] == L'\0')) ++end;
    return {std::wstring(names.begin(), end), size_t(end - names.begin()) + 2};
}

[[noreturn]] void raise_too_small(short room) {
    com::raise(error_buffer_too_small, source,
               L"The names of the chosen files do not fit in " + std::to_wstring(room) +
                   L" characters. Choose fewer files at a time.");
}

}  // namespace

void OpenDialog::ShowOpen() {
    const size_t room = size_t(std::max<short>(MaxFileSize, 2));
    std::vector<wchar_t> names(room + overrun_room, L'\0');
    std::copy_n(FileName.begin(), std::min(FileName.size(), room - 1), names.begin());
    const std::wstring filter = filter_pairs(Filter);

    OPENFILENAMEW dialog{sizeof dialog};
    dialog.hwndOwner = owner_ ? owner_() : nullptr;
    dialog.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = DWORD(room);
    dialog.lpstrInitialDir = InitDir.empty() ? nullptr : InitDir.c_str();
    dialog.lpstrTitle = DialogTitle.empty() ? nullptr : DialogTitle.c_str();
    dialog.Flags = DWORD(Flags);

    if (GetOpenFileNameW(&dialog)) {
        auto [choice, used] = choice_of(names, dialog);
        if (used > room) {
            FileName.clear();
            raise_too_small(MaxFileSize);
        }
        FileName = std::move(choice);
        return;
    }
    FileName.clear();
    switch (DWORD failure = CommDlgExtendedError()) {
    case 0:
        if (CancelError) com::raise(error_cancel, source, L"Cancel was selected.");
        return;
    case FNERR_BUFFERTOOSMALL:
        raise_too_small(MaxFileSize);
    default:
        com::raise(failure, source, L"The Open dialog failed with code " + std::to_wstring(failure) + L".");
    }
}

}  // namespace norvat
