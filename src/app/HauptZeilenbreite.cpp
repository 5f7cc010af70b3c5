// The line width limit of the main window: the setting, its panel, the
// editor's wrapping and scroll bars, the check of insertions, and the
// command that asks for a new width.
#include "app/Haupt.h"

#include "input/NummerDlgC.h"
#include "input/Zeilenbreite.h"
#include "util/Win32Text.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace korvalin {

namespace {

// The rich edit's paragraphs, as its line messages give them while
// wrapping is off.
class TRichEditLines : public TLineModel {
public:
    explicit TRichEditLines(HWND edit) : FEdit(edit) {}
    int LineCount() const override { return int(SendMessageW(FEdit, EM_GETLINECOUNT, 0, 0)); }
    int LineFromChar(int position) const override {
        return int(SendMessageW(FEdit, EM_LINEFROMCHAR, WPARAM(position), 0));
    }
    int LineIndex(int line) const override { return int(SendMessageW(FEdit, EM_LINEINDEX, WPARAM(line), 0)); }
    std::u16string Line(int line) const override {
        const int start = LineIndex(line);
        if (start < 0) return {};
        const int length = int(SendMessageW(FEdit, EM_LINELENGTH, WPARAM(start), 0));
        if (length <= 0) return {};
        std::vector<wchar_t> buffer(size_t(length) + 1);
        TEXTRANGEW range{{start, start + length}, buffer.data()};
        const int copied = int(SendMessageW(FEdit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
        return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), size_t(std::max(copied, 0)));
    }

private:
    HWND FEdit;
};

// The clipboard's text, empty when it holds none.
std::u16string ClipboardText(HWND owner) {
    std::u16string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
            const size_t limit = GlobalSize(data) / sizeof(char16_t);
            size_t length = 0;
            while (length < limit && chars[length] != 0) ++length;
            text.assign(chars, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

int TForm1::GetMaxZeilenbreite() const { return Einstellungen.MaxZeilenbreite; }

void TForm1::SetMaxZeilenbreite(int Value) {
    Einstellungen.MaxZeilenbreite = ClampMaxZeilenbreite(Value);
    UpdateMaxZeilenbreite();
    if (!RichEdit1.Handle()) return;
    const bool limitS = Einstellungen.MaxZeilenbreite != 0;
    // Target device 0 with a line width of 0 wraps at the window; width 1 never wraps.
    RichEdit1.Send(EM_SETTARGETDEVICE, 0, limitS ? 1 : 0);
    RichEdit1.Send(EM_SHOWSCROLLBAR, SB_HORZ, limitS ? TRUE : FALSE);
    RichEdit1.Send(EM_SHOWSCROLLBAR, SB_VERT, TRUE);
}

void TForm1::UpdateMaxZeilenbreite() {
    if (StatusBar1.Handle()) StatusBar1.SetPanelText(3, ZeilenbreitePanelText(Einstellungen.MaxZeilenbreite));
}

bool TForm1::IsMaxZeilenbreiteOk(const std::u16string& InsertText) const {
    if (Einstellungen.MaxZeilenbreite <= 0) return true;
    CHARRANGE selection{};
    RichEdit1.Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const int start = std::min(selection.cpMin, selection.cpMax);
    const int length = std::abs(selection.cpMax - selection.cpMin);
    return korvalin::IsMaxZeilenbreiteOk(TRichEditLines(RichEdit1.Handle()), Einstellungen.MaxZeilenbreite, start,
                                         length, InsertText);
}

void TForm1::MenuBearbeitenEinfuegenClick(const TMenuEntry*) { RichEdit1.Send(WM_PASTE); }

bool TForm1::RichEdit1Paste() {
    if (IsMaxZeilenbreiteOk(ClipboardText(Handle()))) return true;
    MessageBeep(0);
    return false;
}

void TForm1::MenuEinstMaxZeilenbreiteClick(const TMenuEntry*) {
    bool changedS = false;
    ModalDialog([&] {
        TNummerDlg dialog(Handle(), Tolk());
        dialog.SetPosition(GetMaxZeilenbreite());
        if (dialog.ShowModal() != IDOK) return;
        SetMaxZeilenbreite(dialog.Position());
        changedS = true;
    });
    if (changedS) RegistryLadenSpeichern(false);
}

}  // namespace korvalin
