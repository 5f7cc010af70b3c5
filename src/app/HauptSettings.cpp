// The main window and the settings file: loading with the repair step,
// saving, and restoring the default settings.
#include "app/Haupt.h"

#include "settings/SettingsFile.h"
#include "settings/SettingsIni.h"
#include "tables/TextFile.h"
#include "util/Errors.h"
#include "util/Win32Text.h"

#include <algorithm>

namespace korvalin {

namespace {

void ApplyWindowSettings(HWND window, const TWindowSettings& settings) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) return;
    RECT& normal = placement.rcNormalPosition;
    if (WindowSizeApplies(settings.Height)) normal.bottom = normal.top + settings.Height;
    if (WindowSizeApplies(settings.Width)) normal.right = normal.left + settings.Width;
    placement.flags = 0;
    placement.showCmd = settings.WindowState == 0 ? SW_SHOWNORMAL : SW_SHOWMAXIMIZED;
    SetWindowPlacement(window, &placement);
}

// The size is that of the normal window, also while it is maximised or
// minimised, so that it comes back when the window is restored.
TWindowSettings CurrentWindowSettings(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    const RECT& normal = placement.rcNormalPosition;
    TWindowSettings settings;
    settings.WindowState = IsIconic(window) ? 1 : IsZoomed(window) ? 2 : 0;
    settings.Height = int(normal.bottom - normal.top);
    settings.Width = int(normal.right - normal.left);
    return settings;
}

}  // namespace

void TForm1::RegistryLadenSpeichern(bool LadenS) {
    const std::u16string& filename = IniFilename();
    if (LadenS) {
        StandardEinstellungenSetzen(Einstellungen, FExeFolder);
        FTabellen.Load(FCodecs);
        if (FileExists(filename)) {
            try {
                TIniProfile profile(filename);
                ApplyWindowSettings(Handle(), ReadWindowSettings(profile));
                ReadEinstellungen(profile, Einstellungen, FTabellen, FExeFolder);
            } catch (const std::exception& error) {
                StandardEinstellungenSetzen(Einstellungen, FExeFolder);
                MessageDlg(std::u16string(texts::SettingsLoadError).append(ErrorMessage(error)), MB_ICONERROR | MB_OK);
            }
        }
        EinstellungenPruefen();
        return;
    }
    try {
        ClearFileAttributes(filename);
        TIniProfile profile(filename);
        WriteSettings(profile, CurrentWindowSettings(Handle()), Einstellungen, FTabellen);
    } catch (const std::exception& error) {
        MessageDlg(std::u16string(texts::SettingsSaveError).append(ErrorMessage(error)), MB_ICONERROR | MB_OK);
    }
}

void TForm1::EinstellungenPruefen() {
    EinstellungenReparieren(Einstellungen, FTabellen, FExeFolder,
                            [](const std::u16string& name) { return FileExists(name); });
    SetMaxZeilenbreite(Einstellungen.MaxZeilenbreite);
    SetEinhandS(Einstellungen.EinhandS);
    // The background number stays in Schrifthintergrund, from where the
    // fonts and colours are applied.
}

void TForm1::MenuEinstStandardClick(const TMenuEntry*) {
    if (MessageDlg(std::u16string(texts::RestoreDefaultsQuestion), MB_ICONQUESTION | MB_YESNO) != IDYES) return;
    LautgruppeStr.clear();  // dropped, not inserted
    SetLautgruppeS(false);
    ClearKeys();
    const int hintergrund = Einstellungen.Schrifthintergrund;
    const std::u16string schriftart = Einstellungen.Schriftart;
    StandardEinstellungenSetzen(Einstellungen, FExeFolder);
    FTabellen.SetAktTabFilename(Einstellungen.Tab1Filename);
    Einstellungen.Schrifthintergrund = hintergrund;
    Einstellungen.Schriftart = schriftart;
    SetEinhandS(Einstellungen.EinhandS);
    SetMaxZeilenbreite(Einstellungen.MaxZeilenbreite);
    // Before the file goes: the fresh file then holds no "Updater" section,
    // which reads back as every start.
    if (FUpdater) FUpdater->SetCheckMode(TUpdateCheckMode::ucmEveryStart);
    const std::u16string& filename = IniFilename();
    ClearFileAttributes(filename);
    DeleteFileW(WStr(filename));
    RegistryLadenSpeichern(false);
    Timer0StartTimer(true);
}

}  // namespace korvalin
