#include "util/Wnd.h"

#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>
#include <richedit.h>

#include <stdexcept>
#include <vector>

namespace korvalin {

namespace {

[[noreturn]] void RaiseLastError(std::u16string_view what) {
    const DWORD code = GetLastError();
    throw EKorvalin(std::u16string(what) + u"\r\n" + SysErrorMessage(code));
}

}  // namespace

TWnd::~TWnd() {
    if (FHandle) {
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        DestroyWindow(FHandle);
    }
}

void TWnd::SetCaption(const std::u16string& text) { SetWindowTextW(FHandle, WStr(text)); }

void TWnd::CreateWnd(const wchar_t* className, const TCreateArgs& args) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, className, &existing)) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = StaticWndProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = className;
        if (!RegisterClassExW(&windowClass)) RaiseLastError(u"RegisterClassEx");
    }
    FHandle = CreateWindowExW(args.ExStyle, className, WStr(args.Text), args.Style, args.X, args.Y, args.Width,
                              args.Height, args.Parent, reinterpret_cast<HMENU>(args.Id), instance, this);
    if (!FHandle) RaiseLastError(u"CreateWindowEx");
}

LRESULT TWnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT CALLBACK TWnd::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->FHandle = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->FHandle = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return Contained(window, 0, [&] { return self->WndProc(message, wParam, lParam); });
}

namespace {

// The window a control or an owned window belongs to.
HWND ParentOrOwner(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : GetWindow(window, GW_OWNER);
}

}  // namespace

void TWnd::ReportException(HWND window, const std::exception& error) noexcept {
    try {
        for (HWND up = window; up; up = ParentOrOwner(up)) {
            if (GetClassLongPtrW(up, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(StaticWndProc)) continue;
            if (auto* self = reinterpret_cast<TWnd*>(GetWindowLongPtrW(up, GWLP_USERDATA))) {
                self->HandleException(error);
                return;
            }
        }
        MessageBoxW(nullptr, WStr(ErrorMessage(error)), nullptr, MB_ICONERROR | MB_OK);
    } catch (...) {
    }
}

void TWnd::HandleException(const std::exception& error) {
    MessageBoxW(FHandle, WStr(ErrorMessage(error)), nullptr, MB_ICONERROR | MB_OK);
}

TControl::~TControl() {
    if (FHandle) {
        RemoveWindowSubclass(FHandle, SubclassProc, 0);
        DestroyWindow(FHandle);
    }
}

void TControl::CreateControl(const wchar_t* className, const TCreateArgs& args) {
    FHandle = CreateWindowExW(args.ExStyle, className, WStr(args.Text), args.Style, args.X, args.Y, args.Width,
                              args.Height, args.Parent, reinterpret_cast<HMENU>(args.Id), GetModuleHandleW(nullptr),
                              nullptr);
    if (!FHandle) RaiseLastError(U16(className));
    SetWindowSubclass(FHandle, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR selfData) {
    auto* self = reinterpret_cast<TControl*>(selfData);
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR)
        return Contained(window, 0, [&] { return self->KeyMessage(window, message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SubclassProc, 0);
        self->FHandle = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TControl::KeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CHAR && OnKeyMessage && OnKeyMessage(message, lParam)) {
        MSG character;  // TranslateMessage has queued it already
        if (message == WM_KEYDOWN) PeekMessageW(&character, window, WM_CHAR, WM_CHAR, PM_REMOVE);
        return 0;
    }
    if (message == WM_KEYDOWN && OnKeyDown) {
        WORD key = WORD(wParam);
        OnKeyDown(key);
        if (key == 0) return 0;
        wParam = key;
    } else if (message == WM_CHAR && OnKeyPress) {
        wchar_t key = wchar_t(wParam);
        OnKeyPress(key);
        if (key == 0) return 0;
        wParam = key;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void TRichEdit::Create(const TCreateArgs& args) {
    if (!GetModuleHandleW(L"Msftedit.dll") && !LoadLibraryW(L"Msftedit.dll")) RaiseLastError(u"Msftedit.dll");
    CreateControl(MSFTEDIT_CLASS, args);
    SetWindowSubclass(Handle(), PasteProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

namespace {

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// The control pastes on these keys by itself, without a WM_PASTE.
bool IsPasteKey(WPARAM key) {
    if (key == VK_INSERT) return KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU);
    return key == 'V' && KeyDown(VK_CONTROL);  // with Shift too
}

}  // namespace

LRESULT CALLBACK TRichEdit::PasteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR selfData) {
    auto* self = reinterpret_cast<TRichEdit*>(selfData);
    switch (message) {
    case WM_KEYDOWN:
        if (!IsPasteKey(wParam)) break;
        SendMessageW(window, WM_PASTE, 0, 0);
        return 0;
    case WM_CHAR:
        if (wParam == 0x16) return 0;  // the character of Ctrl+V
        break;
    case WM_PASTE:
        if (self->OnPaste && !Contained(window, FALSE, [self] { return LRESULT(self->OnPaste()); })) return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, PasteProc, 1);
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

std::u16string TRichEdit::Text() const {
    GETTEXTLENGTHEX lengthQuery{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const auto length = Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthQuery));
    std::vector<wchar_t> buffer(size_t(length > 0 ? length : 0) + 1);
    GETTEXTEX textQuery{DWORD(buffer.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    const auto copied = Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&textQuery), reinterpret_cast<LPARAM>(buffer.data()));
    return U16(buffer.data(), size_t(copied > 0 ? copied : 0));
}

void TRichEdit::SetText(const std::u16string& text) { SetWindowTextW(Handle(), WStr(text)); }

int TRichEdit::SelStart() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin;
}

int TRichEdit::SelLength() const {
    CHARRANGE range{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMax - range.cpMin;
}

void TRichEdit::SetSel(int start, int length) {
    CHARRANGE range{start, start + length};
    Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void TRichEdit::ReplaceSel(const std::u16string& text) {
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(WStr(text)));
}

void TRichEdit::SetMaxLength(int length) { Send(EM_EXLIMITTEXT, 0, length); }

bool TRichEdit::Modified() const { return Send(EM_GETMODIFY) != 0; }

void TRichEdit::SetModified(bool modified) { Send(EM_SETMODIFY, modified ? TRUE : FALSE); }

void TRichEdit::ClearUndo() { Send(EM_EMPTYUNDOBUFFER); }

CHARFORMAT2W TRichEdit::SelAttributes() const {
    CHARFORMAT2W format{};
    format.cbSize = sizeof(format);
    Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

void TRichEdit::SetSelAttributes(const CHARFORMAT2W& format) {
    Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void TRichEdit::BeginUpdate() {
    if (FUpdateCount++ == 0) Send(WM_SETREDRAW, FALSE);
}

void TRichEdit::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0) return;
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TStatusBar::Create(const TCreateArgs& args) { CreateControl(STATUSCLASSNAMEW, args); }

void TStatusBar::SetPanelWidths(const std::vector<int>& widths) {
    std::vector<int> rightEdges;
    int right = 0;
    for (const int width : widths) rightEdges.push_back(right += width);
    Send(SB_SETPARTS, WPARAM(rightEdges.size()), reinterpret_cast<LPARAM>(rightEdges.data()));
    FTexts.resize(widths.size());
    for (size_t i = 0; i < FTexts.size(); ++i) SetPanelText(int(i), FTexts[i]);
}

void TStatusBar::SetPanelText(int index, const std::u16string& text) {
    FTexts.at(size_t(index)) = text;
    const std::u16string centred = u"\t" + text;  // a leading tab centres the text
    Send(SB_SETTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(WStr(centred)));
}

int TStatusBar::Height() const {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    return bounds.bottom - bounds.top;
}

HFONT TStatusBar::Font() const { return reinterpret_cast<HFONT>(Send(WM_GETFONT)); }

}  // namespace korvalin
