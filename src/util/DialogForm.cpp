#include "util/DialogForm.h"

#include "util/TextUtils.h"

#include "util/Win32Text.h"

#include <commctrl.h>

#include <iterator>
#include <utility>
#include <vector>

namespace korvalin {

void TDialogControl::SetText(const std::u16string& text) const { SetWindowTextW(Handle(), WStr(text)); }

std::u16string TDialogControl::Text() const {
    const int length = GetWindowTextLengthW(Handle());
    std::vector<wchar_t> buffer(size_t(length > 0 ? length : 0) + 1);
    const int copied = GetWindowTextW(Handle(), buffer.data(), int(buffer.size()));
    return U16(buffer.data(), size_t(copied > 0 ? copied : 0));
}

void TDialogControl::SetBounds(int left, int top, int width, int height) const {
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TDialogControl::Bounds() const {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

void TDialogEdit::Create(const TCreateArgs& args) {
    TDialogControl::Create(L"EDIT", args);
    SetWindowSubclass(Handle(), EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TDialogEdit::EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR selfData) {
    auto* self = reinterpret_cast<TDialogEdit*>(selfData);
    const auto paste = [&] {
        return Contained(window, 0, [self] {
            if (self->OnPaste) self->OnPaste();
            return LRESULT(0);
        });
    };
    switch (message) {
    case WM_PASTE:
        return paste();
    case WM_CHAR:
        if (wParam == 0x16) return paste();  // Ctrl+V
        break;
    case WM_CONTEXTMENU:
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, EditProc, 1);
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

namespace {

TInputColors& DefaultColors() {
    static TInputColors colors;
    return colors;
}

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, int(std::size(name)));
    return lstrcmpiW(name, className) == 0;
}

// The forms whose ShowModal runs, the innermost last.
std::vector<TDialogForm*>& RunningForms() {
    static std::vector<TDialogForm*> forms;
    return forms;
}

struct TSystemDialogs {
    HWND Owner;
    std::vector<HWND> Found;
};

bool OwnedBy(HWND window, HWND owner) {
    for (HWND above = GetWindow(window, GW_OWNER); above; above = GetWindow(above, GW_OWNER))
        if (above == owner) return true;
    return false;
}

BOOL CALLBACK CollectSystemDialog(HWND window, LPARAM data) {
    auto& dialogs = *reinterpret_cast<TSystemDialogs*>(data);
    if (IsWindowVisible(window) && IsClass(window, L"#32770") && OwnedBy(window, dialogs.Owner))
        dialogs.Found.push_back(window);
    return TRUE;
}

}  // namespace

TDialogForm::~TDialogForm() {
    if (FInputBrush) DeleteObject(FInputBrush);
}

void TDialogForm::SetDefaultInputColors(const TInputColors& colors) { DefaultColors() = colors; }

TInputColors TDialogForm::DefaultInputColors() { return DefaultColors(); }

void TDialogForm::SetInputColors(const TInputColors& colors) {
    if (colors == FInputColors) return;
    FInputColors = colors;
    if (FInputBrush) DeleteObject(std::exchange(FInputBrush, nullptr));
    ApplyInputColors();
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TDialogForm::ApplyInputColors() {
    if (!Handle()) return;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsClass(child, WC_LISTVIEWW)) {
            SendMessageW(child, LVM_SETBKCOLOR, 0, LPARAM(FInputColors.Background));
            SendMessageW(child, LVM_SETTEXTBKCOLOR, 0, LPARAM(FInputColors.Background));
            SendMessageW(child, LVM_SETTEXTCOLOR, 0, LPARAM(FInputColors.Text));
            InvalidateRect(child, nullptr, TRUE);
        } else if (IsClass(child, MSFTEDIT_CLASS) || IsClass(child, RICHEDIT_CLASSW)) {
            SendMessageW(child, EM_SETBKGNDCOLOR, 0, LPARAM(FInputColors.Background));
        }
    }
}

void CreateNumberField(TDialogEdit& edit, UINT_PTR editId, TDialogControl& upDown, UINT_PTR upDownId, TCreateArgs args,
                       int min, int max) {
    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL;
    args.ExStyle = WS_EX_CLIENTEDGE;
    args.Id = editId;
    edit.Create(args);
    edit.Send(EM_SETLIMITTEXT, IntToStr(max).size());

    args.Style = WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    args.ExStyle = 0;
    args.Id = upDownId;
    upDown.Create(UPDOWN_CLASSW, args);
    upDown.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit.Handle()));
    upDown.Send(UDM_SETRANGE32, WPARAM(min), LPARAM(max));
}

void TDialogForm::CreateForm(const std::u16string& caption) {
    TCreateArgs args;
    args.Parent = FOwner;
    args.Text = caption;
    args.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
    args.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    args.X = args.Y = 0;
    args.Width = args.Height = 100;
    CreateWnd(L"TDialogForm", args);
}

TCreateArgs TDialogForm::ChildArgs() const {
    TCreateArgs args;
    args.Parent = Handle();
    args.X = args.Y = 0;
    args.Width = args.Height = 10;
    return args;
}

void TDialogForm::CreateOkCancel(TDialogControl& ok, TDialogControl& cancel) const {
    TCreateArgs args = ChildArgs();
    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    args.Id = IDOK;
    ok.Create(L"BUTTON", args);
    args.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    args.Id = IDCANCEL;
    cancel.Create(L"BUTTON", args);
}

void TDialogForm::SetClientSize(int width, int height) {
    RECT bounds{0, 0, width, height};
    AdjustWindowRectEx(&bounds, DWORD(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialogForm::CenterOver(HWND over) {
    RECT outer{}, own{};
    GetWindowRect(over, &outer);
    GetWindowRect(Handle(), &own);
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int top = outer.top + (outer.bottom - outer.top - height) / 2;
    const int left = outer.left + (outer.right - outer.left - width) / 2;
    SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialogForm::Close(int result) {
    FModalResult = result;
    FRunningS = false;
    PostMessageW(Handle(), WM_NULL, 0, 0);  // wakes the loop
}

bool TDialogForm::DialogMessage(MSG& message) {
    return Handle() && (message.hwnd == Handle() || IsChild(Handle(), message.hwnd)) &&
           IsDialogMessageW(Handle(), &message);
}

int TDialogForm::ShowModal() {
    FModalResult = 0;
    FRunningS = true;
    RunningForms().push_back(this);
    struct TUnregister {
        ~TUnregister() { RunningForms().pop_back(); }
    } unregister;
    const bool ownerEnabledS = FOwner && IsWindowEnabled(FOwner);
    if (ownerEnabledS) EnableWindow(FOwner, FALSE);
    ApplyInputColors();
    ShowWindow(Handle(), SW_SHOW);
    FormShow();
    MSG message;
    while (FRunningS && Handle()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(int(message.wParam));  // for the outer loop
            if (FModalResult == 0) FModalResult = IDCANCEL;
            break;
        }
        if (DialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // Enable the owner before hiding, so that it gets the activation back.
    if (ownerEnabledS) EnableWindow(FOwner, TRUE);
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
    return FModalResult;
}

void CancelModalWindows(HWND owner) {
    TSystemDialogs dialogs{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectSystemDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (const HWND dialog : dialogs.Found) {
        const bool yesNoS = !GetDlgItem(dialog, IDCANCEL) && GetDlgItem(dialog, IDNO);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(yesNoS ? IDNO : IDCANCEL, BN_CLICKED), 0);
    }
    const std::vector<TDialogForm*> forms = RunningForms();
    for (auto form = forms.rbegin(); form != forms.rend(); ++form) (*form)->CancelModal();
}

LRESULT TDialogForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        // Read-only and disabled edits ask with WM_CTLCOLORSTATIC and keep the system's colours.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, FInputColors.Text);
        SetBkColor(dc, FInputColors.Background);
        if (!FInputBrush) FInputBrush = CreateSolidBrush(FInputColors.Background);
        return reinterpret_cast<LRESULT>(FInputBrush);
    }
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        Close(IDCANCEL);
        return 0;
    }
    return TWnd::WndProc(message, wParam, lParam);
}

}  // namespace korvalin
