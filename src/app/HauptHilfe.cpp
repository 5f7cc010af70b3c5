// The main window's help menu: the three text documents beside the program,
// the web and mail targets, and the information box.
#include "app/Haupt.h"

#include "app/Hilfe.h"
#include "input/TastaturtestDlgC.h"
#include "tables/TextFile.h"
#include "util/LxShell.h"

namespace korvalin {

namespace {

void OpenInShell(HWND owner, std::u16string_view target) {
    ShellStart(owner, target, u"", SW_SHOWNORMAL, u"open", u"");  // a missing program is not reported
}

}  // namespace

void TForm1::MenuHilfeClick() {
    const auto besideProgram = [this](std::u16string_view name) {
        return FileExists(std::u16string(FExeFolder).append(name));
    };
    SetMenuItemEnabledS("MenuHilfeHistory", besideProgram(texts::HistoryFile));
    SetMenuItemEnabledS("MenuHilfeHilfe", besideProgram(texts::HelpFile));
    SetMenuItemEnabledS("MenuHilfeUpdate", besideProgram(texts::UpdaterProgram));
    SetMenuItemEnabledS("MenuHilfeKurztasten", besideProgram(texts::ShortCutsFile));
}

// A file that vanished since the menu was opened does nothing.
void TForm1::MenuHilfeHilfeClick(const TMenuEntry*) { ShowTextFile(std::u16string(FExeFolder).append(texts::HelpFile)); }

void TForm1::MenuHilfeKurztastenClick(const TMenuEntry*) {
    ShowTextFile(std::u16string(FExeFolder).append(texts::ShortCutsFile));
}

void TForm1::MenuHilfeTastaturtestClick(const TMenuEntry*) {
    ModalDialog([this] {
        TTastaturtestDlg dialog(Handle(), Tolk());
        dialog.ShowModal();
    });
}

void TForm1::MenuHilfeHistoryClick(const TMenuEntry*) {
    ShowTextFile(std::u16string(FExeFolder).append(texts::HistoryFile));
}

void TForm1::MenuHilfeMailClick(const TMenuEntry*) { OpenInShell(Handle(), texts::MailUrl); }
void TForm1::MenuHilfeHomepageClick(const TMenuEntry*) { OpenInShell(Handle(), texts::HomepageUrl); }
void TForm1::MenuHilfeSpendenClick(const TMenuEntry*) { OpenInShell(Handle(), texts::DonationUrl); }

void TForm1::MenuHilfeInfoClick(const TMenuEntry*) { MessageDlg(InfoText(), MB_ICONINFORMATION | MB_OK); }

}  // namespace korvalin
