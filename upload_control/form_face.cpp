#include "form_face.h"
#include <commctrl.h>
#include <vector>
#include "com/error.h"
#include "com/module.h"

namespace norvat {
namespace {

const wchar_t* const face_class = L"FerrolanFace";
// A message box without a caption of its own shows the component's name.
const wchar_t* const default_caption = L"Norvat";

// The face's design size and its children's places, in twips.
constexpr SIZE design_size = {7665, 2970};

struct layout {
    FormFace::Child id;
    const wchar_t* window_class;
    const wchar_t* text;
    DWORD style;
    RECT twips;  // left, top, width, height
};

// Creation order is tab order: ChooseFiles, FilesToUpload, Remove; labels take no focus.
const layout children[] = {
    {FormFace::ChooseFiles, L"BUTTON", L"Choose Files to Upload...", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, {0, 360, 975, 735}},
    {FormFace::FilesToUpload, L"LISTBOX", L"",
     LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, {1080, 360, 6495, 2205}},
    {FormFace::Remove, L"BUTTON", L"Remove from List", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, {0, 2040, 975, 495}},
    {FormFace::LblFilesToUpload, L"STATIC", L"Files To Upload:", SS_LEFT | SS_NOPREFIX, {1080, 120, 1455, 255}},
    {FormFace::lblUploadProgress, L"STATIC", L"Upload Progress:", SS_RIGHT | SS_NOPREFIX, {5040, 120, 1695, 255}},
    {FormFace::lblProgressCount, L"STATIC", L"0/0", SS_RIGHT | SS_NOPREFIX, {6840, 120, 735, 255}},
    {FormFace::lblUpload, L"STATIC", L"Uploading files - Please Wait...", SS_CENTER | SS_NOPREFIX, {2880, 2640, 2775, 255}},
};

int dpi() {
    HDC screen = GetDC(nullptr);
    int result = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return result;
}

int pixels(int twips) { return MulDiv(twips, dpi(), 1440); }

// The screen mouse pointer is the process's, as the hourglass covers every window of the host.
Pointer screen_pointer = Pointer::Default;

void apply_pointer() { SetCursor(LoadCursorW(nullptr, screen_pointer == Pointer::Hourglass ? IDC_WAIT : IDC_ARROW)); }

HFONT make_font(int hundredths_of_points, int weight) {
    // "MS Sans Serif" 8.25 points: 825 hundredths of a point.
    return CreateFontW(-MulDiv(hundredths_of_points, dpi(), 7200), 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       L"MS Sans Serif");
}

void register_class() {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;  // replaced per window once it knows its face
    wc.hInstance = com::module::instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = face_class;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) com::throw_last_error(L"RegisterClassEx");
}

}  // namespace

FormFace::FormFace(std::function<void(Child)> on_click) : on_click_(std::move(on_click)) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    register_class();
    parking_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, com::module::instance(), nullptr));
    SIZE face = size();
    window_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, face_class, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, face.cx, face.cy,
                                  parking_.get(), nullptr, com::module::instance(), nullptr));
    if (!parking_ || !window_) com::throw_last_error(L"CreateWindowEx");
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&window_proc));

    label_font_.reset(make_font(825, FW_BOLD));
    face_font_.reset(make_font(825, FW_NORMAL));
    white_brush_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    create_children();
}

FormFace::~FormFace() {
    tool_tip_.reset();
    window_.reset();
}

SIZE FormFace::size() const { return {pixels(design_size.cx), pixels(design_size.cy)}; }

void FormFace::create_children() {
    for (const auto& c : children) {
        DWORD extended = c.id == FilesToUpload ? WS_EX_CLIENTEDGE : 0;
        DWORD visible = c.id == lblUpload ? 0 : WS_VISIBLE;
        HWND created = CreateWindowExW(extended, c.window_class, c.text, WS_CHILD | visible | c.style, pixels(c.twips.left),
                                       pixels(c.twips.top), pixels(c.twips.right), pixels(c.twips.bottom), window_.get(),
                                       reinterpret_cast<HMENU>(INT_PTR(c.id)), com::module::instance(), nullptr);
        if (!created) com::throw_last_error(L"CreateWindowEx");
        bool label = c.window_class == std::wstring_view(L"STATIC");
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(label ? label_font_.get() : face_font_.get()), FALSE);
    }
    tool_tip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                    window_.get(), nullptr, com::module::instance(), nullptr));
    TOOLINFOW tool{TTTOOLINFOW_V2_SIZE};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_.get();
    tool.uId = reinterpret_cast<UINT_PTR>(child(FilesToUpload));
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tool_tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormFace::Attach(HWND parent, const RECT& place) {
    SetParent(window_.get(), parent);
    Move(place);
    ShowWindow(window_.get(), SW_SHOWNA);
}

void FormFace::Move(const RECT& place) {
    // The children keep their places whatever room the container gives.
    MoveWindow(window_.get(), place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

void FormFace::Detach() {
    ShowWindow(window_.get(), SW_HIDE);
    SetParent(window_.get(), parking_.get());
}

LRESULT CALLBACK FormFace::window_proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* face = reinterpret_cast<FormFace*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return face ? face->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT FormFace::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED && (LOWORD(w) == ChooseFiles || LOWORD(w) == Remove)) {
            on_click_(Child(LOWORD(w)));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(w);
        if (reinterpret_cast<HWND>(l) == child(lblUpload)) {
            SetTextColor(dc, RGB(255, 0, 0));
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(white_brush_.get());
        }
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_CTLCOLORBTN:
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_SETCURSOR:
        if (screen_pointer != Pointer::Default) {
            apply_pointer();
            return TRUE;
        }
        break;
    }
    return DefWindowProcW(window_.get(), message, w, l);
}

int FormFace::ListCount() { return int(SendDlgItemMessageW(window_.get(), FilesToUpload, LB_GETCOUNT, 0, 0)); }

std::wstring FormFace::List(int index) {
    LRESULT length = SendDlgItemMessageW(window_.get(), FilesToUpload, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) com::raise(com::error_subscript_out_of_range, L"FilesToUpload");
    std::wstring text(size_t(length) + 1, L'\0');
    SendDlgItemMessageW(window_.get(), FilesToUpload, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(length));
    return text;
}

void FormFace::AddItem(const std::wstring& entry) {
    // Positions are 16-bit signed numbers: the list holds at most 32,767 entries.
    if (ListCount() >= 32767) com::raise(com::error_out_of_memory, L"FilesToUpload");
    LRESULT added = SendDlgItemMessageW(window_.get(), FilesToUpload, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) com::raise(com::error_out_of_memory, L"FilesToUpload");
}

void FormFace::RemoveItem(int index) {
    if (SendDlgItemMessageW(window_.get(), FilesToUpload, LB_DELETESTRING, index, 0) == LB_ERR)
        com::raise(com::error_subscript_out_of_range, L"FilesToUpload");
}

int FormFace::SelCount() { return int(SendDlgItemMessageW(window_.get(), FilesToUpload, LB_GETSELCOUNT, 0, 0)); }

bool FormFace::Selected(int index) { return SendDlgItemMessageW(window_.get(), FilesToUpload, LB_GETSEL, index, 0) > 0; }

void FormFace::SetListToolTip(const std::wstring& text) {
    tool_tip_text_ = text;
    TOOLINFOW tool{TTTOOLINFOW_V2_SIZE};
    tool.hwnd = window_.get();
    tool.uId = reinterpret_cast<UINT_PTR>(child(FilesToUpload));
    tool.lpszText = tool_tip_text_.data();
    SendMessageW(tool_tip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormFace::EnableRemove(bool enabled) { EnableWindow(child(Remove), enabled); }

void FormFace::SetProgressCaption(const std::wstring& caption) { SetWindowTextW(child(lblProgressCount), caption.c_str()); }

void FormFace::ShowUploadLabel(bool visible) {
    ShowWindow(child(lblUpload), visible ? SW_SHOWNA : SW_HIDE);
    UpdateWindow(window_.get());
}

Answer FormFace::MsgBox(const std::wstring& prompt, Buttons buttons, const std::optional<std::wstring>& caption) {
    HWND owner = GetAncestor(window_.get(), GA_ROOT);
    if (owner == parking_.get()) owner = nullptr;
    int pressed = MessageBoxW(owner, prompt.c_str(), caption.value_or(default_caption).c_str(),
                              buttons == Buttons::YesNo ? MB_YESNO : MB_OK);
    switch (pressed) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    case 0: com::throw_last_error(L"MessageBox");
    default: return Answer::OK;
    }
}

void FormFace::SetPointer(Pointer pointer) {
    screen_pointer = pointer;
    apply_pointer();
}

void FormFace::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam));  // leave it for the host's own loop
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace norvat
