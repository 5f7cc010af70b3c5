#include "app/Haupt.h"

#include "app/WindowRules.h"
#include "appearance/FontFiles.h"
#include "input/Translation.h"
#include "settings/SettingsIni.h"
#include "speech/EingabeAnsage.h"
#include "tables/SystemCodecs.h"
#include "util/Errors.h"
#include "util/FileDialogs.h"
#include "util/FontDialog.h"
#include "util/LxUtils.h"
#include "util/Printing.h"
#include "util/RichStream.h"
#include "util/SafeFile.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <ole2.h>
#include <windowsx.h>
#undef PlaySound  // the name of a method here, not the macro

#include <algorithm>
#include <utility>

namespace korvalin {

bool ProgramClosing = false;

namespace {

std::u16string FullPathName(const std::u16string& name) {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(WStr(name), DWORD(std::size(path)), path, nullptr);
    return length > 0 && length < std::size(path) ? U16(path) : name;
}

constexpr UINT_PTR kTimer0Start = 1;
constexpr UINT kTimer0StartInterval = 5;
constexpr DWORD kUpdaterShutdownMilliseconds = 3000;
constexpr UINT_PTR kTimer1UpdateZeileSpalte = 2;
constexpr UINT kTimer1UpdateZeileSpalteInterval = 200;
constexpr int kRichEditMaxLength = 214748364;
constexpr int kDesignClientWidth = 644, kDesignClientHeight = 441;
constexpr TSizeLimits kStartupSize{.Width = 1200, .Height = 900, .MinWidth = 1000, .MinHeight = 700};
constexpr UINT kFirstMenuId = 100;
constexpr UINT kFirstTableMenuId = 1000;  // the items of "&Tabellen", by position
constexpr std::u16string_view kDocumentFont = u"Charis SIL|16|0|0000|clBlack";
constexpr int kStatusPanelCount = 6;

ACCEL ShortCutAccel(TShortCut shortCut, UINT id) {
    BYTE flags = FVIRTKEY;
    if (shortCut.Shift & ssShift) flags |= FSHIFT;
    if (shortCut.Shift & ssCtrl) flags |= FCONTROL;
    if (shortCut.Shift & ssAlt) flags |= FALT;
    return ACCEL{flags, shortCut.Key, WORD(id)};
}

TWorkArea MonitorWorkArea(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right - info.rcWork.left,
            info.rcWork.bottom - info.rcWork.top};
}

}  // namespace

// ---- modal windows and the dialog bracket ----

template <class TDialog>
auto TForm1::Modal(TDialog&& Dialog) {
    ApplicationEvents1ModalBegin();
    struct TEnd {
        TForm1& Form;
        ~TEnd() { Form.ApplicationEvents1ModalEnd(); }
    } end{*this};
    return Dialog();
}

template <class TDialog>
void TForm1::WithDialogBracket(TDialog&& Dialog) {
    // A bracket inside another (the save question's save-as inside "Öffnen")
    // gives the outer one its remembered control back.
    const HWND outer = std::exchange(MerkActiveControl, GetFocus());
    SuspendHook();
    struct TRestore {
        TForm1& Form;
        HWND Outer;
        ~TRestore() {
            Form.SetActiveControl();
            Form.MerkActiveControl = Outer;
            Form.ResumeHook();
        }
    } restore{*this, outer};
    Dialog();
}

void TForm1::ModalDialog(const std::function<void()>& Dialog) {
    WithDialogBracket([&] { Modal([&] { Dialog(); }); });
}

// ---- creation, show, close ----

TForm1::TForm1(std::u16string exeFolder)
    : FExeFolder(std::move(exeFolder)), FCodecs(SystemTextCodecs()), FTabellen(FExeFolder) {
    FormCreate();
}

TForm1::~TForm1() {
    ProgramClosing = true;
    FApplicationActive = false;
    SetHookS(false);
    FCues.Stop();
    LoadFontFiles(false, {});
    if (KeyHook) KeyHook->SetOnPreExecute(nullptr);
    KeyHook.reset();
    FTolk.Unload();
    FUpdater.reset();  // last: waits for a running check
}

void TForm1::FormCreate() {
    ProgramClosing = false;
    FHookS = false;
    FHookAvailable = true;
    FApplicationActive = FMenuActive = false;
    FModalLevel = FHookSuspendCount = 0;
    FParameters = GetParametersArray();

    TCreateArgs args;
    args.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT design{0, 0, kDesignClientWidth, kDesignClientHeight};
    AdjustWindowRectEx(&design, args.Style, TRUE, 0);
    args.Width = design.right - design.left;
    args.Height = design.bottom - design.top;
    args.X = (GetSystemMetrics(SM_CXSCREEN) - args.Width) / 2;
    args.Y = (GetSystemMetrics(SM_CYSCREEN) - args.Height) / 2;
    CreateWnd(L"TForm1", args);
    CreateMenus();
    ApplyStartupSize();
    FTolk.Load();

    TCreateArgs editArgs;
    editArgs.Parent = Handle();
    editArgs.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                     ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | ES_DISABLENOSCROLL;
    editArgs.ExStyle = WS_EX_CLIENTEDGE;
    editArgs.X = editArgs.Y = 0;
    editArgs.Width = editArgs.Height = 100;
    RichEdit1.Create(editArgs);
    RichEdit1.SetMaxLength(kRichEditMaxLength);
    TFontValue documentFont;
    AssignFontSpec(&documentFont, kDocumentFont);
    CHARFORMAT2W format = FontToCharFormat(documentFont);
    RichEdit1.Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    RichEdit1.OnKeyPress = [this](wchar_t& key) { RichEdit1KeyPress(key); };
    RichEdit1.OnKeyDown = [this](WORD& key) { RichEdit1KeyDown(key); };
    RichEdit1.OnKeyMessage = [this](UINT message, LPARAM keyData) { return RichEdit1KeyMessage(message, keyData); };
    RichEdit1.OnPaste = [this] { return RichEdit1Paste(); };
    CreateIniFolder();
    CreateUpdater();

    StandardEinstellungenSetzen(Einstellungen, FExeFolder);
    SchonGesuchtS = false;
    ClearKeys();
    KeyHook = std::make_unique<TLowLevelKeyboardHook>();
    KeyHook->SetOnPreExecute([this](TCustomHook& hook, THookMsg& message) { KeyHookPreExecute(hook, message); });

    TCreateArgs barArgs;
    barArgs.Parent = Handle();
    barArgs.Style = WS_CHILD | WS_VISIBLE;
    barArgs.X = barArgs.Y = 0;
    barArgs.Width = barArgs.Height = 0;
    StatusBar1.Create(barArgs);
    StatusBar1.SetPanelWidths(std::vector<int>(kStatusPanelCount, 0));
    SchalterEinrichten();

    CaptionZuweisen();
    SetFilename(std::u16string(texts::NewDocumentName));
    SpeichernUnterS = true;
    SetModus(TModus::M1);
    SetMaxZeilenbreite(Einstellungen.MaxZeilenbreite);  // the default: no limit, wrapping
    LautgruppeStr.clear();
    SetLautgruppeS(false);
    SetEinhandS(false);
    AktZeile = -1;
    Timer1UpdateZeileSpalteTimer();  // starts the timer
}

void TForm1::Show(int showCommand) {
    ShowWindow(Handle(), showCommand);
    UpdateWindow(Handle());
    FormShow();
}

void TForm1::FormShow() {
    RegistryLadenSpeichern(true);
    FillMenuTabellen();
    SetHintergrundNr(Einstellungen.Schrifthintergrund);  // also SchriftartZuweisen
    FensterEinrichten();
    RichEdit1.SetFocus();
    FApplicationActive = true;
    UpdateHookS();
    SetTimer(Handle(), kTimer0Start, kTimer0StartInterval, nullptr);
}

void TForm1::Timer0StartTimer(bool SenderS) {
    KillTimer(Handle(), kTimer0Start);
    const auto messages =
        LoadWorkingTables(FTabellen, Einstellungen.Tab1Filename, Einstellungen.Tab2Filename, SenderS, FCodecs, FTables);
    for (const std::u16string& message : messages) MessageDlg(message, MB_ICONERROR | MB_OK);
    if (SenderS) LoadFontFiles(true, [this](const std::u16string& message) { MessageDlg(message, MB_ICONERROR | MB_OK); });
    if (FTimer0StartTag == 1) StartupFinished();
    FTimer0StartTag = 0;
}

void TForm1::FormClose() {
    ProgramClosing = true;
    FApplicationActive = false;
    KillTimer(Handle(), kTimer1UpdateZeileSpalte);
    KillTimer(Handle(), kTimer0Start);
    UpdateHookS();
    RegistryLadenSpeichern(false);
    // A server that accepts and never answers must not hold the program
    // open: the worker of such a check is left to end with the process.
    if (FUpdater && !FUpdater->Shutdown(kUpdaterShutdownMilliseconds)) static_cast<void>(FUpdater.release());
    OleFlushClipboard();  // copied text outlives the program; a failure changes nothing
}

void TForm1::CaptionZuweisen() {
    RichEdit1.SetText(u"");
    RichEdit1.ClearUndo();
    RichEdit1.SetModified(false);
}

void TForm1::SetFilename(const std::u16string& value) {
    TDocumentName name = FilenameZuweisen(value, FFilename, FExeFolder);
    FFilename = std::move(name.Filename);
    SetCaption(DocumentCaption(name.DisplayName));
    FDocumentKind = DocumentKindOf(FFilename);
    SpeichernUnterS = false;
    LautgruppeStr.clear();
    SetLautgruppeS(false);
    ClearKeys();
}

// ---- size, placement and layout ----

void TForm1::ApplyStartupSize() {
    const TWorkArea work = MonitorWorkArea(Handle());
    const TSizeLimits size = StartupSize(kStartupSize, work.Width, work.Height);
    FMinWidth = size.MinWidth;
    FMinHeight = size.MinHeight;
    FMaxWidth = size.MaxWidth;
    FMaxHeight = size.MaxHeight;
    SetWindowPos(Handle(), nullptr, 0, 0, size.Width, size.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::GetMinMaxInfo(MINMAXINFO& info) const {
    if (FMinWidth > 0) info.ptMinTrackSize.x = FMinWidth;
    if (FMinHeight > 0) info.ptMinTrackSize.y = FMinHeight;
    if (FMaxWidth > 0) info.ptMaxTrackSize.x = FMaxWidth;
    if (FMaxHeight > 0) info.ptMaxTrackSize.y = FMaxHeight;
}

void TForm1::FensterEinrichten() {
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const TWindowPosition position = FensterPosition(MonitorWorkArea(Handle()), bounds.right - bounds.left,
                                                     bounds.bottom - bounds.top, IsZoomed(Handle()) != FALSE);
    SetWindowPos(Handle(), nullptr, position.Left, position.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::SchriftartZuweisen() {
    FSchrift = CreateFontFromSpec(Einstellungen.Schriftart);
    StatusBar1.Send(WM_SETFONT, reinterpret_cast<WPARAM>(FSchrift.Get()), TRUE);
    HintergrundZuweisen();
    SchalterEinrichten();
}

void TForm1::SchalterEinrichten() {
    if (!StatusBar1.Handle()) return;
    StatusBar1.Send(SB_SETMINHEIGHT, WPARAM(FontControlHeight(FSchrift.Get(), TControlKind::StatusBar)));
    StatusBar1.Send(WM_SIZE);  // the bar docks itself at the bottom
    RECT client{};
    GetClientRect(Handle(), &client);
    const int barHeight = StatusBar1.Height();
    MoveWindow(RichEdit1.Handle(), 0, 0, client.right, std::max<int>(0, client.bottom - barHeight), TRUE);

    const auto texts = StatusPanelMeasureTexts();
    std::array<int, 6> measured{};
    for (size_t i = 0; i < texts.size(); ++i) measured[i] = FontTextWidthSpaced(FSchrift.Get(), texts[i]);
    const auto widths = StatusPanelWidths(int(client.right), measured);
    StatusBar1.SetPanelWidths(std::vector<int>(widths.begin(), widths.end()));
}

void TForm1::UpdateZeileSpalte() {
    const int selStart = RichEdit1.SelStart();
    AktZeile = int(RichEdit1.Send(EM_EXLINEFROMCHAR, 0, selStart));
    const int lineStart = int(RichEdit1.Send(EM_LINEINDEX, WPARAM(AktZeile)));
    const std::u16string text = ZeileSpalteText(AktZeile + 1, selStart - lineStart + 1);
    if (StatusBar1.PanelText(0) != text) StatusBar1.SetPanelText(0, text);
}

void TForm1::UpdateStatustext() {
    std::u16string text;
    if (FChords.Keys() >= 1) {
        text = ExpandKeysInString(FChords.Keys(), false);
    } else if (!LautgruppeStr.empty()) {
        text = LautgruppeStr;
    } else {
        const auto shortCut = [this](std::string_view item) {
            return ShortCutToText(MenuEntries()[MenuId(item) - kFirstMenuId].ShortCut);
        };
        const THintShortCuts shortCuts{
            shortCut("MenuDateiSpeichern"), shortCut("MenuDateiSpeichernUnter"), shortCut("MenuDateiOeffnen"),
            shortCut("MenuDateiClose"),     shortCut("MenuDateiDrucken"),        shortCut("MenuModusLautgruppe"),
            shortCut("MenuModusM0"),        shortCut("MenuModusM5")};
        SYSTEMTIME now;
        GetLocalTime(&now);
        text = StatusHintText(now.wMinute, RichEdit1.Modified(), SpeichernUnterS, shortCuts);
    }
    if (StatusBar1.PanelText(5) != text) StatusBar1.SetPanelText(5, text);
}

void TForm1::Timer1UpdateZeileSpalteTimer() {
    KillTimer(Handle(), kTimer1UpdateZeileSpalte);
    try {
        UpdateZeileSpalte();
        UpdateStatustext();
    } catch (const std::exception&) {
        // a display that failed this time is refreshed at the next tick
    }
    if (!ProgramClosing) SetTimer(Handle(), kTimer1UpdateZeileSpalte, kTimer1UpdateZeileSpalteInterval, nullptr);
}

// ---- the hook and its on/off decision ----

void TForm1::UpdateHookS() {
    SetHookS(UpdateHookSDecision(THookInputs{FHookAvailable, KeyHook != nullptr, ProgramClosing, FApplicationActive,
                                             FModalLevel, FMenuActive, FHookSuspendCount, FModus, FLautgruppeS}));
}

void TForm1::SetHookS(bool value, bool anewS) {
    if (!KeyHook) {
        FHookS = false;
        return;
    }
    if (!value) ClearKeys();
    if (!anewS && value == FHookS && value == KeyHook->Active()) return;
    try {
        if (anewS) KeyHook->SetActive(false);
        const bool installing = value && !KeyHook->Active();
        KeyHook->SetActive(value);
        FHookS = KeyHook->Active();
        if (installing) FChords.HookInstalled();
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
        event.Time = info->time;
        event.AltDown = GetAsyncKeyState(VK_MENU) < 0;
        event.ShiftDown = GetAsyncKeyState(VK_SHIFT) < 0;
        event.CtrlDown = GetAsyncKeyState(VK_CONTROL) < 0;
    }
    const THookDecision decision =
        FChords.KeyHookPreExecute(Hookmsg.Code, std::uint32_t(Hookmsg.WParam), info ? &event : nullptr, HookGate());
    if (decision.PostKeys) PostKeys(decision.PostKeys, decision.PostLautgruppeS);
    Hookmsg.Result = decision.Swallow ? 1 : 0;
}

void TForm1::PostKeys(int keys, bool lautgruppeS) {
    if (keys != 0 && !ProgramClosing && Handle() &&
        PostMessageW(Handle(), WM_BRAILLEKEYS, WPARAM(keys), lautgruppeS ? 1 : 0))
        FChordTrace.Posted();
}

void TForm1::BrailleKeys(WPARAM keys, LPARAM lautgruppe) {
    if (AcceptBrailleKeys({ProgramClosing, FApplicationActive, FModalLevel, FMenuActive, RichEdit1.Focused()}))
        ProcessKeys(int(keys), lautgruppe != 0);
    FChordTrace.Handled(int(keys));
}

void TForm1::ProcessKeys(int keys, bool lautgruppeS) {
    const TProcessKeysAction action = ProcessKeysDecision(keys, lautgruppeS, LautgruppeStr);
    if (action.Use == TChordUse::AppendLautgruppe) {
        LautgruppeStr += action.Pattern;
        PlaySound(Einstellungen.SoundZeichenabschlussFilename, false);
        Ansage(LautgruppeZelleAnsage(Einstellungen.EingabeAnsagen, action.Pattern));
    } else if (action.Use == TChordUse::Translate) {
        CharToRichEdit(action.Pattern, false);
    }
}

// ---- translation and insertion ----

void TForm1::CharToRichEdit(const std::u16string& Punkte, bool LautS, const std::u16string& Vorsatz) {
    if (Punkte.empty()) return;
    const TTranslation translation =
        TranslatePunkte(FModus, Punkte, LautS, FTables.TabStandard, FTables.Tab1, FTables.Tab2);
    if (translation.Result == TTranslationResult::Failed) PlaySound(Einstellungen.SoundFalschFilename, true);
    if (translation.Result != TTranslationResult::Text) {
        Ansage(Vorsatz);
        return;
    }
    const std::u16string& text = translation.Text;
    if (!IsMaxZeilenbreiteOk(text)) {
        MessageBeep(0);
        Ansage(AnsageVerbinden(Vorsatz, ZeilenbreiteAnsage(Einstellungen.EingabeAnsagen, GetMaxZeilenbreite())));
        return;
    }
    TUpdateBracket bracket(RichEdit1);
    // One undo step for the text and its font: a format set on the empty
    // selection is no step of its own but goes with the insertion. A
    // selection is deleted first, a step of its own.
    RichEdit1.Send(EM_STOPGROUPTYPING);
    if (RichEdit1.SelLength() > 0) RichEdit1.ReplaceSel(u"");
    ApplyModeFont(RichEdit1.Handle(), translation.FontModeIndex, text, translation.FontVariant, FUnicodeBrailleFont);
    RichEdit1.ReplaceSel(text);
    RichEdit1.Send(EM_STOPGROUPTYPING);
    PlaySound(Einstellungen.SoundTippenFilename, false);
    Ansage(AnsageVerbinden(
        Vorsatz, ChordAnsage(Einstellungen.EingabeAnsagen, FModus, LautS, Punkte, text, TextVorCaret())));
}

void TForm1::PlaySound(const std::u16string& SoundFilename, bool WarteS) {
    if (!Einstellungen.SoundS || SoundFilename.empty() || !FileExists(SoundFilename)) return;
    FCues.Play(SoundFilename, WarteS);
}

void TForm1::RichEdit1KeyPress(wchar_t& Key) {
    if (Key == 27) {
        LautgruppeStr.clear();
        SetLautgruppeS(false);
        ClearKeys();
        Key = 0;
        return;
    }
    if (Key == u'\r') Ansage(TasteAnsage(Einstellungen.EingabeAnsagen, FModus, TextVorCaret() + u'\r'));
    if (!IsPrintableChar(char16_t(Key))) return;
    const bool wasCombination = FLautgruppeS;
    const bool spaceCell = Key == u' ' && BlankIsEmptyCell(wasCombination, FModus, FTables.Tab1, FTables.Tab2);
    SetLautgruppeS(false);
    if (spaceCell) {
        Key = 0;
        CharToRichEdit(u"0", wasCombination || FModus == TModus::M5);
    } else {
        if (!IsMaxZeilenbreiteOk(std::u16string(1, char16_t(Key)))) {
            MessageBeep(0);
            Ansage(ZeilenbreiteAnsage(Einstellungen.EingabeAnsagen, GetMaxZeilenbreite()));
            Key = 0;
            return;
        }
        if (!Einstellungen.Fonts[0].empty()) AssignFontSpecToAttributes(RichEdit1.Handle(), Einstellungen.Fonts[0][0].Settings);
        PlaySound(Einstellungen.SoundTippenFilename, false);
        Ansage(TasteAnsage(Einstellungen.EingabeAnsagen, FModus, TextVorCaret() + char16_t(Key)));
    }
}

void TForm1::RichEdit1KeyDown(WORD& Key) {
    if (Key == VK_RETURN) SetLautgruppeS(false);
    if (Key == VK_SHIFT) {
        if (const int keys = FChords.CompleteByShift(Einstellungen.EinhandS, FModus, FLautgruppeS))
            PostKeys(keys, FLautgruppeS);
    }
}

// ---- modes and switches ----

void TForm1::SetModus(TModus value) {
    if (value != FModus) {
        ClearKeys();
        FModus = value;
        CheckRadioItem(1, int(value));
        StatusBar1.SetPanelText(1, ModusPanelText(value));
        UpdateHookS();
        if (IsWindowVisible(Handle())) {
            PlaySound(Einstellungen.SoundModusFilename, false);
            Ansage(ModusAnsage(Einstellungen.EingabeAnsagen, value));
        }
        return;
    }
    UpdateHookS();
}

void TForm1::MenuModusM0_5Click(const TMenuEntry* Sender) {
    if (Sender && Sender->Tag >= 0 && Sender->Tag <= 5) SetModus(TModus(Sender->Tag));
}

void TForm1::SetLautgruppeS(bool value) {
    if (value == FLautgruppeS) {
        StatusBar1.SetPanelText(2, LautgruppePanelText(value));
        UpdateHookS();
        return;
    }
    ClearKeys();
    std::u16string pending;
    if (!value) pending = std::exchange(LautgruppeStr, std::u16string());
    FLautgruppeS = value;
    if (value) {
        LautgruppeStr.clear();
        PlaySound(Einstellungen.SoundLautgruppeFilename, false);
    }
    SetMenuItemCheckedS("MenuModusLautgruppe", value);
    StatusBar1.SetPanelText(2, LautgruppePanelText(value));
    UpdateHookS();
    const std::u16string ansage = LautgruppeAnsage(Einstellungen.EingabeAnsagen, value);
    if (pending.empty()) Ansage(ansage);
    else CharToRichEdit(pending, true, ansage);
}

void TForm1::MenuModusLautgruppeClick(const TMenuEntry*) { SetLautgruppeS(!FLautgruppeS); }

bool TForm1::GetEinhandS() const { return Einstellungen.EinhandS; }

void TForm1::SetEinhandS(bool value) {
    Einstellungen.EinhandS = value;
    ClearKeys();
    if (value) PlaySound(Einstellungen.SoundEinhandFilename, false);
    SetMenuItemCheckedS("MenuEinstEinhand", value);
    StatusBar1.SetPanelText(4, EinhandPanelText(value));
}

void TForm1::MenuEinstEinhandClick(const TMenuEntry*) {
    SetEinhandS(!GetEinhandS());
    Ansage(EinhandAnsage(Einstellungen.EingabeAnsagen, GetEinhandS()));
    RegistryLadenSpeichern(false);
}

void TForm1::MenuEinstSoundSClick(const TMenuEntry*) {
    Einstellungen.SoundS = !Einstellungen.SoundS;
    SetMenuItemCheckedS("MenuEinstSoundS", Einstellungen.SoundS);
    RegistryLadenSpeichern(false);
}

// ---- menus ----

void TForm1::CreateMenus() {
    const auto entries = MenuEntries();
    FMenuHandles.assign(entries.size(), nullptr);
    TMenuHandle bar(CreateMenu());
    HMENU parents[3] = {bar.Get(), nullptr, nullptr};
    for (size_t i = 0; i < entries.size(); ++i) {
        const TMenuEntry& entry = entries[i];
        const UINT id = kFirstMenuId + UINT(i);
        std::u16string text(entry.Caption);
        if (!entry.ShortCut.Empty()) text.append(u"\t").append(ShortCutToText(entry.ShortCut));
        const bool opensMenu = entry.Level == 0 || (i + 1 < entries.size() && entries[i + 1].Level > entry.Level);
        if (opensMenu) {
            HMENU menu = CreatePopupMenu();
            FMenuHandles[i] = menu;
            if (entry.Popup) PopupMenu1.Reset(menu);
            else AppendSubmenu(parents[entry.Level], text, menu);
            parents[entry.Level + 1] = menu;
        } else if (entry.Caption == u"-") {
            AppendMenuSeparator(parents[entry.Level]);
        } else {
            AppendMenuItem(parents[entry.Level], text, id, entry.GroupIndex > 0);
        }
        if (!entry.ShortCut.Empty() && !entry.Twin) FMenuAccelerators.push_back(ShortCutAccel(entry.ShortCut, id));
    }
    FAccelerators.Assign(FMenuAccelerators);
    if (!SetMenu(Handle(), bar.Get())) throw EKorvalin(u"SetMenu\r\n" + SysErrorMessage(GetLastError()));
    bar.Release();
    SetMenuItemEnabledS("MenuDateiSpeichern", false);
}

// One item per listed table, with the shortcuts Shift+Ctrl+1 to 9.
void TForm1::FillMenuTabellen() {
    HMENU menu = MenuHandle("MenuTabellen");
    while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
    std::vector<ACCEL> accelerators = FMenuAccelerators;
    for (int p = 0; p < std::min(FTabellen.Count(), int(TTabellen::kMaxTables)); ++p) {
        const UINT id = kFirstTableMenuId + UINT(p);
        const TShortCut shortCut{std::uint16_t(u'1' + p), ssShift | ssCtrl};
        std::u16string text = Format(u"&%d: %s", {p + 1, FTabellen.GetTabs(p)->Titel()});
        AppendMenuItem(menu, text.append(u"\t").append(ShortCutToText(shortCut)), id, true);
        accelerators.push_back(ShortCutAccel(shortCut, id));
    }
    FAccelerators.Assign(std::move(accelerators));
}

void TForm1::MenuTabellenClick() {
    HMENU menu = MenuHandle("MenuTabellen");
    const int index = FTabellen.AktTabFilenameIndex();
    for (int p = 0; p < GetMenuItemCount(menu); ++p)
        korvalin::SetMenuItemChecked(menu, kFirstTableMenuId + UINT(p), p == index);
}

void TForm1::MenuTabellenSubClick(int Tag) { SetNewTabelle(Tag); }

void TForm1::SetNewTabelle(int index) {
    const TTab* tab = FTabellen.GetTabs(index);
    if (!tab) return;
    LautgruppeStr.clear();
    SetLautgruppeS(false);
    ClearKeys();
    Einstellungen.Tab1Filename = tab->Filename();
    FTabellen.SetAktTabFilename(Einstellungen.Tab1Filename);
    PlaySound(Einstellungen.SoundNeueTabelleFilename, false);
    Ansage(TabellenAnsage(Einstellungen.EingabeAnsagen, index + 1, tab->Titel()));
    RegistryLadenSpeichern(false);
    Timer0StartTimer(false);
}

bool TForm1::IsShortCut(MSG& message) const {
    return FAccelerators.Get() && TranslateAcceleratorW(Handle(), FAccelerators.Get(), &message) != 0;
}

const TForm1::TMenuEntry* TForm1::MenuEntry(UINT id) const {
    const auto entries = MenuEntries();
    return id >= kFirstMenuId && id - kFirstMenuId < entries.size() ? &entries[id - kFirstMenuId] : nullptr;
}

UINT TForm1::MenuId(std::string_view name) const {
    const auto entries = MenuEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].Name == name) return kFirstMenuId + UINT(i);
    throw EKorvalin(u"Menüeintrag fehlt: " + Utf8ToU16(name));
}

HMENU TForm1::MenuHandle(std::string_view name) const { return FMenuHandles[MenuId(name) - kFirstMenuId]; }

// The bar for the main menu's entries, the context menu for its own.
HMENU TForm1::MenuRoot(size_t index) const {
    const auto entries = MenuEntries();
    while (index > 0 && entries[index].Level > 0) --index;
    return entries[index].Popup ? PopupMenu1.Get() : GetMenu(Handle());
}

bool TForm1::MenuItemEnabled(std::string_view name) const {
    const UINT id = MenuId(name);
    return korvalin::MenuItemEnabled(MenuRoot(id - kFirstMenuId), id);
}

bool TForm1::MenuItemChecked(std::string_view name) const {
    const UINT id = MenuId(name);
    return korvalin::MenuItemChecked(MenuRoot(id - kFirstMenuId), id);
}

void TForm1::SetMenuItemEnabledS(std::string_view name, bool enabled) {
    const UINT id = MenuId(name);
    korvalin::SetMenuItemEnabled(MenuRoot(id - kFirstMenuId), id, enabled);
}

void TForm1::SetMenuItemCheckedS(std::string_view name, bool checked) {
    const UINT id = MenuId(name);
    korvalin::SetMenuItemChecked(MenuRoot(id - kFirstMenuId), id, checked);
}

void TForm1::CheckRadioItem(int groupIndex, int tag) {
    const auto entries = MenuEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].GroupIndex == groupIndex)
            korvalin::SetMenuItemChecked(MenuRoot(i), kFirstMenuId + UINT(i), entries[i].Tag == tag);
}

// A shortcut first runs the opening handlers of the menus above its item,
// then acts only if the item is enabled, as a click would.
void TForm1::MenuCommand(UINT id, bool byShortCut) {
    if (id >= kFirstTableMenuId && id < kFirstTableMenuId + TTabellen::kMaxTables) {
        MenuTabellenSubClick(int(id - kFirstTableMenuId));
        return;
    }
    const TMenuEntry* entry = MenuEntry(id);
    if (!entry) return;
    if (byShortCut) {
        const auto entries = MenuEntries();
        std::vector<const TMenuEntry*> menus;
        for (size_t i = id - kFirstMenuId, level = size_t(entry->Level); i-- > 0 && level > 0;) {
            if (size_t(entries[i].Level) < level) {
                menus.insert(menus.begin(), &entries[i]);
                level = size_t(entries[i].Level);
            }
        }
        for (const TMenuEntry* menu : menus)
            if (menu->OnPopup) (this->*menu->OnPopup)();
        if (!korvalin::MenuItemEnabled(MenuRoot(id - kFirstMenuId), id)) return;
    }
    if (entry->OnClick) (this->*entry->OnClick)(entry);
}

void TForm1::InitMenuPopup(HMENU menu) {
    const auto entries = MenuEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (FMenuHandles[i] == menu && entries[i].OnPopup) (this->*entries[i].OnPopup)();
}

void TForm1::ShowPopupMenu1(LPARAM screenPoint) {
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == -1) {  // from the keyboard: at the caret
        const LRESULT caret = RichEdit1.Send(EM_POSFROMCHAR, WPARAM(RichEdit1.SelStart()));
        at = {GET_X_LPARAM(caret), GET_Y_LPARAM(caret)};
        ClientToScreen(RichEdit1.Handle(), &at);
    }
    TrackPopupMenu(PopupMenu1.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

void TForm1::MenuDateiClick() {
    SetMenuItemEnabledS("MenuDateiSpeichern", RichEdit1.Modified());
    SetMenuItemEnabledS("MenuDateiClose", !SpeichernUnterS);
}

void TForm1::MenuBearbeitenClick() {
    const bool hasText = RichEdit1.Send(WM_GETTEXTLENGTH) > 0;
    const bool hasSelection = RichEdit1.SelLength() > 0;
    SetMenuItemEnabledS("MenuBearbeitenRueckgaengig", RichEdit1.Send(EM_CANUNDO) != 0);
    SetMenuItemEnabledS("MenuBearbeitenWiederholen", RichEdit1.Send(EM_CANREDO) != 0);
    SetMenuItemEnabledS("MenuBearbeitenSuchen", hasText);
    SetMenuItemEnabledS("MenuBearbeitenWeitersuchen", SchonGesuchtS);
    for (const char* name : {"MenuBearbeitenZeichenformat", "MenuBearbeitenKopieren", "MenuBearbeitenAusschneiden",
                             "MenuBearbeitenLoeschen"})
        SetMenuItemEnabledS(name, hasSelection);
    SetMenuItemEnabledS("MenuBearbeitenAllesMarkieren", hasText);
    SetMenuItemEnabledS("MenuBearbeitenEinfuegen", IsClipboardFormatAvailable(CF_TEXT) != FALSE);
    for (const TMenuEntry& entry : MenuEntries())
        if (entry.Twin) SetMenuItemEnabledS(entry.Name, MenuItemEnabled(entry.Twin));
}

void TForm1::MenuEinstellungenClick() {
    SetMenuItemCheckedS("MenuEinstSoundS", Einstellungen.SoundS);
    UpdateCheckModeMenu();
    UpdateEingabeAnsagenMenu();
}

void TForm1::MenuDateiBeendenClick(const TMenuEntry*) { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

// ---- documents ----

void TForm1::MenuDateiOeffnenClick(const TMenuEntry* Sender) {
    if (!Sender && FParameters.empty()) return;
    std::u16string name = Sender ? FFilename : FullPathName(FParameters.front());
    TFileDialogArgs args{std::u16string(texts::OpenFilter), std::u16string(texts::DocumentExt),
                         std::u16string(ExtractFilePath(name)), u"",
                         OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_ENABLESIZING,
                         [this] { OpenSaveDialogShow(); }};
    WithDialogBracket([&] {
        if (Sender) {
            const auto chosen = Modal([&] { return OpenFileDialog(Handle(), args); });
            if (!chosen) return;
            name = *chosen;
        }
        if (SpeichernTestOk()) LoadDocument(name);
    });
}

void TForm1::LoadDocument(const std::u16string& name) {
    const bool modified = RichEdit1.Modified();
    const int selStart = RichEdit1.SelStart(), selLength = RichEdit1.SelLength();
    const std::string fallback = RichToRtf(RichEdit1);
    try {
        TUpdateBracket bracket(RichEdit1);
        LoadDocumentFile(name);
    } catch (const std::exception& error) {
        {
            TUpdateBracket bracket(RichEdit1);
            RichFromRtf(RichEdit1, fallback);
            RichEdit1.SetSel(selStart, selLength);
            RichEdit1.SetModified(modified);
        }
        MessageDlg(Format(texts::FileOpenFailed, {name, ErrorMessage(error)}), MB_ICONERROR | MB_OK);
        return;
    }
    SetFilename(name);
    RichEdit1.ClearUndo();
    RichEdit1.SetModified(false);
    SpeichernUnterS = false;
}

bool TForm1::WriteDocument(const std::u16string& name, TDocumentKind kind) {
    if (kind != TDocumentKind::Rtf) return WriteBrailleDocument(name, kind);
    try {
        WriteFileSafely(name, [this](HANDLE file) { RichToRtfFile(RichEdit1, file); });
        return true;
    } catch (const EKorvalin& error) {
        MessageDlg(Format(texts::FileSaveFailed, {name, error.Message()}), MB_ICONERROR | MB_OK);
        return false;
    }
}

bool TForm1::Speichern() {
    if (SpeichernUnterS) return SpeichernUnter();
    if (!WriteDocument(FFilename, FDocumentKind)) return false;
    RichEdit1.SetModified(false);
    return true;
}

bool TForm1::SpeichernUnter() {
    TFileDialogArgs args{std::u16string(texts::SaveFilter), std::u16string(texts::DocumentExt),
                         std::u16string(ExtractFilePath(FFilename)),
                         SpeichernUnterS ? std::u16string(texts::NewDocumentFile) : std::u16string(ExtractFileName(FFilename)),
                         OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_ENABLESIZING,
                         [this] { OpenSaveDialogShow(); }, SaveFilterIndex(FDocumentKind)};
    std::optional<TChosenFile> chosen;
    WithDialogBracket([&] { chosen = Modal([&] { return SaveFileDialog(Handle(), args); }); });
    if (!chosen) return false;
    const TDocumentKind kind = SaveKindOf(chosen->FileName, chosen->FilterIndex);
    if (!WriteDocument(chosen->FileName, kind)) return false;
    SetFilename(chosen->FileName);
    FDocumentKind = kind;
    RichEdit1.SetModified(false);
    return true;
}

int TForm1::SpeichernTest() {
    if (!RichEdit1.Modified()) return 0;
    const std::u16string_view name = ExtractFileName(FFilename);
    return MessageDlg(Format(SpeichernUnterS ? texts::SaveChangesInNew : texts::SaveChangesIn, {name}),
                      MB_ICONQUESTION | MB_YESNOCANCEL);
}

bool TForm1::SpeichernTestOk() {
    const int answer = SpeichernTest();
    if (answer == IDCANCEL) return false;
    return answer != IDYES || Speichern();
}

void TForm1::MenuDateiSpeichernClick(const TMenuEntry*) { Speichern(); }
void TForm1::MenuDateiSpeichernUnterClick(const TMenuEntry*) { SpeichernUnter(); }

void TForm1::MenuDateiCloseClick(const TMenuEntry*) {
    if (!SpeichernTestOk()) return;
    SetFilename(std::u16string(ExtractFilePath(FFilename)).append(texts::NewDocumentName));
    SpeichernUnterS = true;
    CaptionZuweisen();
}

void TForm1::MenuDateiDruckenClick(const TMenuEntry*) {
    if (!PrinterInstalled()) {
        MessageDlg(std::u16string(texts::NoPrinter), MB_ICONINFORMATION | MB_OK);
        return;
    }
    WithDialogBracket([this] {
        PRINTDLGW dialog{};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = Handle();
        // The program makes the copies, also where the driver cannot.
        dialog.Flags = PD_RETURNDC | PD_NOSELECTION;
        dialog.nCopies = 1;
        dialog.nFromPage = dialog.nToPage = dialog.nMinPage = 1;
        dialog.nMaxPage = 0xFFFF;
        const bool chosen = Modal([&] { return PrintDlgW(&dialog) != FALSE; });
        const TPrintDialogHandles release{dialog};
        if (chosen && dialog.hDC)
            PrintRichEdit(RichEdit1, dialog.hDC, Format(texts::PrintJob, {WindowCaption(Handle())}),
                          {dialog.nCopies, (dialog.Flags & PD_COLLATE) != 0});
    });
}

void TForm1::OpenSaveDialogShow() { ClearKeys(); }

bool TForm1::FormCloseQuery() { return SpeichernTestOk(); }

// ---- the dialog bracket ----

void TForm1::SetActiveControl() {
    const HWND control = std::exchange(MerkActiveControl, nullptr);
    if (control && IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control)) ::SetFocus(control);
}

// ---- edit commands ----

void TForm1::MenuBearbeitenZeichenformatClick(const TMenuEntry*) {
    WithDialogBracket([this] {
        CHARFORMAT2W format = RichEdit1.SelAttributes();
        if (Modal([&] { return ChooseCharFormat(Handle(), format); })) RichEdit1.SetSelAttributes(format);
    });
}

void TForm1::MenuBearbeitenRueckgaengigClick(const TMenuEntry*) { RichEdit1.Send(EM_UNDO); }
void TForm1::MenuBearbeitenWiederholenClick(const TMenuEntry*) { RichEdit1.Send(EM_REDO); }
void TForm1::MenuBearbeitenAllesMarkierenClick(const TMenuEntry*) { RichEdit1.Send(EM_SETSEL, 0, -1); }
void TForm1::MenuBearbeitenKopierenClick(const TMenuEntry*) { RichEdit1.Send(WM_COPY); }
void TForm1::MenuBearbeitenAusschneidenClick(const TMenuEntry*) { RichEdit1.Send(WM_CUT); }
void TForm1::MenuBearbeitenLoeschenClick(const TMenuEntry*) { RichEdit1.Send(WM_CLEAR); }

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
    // posted: the dialog is still being taken down; a waiting close comes first
    if (FModalLevel == 0 && std::exchange(FClosePendingS, false)) PostMessageW(Handle(), WM_CLOSE, 0, 0);
    if (FStartupPendingS && FModalLevel == 0) PostMessageW(Handle(), WM_UPDATECHECKED, 0, 0);
}

int TForm1::MessageDlg(const std::u16string& text, UINT flags) {
    if (OnMessageDlg) return OnMessageDlg(text, flags);
    return Modal([&] { return MessageBoxW(Handle(), WStr(text), WStr(std::u16string(texts::ProgramTitle)), flags); });
}

void TForm1::HandleException(const std::exception& error) {
    MessageDlg(Format(texts::UnexpectedError, {ErrorMessage(error)}), MB_ICONERROR | MB_OK);
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

void TForm1::PopupMenuEnter() {
    FMenuActive = true;
    ClearKeys();
    UpdateHookS();
}

void TForm1::PopupMenuExit() {
    FMenuActive = false;
    UpdateHookS();
}

LRESULT TForm1::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == FindDialogMessage()) {
        FindDialog1Report(*reinterpret_cast<const FINDREPLACEW*>(lParam));
        return 0;
    }
    switch (message) {
    case WM_BRAILLEKEYS:
        BrailleKeys(wParam, lParam);
        return 0;
    case WM_UPDATECHECKED:
        StartupContinue();
        return 0;
    case WM_COPYDATA:
        return WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_PROGRAMCLOSE:
        WMProgramClose();
        return 0;
    case WM_PROGRAMSETFOCUS:
        WMProgramSetFocus();
        return 0;
    case WM_COMMAND:
        if (lParam == 0) {
            MenuCommand(LOWORD(wParam), HIWORD(wParam) == 1);
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam)) InitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == RichEdit1.Handle()) {
            ShowPopupMenu1(lParam);
            return 0;
        }
        break;
    case WM_ENTERMENULOOP:
        if (wParam) PopupMenuEnter();
        break;
    case WM_EXITMENULOOP:
        if (wParam) PopupMenuExit();
        break;
    case WM_TIMER:
        if (wParam == kTimer0Start) Timer0StartTimer(true);
        else if (wParam == kTimer1UpdateZeileSpalte) Timer1UpdateZeileSpalteTimer();
        else if (wParam == kTimerSendTo) TimerSendToTimer();
        else if (wParam == kTimerLoadThisFile) TimerLoadThisFileTimer();
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
    case WM_GETMINMAXINFO:
        GetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGING: {
        // The minimum size holds for every resize, not only for dragging.
        auto& position = *reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(position.flags & SWP_NOSIZE) && !IsIconic(Handle())) {
            position.cx = std::max(position.cx, FMinWidth);
            position.cy = std::max(position.cy, FMinHeight);
        }
        break;
    }
    case WM_SIZE:
        if (!ProgramClosing && wParam != SIZE_MINIMIZED) {
            if (IsWindowVisible(Handle())) SchalterEinrichten();
            else if (StatusBar1.Handle()) StatusBar1.Send(WM_SIZE);
        }
        return 0;
    case WM_CLOSE:
        CloseRequest();
        return 0;
    case WM_QUERYENDSESSION:
        return WMQueryEndSession();
    case WM_ENDSESSION:
        WMEndSession(wParam != FALSE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return TWnd::WndProc(message, wParam, lParam);
}

}  // namespace korvalin
