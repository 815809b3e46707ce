#include "automation.h"
#include <dlgs.h>
#include "com/error.h"

namespace host {
namespace {

constexpr UINT answer_message = WM_APP + 1;
Automation* current = nullptr;  // hooks carry no context: one automation per host

std::wstring text_of(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A message box's text is the static child that is no icon.
std::wstring message_text(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(class_of(child).c_str(), L"Static") != 0 || (GetWindowLongW(child, GWL_STYLE) & SS_ICON)) continue;
        if (std::wstring text = text_of(child); !text.empty()) return text;
    }
    return {};
}

void press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace

Automation::Automation(bool answer_yes, events report) : answer_yes_(answer_yes), report_(std::move(report)) {
    WNDCLASSW helper_class{};
    helper_class.lpfnWndProc = &on_helper;
    helper_class.hInstance = GetModuleHandleW(nullptr);
    helper_class.lpszClassName = L"HostAutomation";
    RegisterClassW(&helper_class);
    helper_.reset(CreateWindowExW(0, L"HostAutomation", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, helper_class.hInstance, nullptr));
    current = this;
    cbt_ = SetWindowsHookExW(WH_CBT, &on_cbt, nullptr, GetCurrentThreadId());
    call_ = SetWindowsHookExW(WH_CALLWNDPROC, &on_call, nullptr, GetCurrentThreadId());
    if (!helper_ || !cbt_ || !call_) com::throw_last_error(L"SetWindowsHookEx");
}

Automation::~Automation() {
    UnhookWindowsHookEx(cbt_);
    UnhookWindowsHookEx(call_);
    current = nullptr;
}

LRESULT CALLBACK Automation::on_cbt(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE && current) {
        auto window = reinterpret_cast<HWND>(w);
        // Answer once the dialog has finished setting itself up: from its own modal loop.
        if (class_of(window) == L"#32770" && current->answered_.insert(window).second)
            PostMessageW(current->helper_.get(), answer_message, w, 0);
    }
    return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK Automation::on_call(int code, WPARAM w, LPARAM l) {
    auto* call = reinterpret_cast<CWPSTRUCT*>(l);
    if (code == HC_ACTION && current && call->message == WM_SETTEXT && call->hwnd == current->progress_label_ &&
        current->report_.progress)
        current->report_.progress(reinterpret_cast<const wchar_t*>(call->lParam));
    return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK Automation::on_helper(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == answer_message && current) {
        current->answer(reinterpret_cast<HWND>(w));
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

void Automation::answer(HWND dialog) {
    if (!IsWindow(dialog)) return;
    if (HWND file_name = GetDlgItem(dialog, cmb13)) {
        if (report_.dialog) report_.dialog(text_of(dialog));
        SetWindowTextW(file_name, names_.c_str());
        press(dialog, IDOK);
        return;
    }
    if (report_.message) report_.message(text_of(dialog), message_text(dialog));
    if (GetDlgItem(dialog, IDYES))
        press(dialog, answer_yes_ ? IDYES : IDNO);
    else
        press(dialog, IDOK);
}

}  // namespace host
