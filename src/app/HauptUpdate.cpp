// The main window and the update checker: creating it with the settings
// file as its storage, the start-up check, and the "&Updateprüfung" items.
#include "app/Haupt.h"

#include "settings/SettingsIni.h"

namespace korvalin {

namespace {
constexpr int kUpdateCheckGroup = 2;
}

void TForm1::CreateUpdater() {
    FUpdater = std::make_unique<TUpdater>(Handle(), u"Korvalin", u"", TUpdateCheckMode::ucmEveryStart);
    FUpdater->UseIniStorage(IniFilename());
    FUpdater->CheckForUpdatesAtStartup();
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
