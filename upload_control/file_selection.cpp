// Choosing files: the Open dialog, appending what is not listed yet, and telling the server
// which folder the files came from.
#include <windows.h>
#include <commdlg.h>
#include <vector>
#include "ferrolan.h"

namespace norvat {
namespace {

// Cuts the dialog's choice at every NUL character; an empty choice has no parts.
std::vector<std::wstring> parts_of(const std::wstring& choice) {
    std::vector<std::wstring> parts;
    if (choice.empty()) return parts;
    for (size_t start = 0;;) {
        size_t end = choice.find(L'\0', start);
        parts.push_back(choice.substr(start, end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

void Ferrolan::ChooseFiles_Click() {
    dialog_.InitDir = settings_.PathStr;
    dialog_.DialogTitle = L"Select Files to Upload";
    dialog_.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT;
    dialog_.Filter = L"All files (*.*)|*.*";
    dialog_.MaxFileSize = 2048;
    dialog_.CancelError = false;
    dialog_.ShowOpen();

    const auto parts = parts_of(dialog_.FileName);
    std::wstring folder;
    if (parts.size() == 1) {
        if (!IsFileListed(parts[0])) {
            face_.AddItem(parts[0]);
            size_t last_backslash = parts[0].rfind(L'\\');
            if (last_backslash != std::wstring::npos) folder = parts[0].substr(0, last_backslash + 1);
        }
    } else {
        for (size_t i = 0; i < parts.size(); ++i) {
            if (i == 0) {
                folder = parts[0];
                if (folder.empty() || folder.back() != L'\\') folder += L'\\';
            } else if (std::wstring candidate = folder + parts[i]; !IsFileListed(candidate)) {
                face_.AddItem(candidate);
            }
        }
    }
    RefreshListStatus();

    services_.Get(settings_.CookiePathURL + L"?LocalPath=" + folder + L"&Purpose=Upload");
}

bool Ferrolan::IsFileListed(const std::wstring& path) {
    for (int i = 0, count = face_.ListCount(); i < count; ++i)
        if (face_.List(i) == path) return true;
    return false;
}

}  // namespace norvat
