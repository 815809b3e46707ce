// The host: a container program that embeds the upload control as a page does and stands in
// for the page's script.
//
//   host [--page FILE.html] [--param NAME=VALUE]... [--answer yes|no] [ACTION]... [--stay]
//
// The settings come from the <param> elements of the page's <object> element and from
// --param. Without actions the host shows the control with a button that calls UploadFiles.
// Actions run in order, unattended, then the host ends (unless --stay):
//   --choose NAMES      click ChooseFiles and type NAMES ("a.txt" "b c.txt") into the Open dialog
//   --select I,J,...    select the list entries at these positions
//   --remove            click Remove
//   --upload            call UploadFiles through IDispatch by name
//   --list              print the listed entries
//   --screenshot FILE   save the control's face as a BMP file
// Message boxes are answered (Yes/No questions with --answer, Yes by default) and reported
// with every progress caption on standard output.
#include <windows.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>
#include "automation.h"
#include "com/error.h"
#include "com/text.h"
#include "container.h"
#include "output.h"
#include "page_params.h"
#include "screenshot.h"

namespace {

using host::say;

struct action {
    std::wstring verb, argument;
};

struct options {
    host::values params;
    bool answer_yes = true, stay = false;
    std::vector<action> actions;
};

std::wstring read_text(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) com::raise(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), L"host", L"Cannot read " + path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return com::from_utf8(bytes);
}

options parse(int argc, wchar_t** argv) {
    options result;
    auto value = [&](int& i) {
        if (i + 1 >= argc) com::raise(E_INVALIDARG, L"host", std::wstring(argv[i]) + L" needs a value");
        return std::wstring(argv[++i]);
    };
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (arg == L"--page") {
            for (auto& [name, text] : host::page_params(read_text(value(i)))) result.params[name] = text;
        } else if (arg == L"--param") {
            std::wstring pair = value(i);
            size_t equals = pair.find(L'=');
            result.params[pair.substr(0, equals)] = equals == std::wstring::npos ? L"" : pair.substr(equals + 1);
        } else if (arg == L"--answer") {
            result.answer_yes = value(i) != L"no";
        } else if (arg == L"--stay") {
            result.stay = true;
        } else if (arg == L"--choose" || arg == L"--select" || arg == L"--screenshot") {
            result.actions.push_back({arg, value(i)});
        } else if (arg == L"--remove" || arg == L"--upload" || arg == L"--list") {
            result.actions.push_back({arg, {}});
        } else {
            com::raise(E_INVALIDARG, L"host", L"unknown argument " + arg);
        }
    }
    return result;
}

constexpr int upload_button = 100;
constexpr UINT run_actions = WM_APP + 10;

struct host_window {
    options settings;
    std::unique_ptr<host::Container> container;
    std::unique_ptr<host::Automation> automation;
    int exit_code = 0;

    HWND list() const { return GetDlgItem(container->control_window(), 2); }

    void upload() {
        try {
            container->UploadFiles();
        } catch (const com::error& e) {
            say(L"UploadFiles failed: " + e.description());
            exit_code = 1;
        }
    }

    void run(const action& a) {
        HWND face = container->control_window();
        if (a.verb == L"--choose") {
            automation->choose(a.argument);
            SendMessageW(GetDlgItem(face, 1), BM_CLICK, 0, 0);
        } else if (a.verb == L"--select") {
            SendMessageW(list(), LB_SETSEL, FALSE, -1);
            std::wstringstream positions(a.argument);
            for (std::wstring position; std::getline(positions, position, L',');)
                SendMessageW(list(), LB_SETSEL, TRUE, _wtoi(position.c_str()));
        } else if (a.verb == L"--remove") {
            SendMessageW(GetDlgItem(face, 3), BM_CLICK, 0, 0);
        } else if (a.verb == L"--upload") {
            upload();
        } else if (a.verb == L"--list") {
            int count = int(SendMessageW(list(), LB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                std::wstring entry(size_t(SendMessageW(list(), LB_GETTEXTLEN, i, 0)) + 1, L'\0');
                entry.resize(size_t(SendMessageW(list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
                say(L"listed: " + entry);
            }
        } else if (a.verb == L"--screenshot") {
            host::save_screenshot(face, a.argument);
            say(L"screenshot: " + a.argument);
        }
    }
};

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<host_window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (self && LOWORD(w) == upload_button) self->upload();
        return 0;
    case run_actions:
        for (const auto& a : self->settings.actions) self->run(a);
        if (!self->settings.stay) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (self) self->container.reset();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

int run(int argc, wchar_t** argv) {
    host_window self;
    self.settings = parse(argc, argv);

    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &window_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = L"FerrolanHost";
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(0, L"FerrolanHost", L"Ferrolan", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 560, 300, nullptr, nullptr, window_class.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&self));

    self.automation = std::make_unique<host::Automation>(
        self.settings.answer_yes,
        host::Automation::events{
            [](const std::wstring& title) { say(L"dialog: " + title); },
            [](const std::wstring& caption, const std::wstring& text) { say(L"message [" + caption + L"]: " + text); },
            [](const std::wstring& caption) { say(L"progress: " + caption); }});

    self.container = std::make_unique<host::Container>(window, POINT{8, 8}, self.settings.params);
    say(std::wstring(L"safe for scripting: ") + (self.container->safe_for_scripting() ? L"yes" : L"no") +
        L", safe for initialising: " + (self.container->safe_for_initialising() ? L"yes" : L"no"));
    self.automation->watch_progress(GetDlgItem(self.container->control_window(), 6));

    SIZE size = self.container->size();
    CreateWindowExW(0, L"BUTTON", L"Call UploadFiles", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 16 + size.cy, 160, 28,
                    window, reinterpret_cast<HMENU>(upload_button), window_class.hInstance, nullptr);
    RECT frame{0, 0, size.cx + 16, size.cy + 60};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    if (!self.settings.actions.empty()) PostMessageW(window, run_actions, 0, 0);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        auto* active = self.container ? self.container->site().active() : nullptr;
        if (active && active->TranslateAccelerator(&message) == S_OK) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return self.exit_code;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    OleInitialize(nullptr);
    int code = 0;
    try {
        code = run(argc, argv);
    } catch (const com::error& e) {
        say(L"host: " + e.description());
        code = 2;
    }
    OleUninitialize();
    return code;
}
