// The main window and the screen reader: what is typed is spoken, and the
// setting "Eingabe ansagen" in the menu.
#include "app/Haupt.h"

#include "util/Win32Text.h"

#include <algorithm>

namespace korvalin {

namespace {
constexpr int kTextVorCaretLength = 100;  // enough for the word in front of the caret
}

void TForm1::Ansage(const std::u16string& text) {
    if (!text.empty()) FTolk.Output(text, true);
}

std::u16string TForm1::TextVorCaret() const {
    const int end = RichEdit1.SelStart();
    const int start = std::max(0, end - kTextVorCaretLength);
    std::wstring buffer(size_t(end - start) + 1, L'\0');
    TEXTRANGEW range{{start, end}, buffer.data()};
    const LRESULT copied = RichEdit1.Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    return U16(buffer.data(), size_t(std::clamp<LRESULT>(copied, 0, end - start)));
}

void TForm1::MenuEinstEingabeAnsagenClick(const TMenuEntry* Sender) {
    if (!Sender || Sender->Tag < 0 || Sender->Tag >= kEingabeAnsagenCount) return;
    Einstellungen.EingabeAnsagen = TEingabeAnsagen(Sender->Tag);
    UpdateEingabeAnsagenMenu();
    RegistryLadenSpeichern(false);
}

void TForm1::UpdateEingabeAnsagenMenu() { CheckRadioItem(kEingabeAnsagenGroup, int(Einstellungen.EingabeAnsagen)); }

}  // namespace korvalin
