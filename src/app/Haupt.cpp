#include "app/Haupt.h"

#include "input/Translation.h"
#include "tables/SystemCodecs.h"
#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <mmsystem.h>
#undef PlaySound  // the name of a method here, not the macro

#include <algorithm>
#include <utility>

namespace korvalin {

bool ProgramClosing = false;

namespace {

constexpr UINT_PTR kTimer0Start = 1;
constexpr UINT kTimer0StartInterval = 5;
constexpr int kRichEditMaxLength = 214748364;
constexpr int kStartWidth = 1200, kStartHeight = 900;

}  // namespace

TForm1::TForm1(std::u16string exeFolder)
    : FExeFolder(std::move(exeFolder)), FCodecs(SystemTextCodecs()), FTabellen(FExeFolder) {
    FormCreate();
}

TForm1::~TForm1() {
    ProgramClosing = true;
    FApplicationActive = false;
    SetHookS(false);
    PlaySoundW(nullptr, nullptr, SND_PURGE);
    KeyHook.reset();
}

void TForm1::FormCreate() {
    ProgramClosing = false;
    StandardEinstellungenSetzen(Einstellungen, FExeFolder);

    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int width = std::min<int>(kStartWidth, workArea.right - workArea.left);
    const int height = std::min<int>(kStartHeight, workArea.bottom - workArea.top);
    TCreateArgs args;
    args.X = workArea.left + (workArea.right - workArea.left - width) / 2;
    args.Y = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    args.Width = width;
    args.Height = height;
    CreateWnd(L"TForm1", args);

    TCreateArgs editArgs;
    editArgs.Parent = Handle();
    editArgs.Style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                     ES_NOHIDESEL | ES_WANTRETURN;
    editArgs.ExStyle = WS_EX_CLIENTEDGE;
    editArgs.X = editArgs.Y = 0;
    editArgs.Width = editArgs.Height = 100;
    RichEdit1.Create(editArgs);
    RECT client{};
    GetClientRect(Handle(), &client);
    MoveWindow(RichEdit1.Handle(), 0, 0, client.right, client.bottom, FALSE);
    RichEdit1.SetMaxLength(kRichEditMaxLength);
    RichEdit1.OnKeyPress = [this](wchar_t& key) { RichEdit1KeyPress(key); };
    RichEdit1.OnKeyDown = [this](WORD& key) { RichEdit1KeyDown(key); };

    ClearKeys();
    KeyHook = std::make_unique<TLowLevelKeyboardHook>();
    KeyHook->SetOnPreExecute([this](TCustomHook& hook, THookMsg& message) { KeyHookPreExecute(hook, message); });

    RichEdit1.SetText(u"");
    RichEdit1.ClearUndo();
    RichEdit1.SetModified(false);
    SetCaptionFromName(std::u16string(texts::NewDocumentName));
    SetModus(TModus::M1);
    LautgruppeStr.clear();
    SetLautgruppeS(false);
}

void TForm1::Show(int showCommand) {
    ShowWindow(Handle(), showCommand);
    UpdateWindow(Handle());
    FormShow();
}

void TForm1::FormShow() {
    FTabellen.Load(FCodecs);
    FTabellen.SetAktTabFilename(Einstellungen.Tab1Filename);
    RichEdit1.SetFocus();
    FApplicationActive = true;
    UpdateHookS();
    SetTimer(Handle(), kTimer0Start, kTimer0StartInterval, nullptr);
}

void TForm1::Timer0StartTimer() {
    KillTimer(Handle(), kTimer0Start);
    const auto messages = LoadWorkingTables(FTabellen, Einstellungen.Tab1Filename, Einstellungen.Tab2Filename, true, FCodecs, FTables);
    for (const std::u16string& message : messages) MessageDlg(message, MB_ICONERROR | MB_OK);
}

void TForm1::FormClose() {
    ProgramClosing = true;
    FApplicationActive = false;
    KillTimer(Handle(), kTimer0Start);
    UpdateHookS();
}

void TForm1::SetCaptionFromName(const std::u16string& displayName) {
    SetCaption(Format(texts::CaptionFormat, {displayName, texts::ProgramTitle}));
}

// ---- the hook and its on/off decision ----

void TForm1::UpdateHookS() {
    SetHookS(UpdateHookSDecision(THookInputs{FHookAvailable, KeyHook != nullptr, ProgramClosing, FApplicationActive,
                                             FModalLevel, FMenuActive, FHookSuspendCount, FModus, FLautgruppeS}));
}

void TForm1::SetHookS(bool value) {
    if (!KeyHook) {
        FHookS = false;
        return;
    }
    if (!value) ClearKeys();
    if (value == FHookS && value == KeyHook->Active()) return;
    try {
        KeyHook->SetActive(value);
        FHookS = KeyHook->Active();
    } catch (const EKorvalin& error) {
        FHookS = false;
        FHookAvailable = false;
        try {
            KeyHook->SetActive(false);
        } catch (...) {
        }
        MessageDlg(Format(texts::HookActivationFailed, {error.Message()}), MB_ICONERROR | MB_OK);
    }
}

void TForm1::SuspendHook() {
    ++FHookSuspendCount;
    ClearKeys();
    UpdateHookS();
}

void TForm1::ResumeHook() {
    if (FHookSuspendCount > 0) --FHookSuspendCount;
    UpdateHookS();
}

bool TForm1::RichEdit1Active() const {
    return GetForegroundWindow() == Handle() && RichEdit1.Focused();
}

void TForm1::KeyHookPreExecute(TCustomHook& Hook, THookMsg& Hookmsg) {
    Hookmsg.Result = 0;
    const KBDLLHOOKSTRUCT* info = static_cast<TLowLevelKeyboardHook&>(Hook).HookStruct();
    TKeyEvent event{};
    if (info) {
        event.ScanCode = info->scanCode;
        event.Flags = info->flags;
        event.AltDown = GetAsyncKeyState(VK_MENU) < 0;
        event.ShiftDown = GetAsyncKeyState(VK_SHIFT) < 0;
        event.CtrlDown = GetAsyncKeyState(VK_CONTROL) < 0;
    }
    const THookGate gate{ProgramClosing, FHookS, FModus, FLautgruppeS, RichEdit1Active(), Einstellungen.EinhandS};
    const THookDecision decision =
        FChords.KeyHookPreExecute(Hookmsg.Code, std::uint32_t(Hookmsg.WParam), info ? &event : nullptr, gate);
    if (decision.PostKeys) PostKeys(decision.PostKeys, decision.PostLautgruppeS);
    Hookmsg.Result = decision.Swallow ? 1 : 0;
}

void TForm1::PostKeys(int keys, bool lautgruppeS) {
    if (keys != 0 && !ProgramClosing && Handle())
        PostMessageW(Handle(), WM_BRAILLEKEYS, WPARAM(keys), lautgruppeS ? 1 : 0);
}

void TForm1::BrailleKeys(WPARAM keys, LPARAM lautgruppe) {
    if (AcceptBrailleKeys({ProgramClosing, FApplicationActive, FModalLevel, FMenuActive, RichEdit1.Focused()}))
        ProcessKeys(int(keys), lautgruppe != 0);
}

void TForm1::ProcessKeys(int keys, bool lautgruppeS) {
    const TProcessKeysAction action = ProcessKeysDecision(keys, lautgruppeS, LautgruppeStr);
    if (action.Use == TChordUse::AppendLautgruppe) {
        LautgruppeStr += action.Pattern;
        PlaySound(Einstellungen.SoundZeichenabschlussFilename, false);
    } else if (action.Use == TChordUse::Translate) {
        CharToRichEdit(action.Pattern, false);
    }
}

// ---- translation and insertion ----

void TForm1::CharToRichEdit(const std::u16string& Punkte, bool LautS) {
    if (Punkte.empty()) return;
    const TTranslation translation =
        TranslatePunkte(FModus, Punkte, LautS, FTables.TabStandard, FTables.Tab1, FTables.Tab2);
    if (translation.Result == TTranslationResult::Failed) PlaySound(Einstellungen.SoundFalschFilename, true);
    if (translation.Result != TTranslationResult::Text) return;
    const std::u16string& text = translation.Text;
    TUpdateBracket bracket(RichEdit1);
    const int start = RichEdit1.SelStart();
    RichEdit1.ReplaceSel(text);
    RichEdit1.SetSel(start, int(text.size()));
    RichEdit1.SetSel(start + int(text.size()), 0);
    PlaySound(Einstellungen.SoundTippenFilename, false);
}

void TForm1::PlaySound(const std::u16string& SoundFilename, bool WarteS) {
    if (!Einstellungen.SoundS || SoundFilename.empty() || !FileExists(SoundFilename)) return;
    PlaySoundW(WStr(SoundFilename), nullptr, SND_FILENAME | SND_NODEFAULT | (WarteS ? 0 : SND_ASYNC));
}

void TForm1::RichEdit1KeyPress(wchar_t& Key) {
    if (Key == 27) {
        LautgruppeStr.clear();
        SetLautgruppeS(false);
        ClearKeys();
        Key = 0;
        return;
    }
    if (!IsPrintableChar(char16_t(Key))) return;
    const bool wasCombination = FLautgruppeS;
    const bool spaceCell = Key == u' ' && BlankIsEmptyCell(wasCombination, FModus, FTables.Tab1, FTables.Tab2);
    SetLautgruppeS(false);
    if (spaceCell) {
        Key = 0;
        CharToRichEdit(u"0", wasCombination || FModus == TModus::M5);
    } else {
        PlaySound(Einstellungen.SoundTippenFilename, false);
    }
}

void TForm1::RichEdit1KeyDown(WORD& Key) {
    if (Key == VK_RETURN) SetLautgruppeS(false);
    if (Key == VK_SHIFT) {
        if (const int keys = FChords.CompleteByShift(Einstellungen.EinhandS, FModus, FLautgruppeS))
            PostKeys(keys, FLautgruppeS);
    }
}

// ---- modes ----

void TForm1::SetModus(TModus value) {
    if (value != FModus) {
        ClearKeys();
        FModus = value;
    }
    UpdateHookS();
}

void TForm1::SetLautgruppeS(bool value) {
    if (value == FLautgruppeS) {
        UpdateHookS();
        return;
    }
    ClearKeys();
    std::u16string pending;
    if (!value) pending = std::exchange(LautgruppeStr, std::u16string());
    FLautgruppeS = value;
    if (value) LautgruppeStr.clear();
    UpdateHookS();
    if (!pending.empty()) CharToRichEdit(pending, true);
}

// ---- application events ----

void TForm1::ApplicationEvents1Activate() {
    FApplicationActive = true;
    UpdateHookS();
}

void TForm1::ApplicationEvents1Deactivate() {
    FApplicationActive = false;
    ClearKeys();
    UpdateHookS();
}

void TForm1::ApplicationEvents1ModalBegin() {
    ++FModalLevel;
    ClearKeys();
    UpdateHookS();
}

void TForm1::ApplicationEvents1ModalEnd() {
    if (FModalLevel > 0) --FModalLevel;
    FApplicationActive = GetForegroundWindow() == Handle();
    UpdateHookS();
}

int TForm1::MessageDlg(const std::u16string& text, UINT flags) {
    ApplicationEvents1ModalBegin();
    const int answer = MessageBoxW(Handle(), WStr(text), WStr(std::u16string(texts::ProgramTitle)), flags);
    ApplicationEvents1ModalEnd();
    return answer;
}

void TForm1::MenuSelect(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
        FMenuActive = false;
    } else {
        if (!FMenuActive) ClearKeys();
        FMenuActive = true;
    }
    UpdateHookS();
}

LRESULT TForm1::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_BRAILLEKEYS:
        BrailleKeys(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kTimer0Start) Timer0StartTimer();
        return 0;
    case WM_ACTIVATEAPP:
        if (wParam) ApplicationEvents1Activate();
        else ApplicationEvents1Deactivate();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) RichEdit1.SetFocus();
        return 0;
    case WM_SETFOCUS:
        RichEdit1.SetFocus();
        return 0;
    case WM_MENUSELECT:
        MenuSelect(wParam, lParam);
        break;
    case WM_SIZE:
        MoveWindow(RichEdit1.Handle(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_CLOSE:
        FormClose();
        DestroyWindow(Handle());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return TWnd::WndProc(message, wParam, lParam);
}

}  // namespace korvalin
