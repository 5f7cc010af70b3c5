// The main window and the update checker: creating it with the settings
// file as its storage, the start-up check and question, the hand-over to the
// updater, and the "&Updateprüfung" items.
#include "app/Haupt.h"

#include "app/Hilfe.h"
#include "settings/SettingsIni.h"
#include "tables/SystemCodecs.h"
#include "util/Errors.h"
#include "util/LxShell.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

namespace korvalin {

namespace {
constexpr int kUpdateCheckGroup = 2;
}

void TForm1::CreateUpdater() {
    FUpdater = std::make_unique<TUpdater>(Handle(), texts::UpdaterFolder, u"", TUpdateCheckMode::ucmEveryStart);
    FUpdater->UseIniStorage(IniFilename());
    FUpdater->ConfigureNotification(WM_UPDATECHECKED, 0, 0);
    FUpdater->CheckForUpdatesAtStartup();
}

bool TForm1::StartupUpdatePrompt() {
    if (!FUpdater) return false;
    FUpdater->WaitFor();
    MenuHilfeClick();
    if (FUpdater->Status() != TUpdateType::utUpgrade) return false;
    const std::u16string question = UpdatePromptText(FUpdater->CurrentVersion(), FUpdater->NewVersion());
    if (MessageDlg(question, MB_ICONQUESTION | MB_YESNO) != IDYES) return false;
    if (!MenuItemEnabled("MenuHilfeUpdate")) {
        MessageDlg(std::u16string(texts::UpdaterMissing), MB_ICONERROR | MB_OK);
        return false;
    }
    // Without its hand-over file, or when it does not start (a refused
    // elevation, say), the updater cannot run: the program then stays open
    // rather than end for nothing.
    if (!WriteUpdaterHandOver()) return false;
    if (DWORD error = 0; !LaunchUpdater(&error)) {
        MessageDlg(Format(texts::UpdaterStartFailed, {SysErrorMessage(error)}), MB_ICONERROR | MB_OK);
        return false;
    }
    MenuDateiBeendenClick(nullptr);  // the save question comes first
    return true;
}

bool TForm1::WriteUpdaterHandOver() {
    const std::u16string folder = GetTempFolder();
    const std::u16string path = std::u16string(folder).append(texts::UpdaterHandOverFile);
    try {
        // a hand-over file in whatever folder is current would never be found
        if (folder.empty()) throw EKorvalin(u"Kein Ordner für temporäre Dateien");
        const std::u16string text = UpdaterHandOverText(WindowCaption(Handle()), ExeFilename(), Einstellungen.Schriftart);
        ClearFileAttributes(path);  // a read-only copy is replaced too
        SaveTextFile(path, text, fttAnsi);
    } catch (const std::exception&) {
        MessageDlg(Format(texts::UpdateHandOverFailed, {path}), MB_ICONERROR | MB_OK);
        return false;
    }
    return true;
}

// The program does not wait for the updater.
bool TForm1::LaunchUpdater(DWORD* error) {
    return ShellStart(Handle(), std::u16string(FExeFolder).append(texts::UpdaterProgram), texts::UpdaterHandOverFile,
                      SW_SHOWNORMAL, u"open", u"", error);
}

// From the menu the program runs on, and a failed start is not reported.
void TForm1::MenuHilfeUpdateClick(const TMenuEntry*) {
    if (WriteUpdaterHandOver()) LaunchUpdater();
}

void TForm1::MenuEinstUpdateCheckModeClick(const TMenuEntry* Sender) {
    if (!Sender || !FUpdater || Sender->Tag < 0 || Sender->Tag > 3) return;
    FUpdater->SetCheckMode(TUpdateCheckMode(Sender->Tag));
    UpdateCheckModeMenu();
}

void TForm1::UpdateCheckModeMenu() {
    if (FUpdater) CheckRadioItem(kUpdateCheckGroup, int(FUpdater->CheckMode()));
}

}  // namespace korvalin
