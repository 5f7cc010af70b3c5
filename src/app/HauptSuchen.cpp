// Find: the menu commands, the modeless find dialog and the search in the
// document through a hidden rich edit.
#include "app/Haupt.h"
#include "app/HauptSuchen.h"
#include "app/ResConst.h"
#include "app/Suchen.h"
#include "util/Win32Text.h"

#include <richedit.h>

#include <algorithm>

namespace korvalin {

UINT FindDialogMessage() {
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
    return message;
}

// ---- the search buffer ----

TRichEditSuchPuffer::TRichEditSuchPuffer(TRichEdit& rich) : FRich(rich) { FRich.Send(EM_SETTARGETDEVICE, 0, 1); }

void TRichEditSuchPuffer::SetText(const std::u16string& text) { FRich.SetText(text); }

std::int64_t TRichEditSuchPuffer::Find(std::u16string_view pattern, std::int64_t from, bool matchCaseS,
                                       bool wholeWordS) {
    if (pattern.empty() || from < 0) return -1;
    const std::u16string text(pattern);
    FINDTEXTEXW find{};
    find.chrg.cpMin = LONG(from);
    find.chrg.cpMax = -1;
    find.lpstrText = WStr(text);
    const WPARAM flags = FR_DOWN | (matchCaseS ? FR_MATCHCASE : 0) | (wholeWordS ? FR_WHOLEWORD : 0);
    const LRESULT found = FRich.Send(EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find));
    return found < 0 ? -1 : std::int64_t(found);
}

// ---- the dialog ----

TFindDialog::TFindDialog() {
    FRecord.lStructSize = sizeof(FRecord);
    FRecord.lpstrFindWhat = FFindWhat;
    FRecord.wFindWhatLen = WORD(kFindWhatSize);
}

std::u16string TFindDialog::Suchtext() const { return U16(FFindWhat); }

void TFindDialog::SetSuchtext(std::u16string_view text) {
    const size_t length = std::min(text.size(), kFindWhatSize - 1);
    std::copy_n(text.begin(), length, FFindWhat);
    FFindWhat[length] = L'\0';
}

void TFindDialog::TakeReport(const FINDREPLACEW& report) {
    FOptions = {.DownS = (report.Flags & FR_DOWN) != 0,
                .MatchCaseS = (report.Flags & FR_MATCHCASE) != 0,
                .WholeWordS = (report.Flags & FR_WHOLEWORD) != 0};
}

bool TFindDialog::Execute(HWND owner) {
    FRecord.Flags = (FOptions.DownS ? FR_DOWN : 0) | (FOptions.MatchCaseS ? FR_MATCHCASE : 0) |
                    (FOptions.WholeWordS ? FR_WHOLEWORD : 0);
    FRecord.hwndOwner = owner;
    FHandle = ::FindTextW(&FRecord);
    return FHandle != nullptr;
}

// ---- the main window's commands ----

bool TForm1::IsFindDialogMessage(MSG& message) {
    const HWND dialog = FindDialog1.Handle();
    return dialog && IsDialogMessageW(dialog, &message);
}

void TForm1::MenuBearbeitenSuchenClick(const TMenuEntry*) {
    if (FFindDialogOpen) {
        if (const HWND dialog = FindDialog1.Handle()) {
            ShowWindow(dialog, SW_SHOW);
            SetActiveWindow(dialog);
        }
        return;
    }
    MerkActiveControl = GetFocus();
    SuspendHook();
    FFindDialogOpen = true;
    bool shownS = false;
    try {
        shownS = FindDialog1.Execute(Handle());
    } catch (...) {
        FFindDialogOpen = false;
        ResumeHook();
        throw;
    }
    if (!shownS) {
        FFindDialogOpen = false;
        ResumeHook();
    }
}

void TForm1::MenuBearbeitenWeitersuchenClick(const TMenuEntry*) { FindDialog1Find(); }

void TForm1::FindDialog1Close() {
    if (FFindDialogOpen) {
        FFindDialogOpen = false;
        ResumeHook();
    }
    SetActiveControl();
}

void TForm1::FindDialog1Report(const FINDREPLACEW& report) {
    if (report.Flags & FR_DIALOGTERM) {
        FindDialog1.Closed();
        FindDialog1Close();
    } else if (report.Flags & FR_FINDNEXT) {
        FindDialog1.TakeReport(report);
        FindDialog1Find();
    }
}

void TForm1::FindDialog1Find() {
    SchonGesuchtS = true;
    const TSuchOptionen options = FindDialog1.Options();
    // The dialog closes (and its close handler runs) once messages are
    // processed again: after the search or under the not-found message.
    if (FFindDialogOpen && FindDialog1.Handle()) PostMessageW(FindDialog1.Handle(), WM_CLOSE, 0, 0);
    // The search runs on a plain copy of the text with the rich edit's rules
    // (held against the control itself in the tests): filling a hidden rich
    // edit costs far more than the search, about a second per million
    // characters under Wine.
    TSuchTreffer treffer;
    {
        TTextSuchPuffer puffer;
        treffer = Suchen(puffer, RichEdit1.Text(), RichEdit1.SelStart(), RichEdit1.SelLength(), FindDialog1.Suchtext(),
                         options);
    }
    switch (treffer.Ergebnis) {
    case TSuchErgebnis::Leer:
        break;
    case TSuchErgebnis::Gefunden:
        RichEdit1.SetSel(int(treffer.SelStart), int(treffer.SelLength));
        RichEdit1.Send(EM_SCROLLCARET);
        break;
    case TSuchErgebnis::NichtGefunden:
        MessageDlg(std::u16string(texts::SuchstringNichtGefunden), MB_ICONINFORMATION | MB_OK);
        break;
    case TSuchErgebnis::KeinWeiterer:
        MessageDlg(std::u16string(texts::KeinWeitererSuchstring), MB_ICONINFORMATION | MB_OK);
        break;
    }
}

}  // namespace korvalin
