// The main menu and the editor's context menu as one table: every caption,
// shortcut, separator and radio group, with the handler of each item.
#include "app/Haupt.h"

namespace korvalin {

namespace {

using TEntry = TForm1::TMenuEntry;
using TClick = void (TForm1::*)(const TEntry*);
using TOpen = void (TForm1::*)();

constexpr TEntry Entry(int level, const char* name, std::u16string_view caption, TShortCut shortCut = {},
                       TClick onClick = nullptr) {
    TEntry entry;
    entry.Level = level;
    entry.Name = name;
    entry.Caption = caption;
    entry.ShortCut = shortCut;
    entry.OnClick = onClick;
    return entry;
}

constexpr TEntry Menu(const char* name, std::u16string_view caption, TOpen onPopup = nullptr) {
    TEntry entry = Entry(0, name, caption);
    entry.OnPopup = onPopup;
    return entry;
}

constexpr TEntry Item(const char* name, std::u16string_view caption, TShortCut shortCut = {}, TClick onClick = nullptr) {
    return Entry(1, name, caption, shortCut, onClick);
}

constexpr TEntry Radio(int level, const char* name, std::u16string_view caption, TShortCut shortCut, TClick onClick,
                       int groupIndex, int tag) {
    TEntry entry = Entry(level, name, caption, shortCut, onClick);
    entry.GroupIndex = groupIndex;
    entry.Tag = tag;
    return entry;
}

constexpr TEntry SubItem(const char* name, std::u16string_view caption, TClick onClick, int tag) {
    TEntry entry = Entry(2, name, caption, {}, onClick);
    entry.Tag = tag;
    return entry;
}

constexpr TEntry PopupMenu(const char* name, TOpen onPopup) {
    TEntry entry = Menu(name, u"", onPopup);
    entry.Popup = true;
    return entry;
}

constexpr TEntry PopupItem(const char* name, std::u16string_view caption, TShortCut shortCut, TClick onClick,
                           const char* twin) {
    TEntry entry = Entry(1, name, caption, shortCut, onClick);
    entry.Twin = twin;
    return entry;
}

constexpr TEntry Separator() { return Entry(1, "", u"-"); }

constexpr int kModusGroup = 1, kUpdateCheckGroup = 2;

}  // namespace

std::span<const TForm1::TMenuEntry> TForm1::MenuEntries() {
    static const TEntry kEntries[] = {
        Menu("MenuDatei", u"&Datei", &TForm1::MenuDateiClick),
        Item("MenuDateiOeffnen", u"Ö&ffnen...", Ctrl('O'), &TForm1::MenuDateiOeffnenClick),
        Item("MenuDateiSpeichern", u"&Speichern", Ctrl('S'), &TForm1::MenuDateiSpeichernClick),
        Item("MenuDateiSpeichernUnter", u"Speichern &unter...", Ctrl('U'), &TForm1::MenuDateiSpeichernUnterClick),
        Item("MenuDateiBrfExport", u"&Als Braille-ASCII (BRF) exportieren...", {}, &TForm1::MenuDateiBrfExportClick),
        Item("MenuDateiPefExport", u"Als P&EF exportieren...", {}, &TForm1::MenuDateiPefExportClick),
        Separator(),
        Item("MenuDateiDrucken", u"&Drucken...", Ctrl('P'), &TForm1::MenuDateiDruckenClick),
        Item("MenuDateiPraegen", u"&Prägen...", {}, &TForm1::MenuDateiPraegenClick),
        Item("MenuDateiClose", u"S&chließen", FKey(4, ssCtrl), &TForm1::MenuDateiCloseClick),
        Separator(),
        Item("MenuDateiBeenden", u"&Beenden", FKey(4, ssAlt), &TForm1::MenuDateiBeendenClick),

        Menu("MenuBearbeiten", u"&Bearbeiten", &TForm1::MenuBearbeitenClick),
        Item("MenuBearbeitenRueckgaengig", u"&Rückgängig", Ctrl('Z'), &TForm1::MenuBearbeitenRueckgaengigClick),
        Item("MenuBearbeitenWiederholen", u"Wieder&holen", Ctrl('Y'), &TForm1::MenuBearbeitenWiederholenClick),
        Separator(),
        Item("MenuBearbeitenZeichenformat", u"&Zeichenformat...", Ctrl('T'), &TForm1::MenuBearbeitenZeichenformatClick),
        Separator(),
        Item("MenuBearbeitenSuchen", u"&Suchen...", Ctrl('F'), &TForm1::MenuBearbeitenSuchenClick),
        Item("MenuBearbeitenWeitersuchen", u"&Weitersuchen", FKey(3), &TForm1::MenuBearbeitenWeitersuchenClick),
        Separator(),
        Item("MenuBearbeitenAllesMarkieren", u"Alles &markieren", Ctrl('A'), &TForm1::MenuBearbeitenAllesMarkierenClick),
        Item("MenuBearbeitenKopieren", u"&Kopieren", Ctrl('C'), &TForm1::MenuBearbeitenKopierenClick),
        Item("MenuBearbeitenAusschneiden", u"&Ausschneiden", Ctrl('X'), &TForm1::MenuBearbeitenAusschneidenClick),
        Item("MenuBearbeitenEinfuegen", u"&Einfügen", Ctrl('V'), &TForm1::MenuBearbeitenEinfuegenClick),
        Item("MenuBearbeitenLoeschen", u"&Löschen", {}, &TForm1::MenuBearbeitenLoeschenClick),

        Menu("MenuModus", u"&Modus"),
        Radio(1, "MenuModusM0", u"&0: QWERTZ-Tastatur", Ctrl('0'), &TForm1::MenuModusM0_5Click, kModusGroup, 0),
        Radio(1, "MenuModusM1", u"&1: 8-Punkt-Braille mit Füllzeichen (Brl8+)", Ctrl('1'), &TForm1::MenuModusM0_5Click,
              kModusGroup, 1),
        Radio(1, "MenuModusM2", u"&2: 8-Punkt-Braille ohne Füllzeichen (Brl8-)", Ctrl('2'), &TForm1::MenuModusM0_5Click,
              kModusGroup, 2),
        Radio(1, "MenuModusM3", u"&3: 6-Punkt-Braille mit Füllzeichen (Brl6+)", Ctrl('3'), &TForm1::MenuModusM0_5Click,
              kModusGroup, 3),
        Radio(1, "MenuModusM4", u"&4: 6-Punkt-Braille ohne Füllzeichen (Brl6-)", Ctrl('4'), &TForm1::MenuModusM0_5Click,
              kModusGroup, 4),
        Radio(1, "MenuModusM5", u"&5: 8-Punkt-Braille zu Unicode-Zeichen (Brl8ToUnicode)", Ctrl('5'),
              &TForm1::MenuModusM0_5Click, kModusGroup, 5),
        Separator(),
        Item("MenuModusLautgruppe", u"&Zeichenkombination eingeben ein/aus", FKey(9), &TForm1::MenuModusLautgruppeClick),

        Menu("MenuTabellen", u"&Tabellen", &TForm1::MenuTabellenClick),

        Menu("MenuAns", u"&Ansicht"),
        Item("MenuAnsSchriftart", u"&Schrifteinstellungen...", {}, &TForm1::MenuAnsSchriftartClick),

        Menu("MenuEinstellungen", u"&Einstellungen", &TForm1::MenuEinstellungenClick),
        Item("MenuEinstModus", u"Modus-&Schrift"),
        SubItem("MenuEinstModusM0", u"Modus &0: QWERTZ-Tastatur...", &TForm1::MenuEinstModusM0_5Click, 0),
        SubItem("MenuEinstModusM1", u"Modus &1: 8-Punkt-Braille mit Füllzeichen (Brl8+)...",
                &TForm1::MenuEinstModusM0_5Click, 1),
        SubItem("MenuEinstModusM2", u"Modus &2: 8-Punkt-Braille ohne Füllzeichen (Brl8-)...",
                &TForm1::MenuEinstModusM0_5Click, 2),
        SubItem("MenuEinstModusM3", u"Modus &3: 6-Punkt-Braille mit Füllzeichen (Brl6+)...",
                &TForm1::MenuEinstModusM0_5Click, 3),
        SubItem("MenuEinstModusM4", u"Modus &4: 6-Punkt-Braille ohne Füllzeichen (Brl6-)...",
                &TForm1::MenuEinstModusM0_5Click, 4),
        SubItem("MenuEinstModusM5", u"Modus &5: 8-Punkt-Braille zu Unicode-Zeichen (Brl8ToUnicode)...",
                &TForm1::MenuEinstModusM0_5Click, 5),
        Item("MenuEinstMaxZeilenbreite", u"Maximale &Zeilenbreite...", {}, &TForm1::MenuEinstMaxZeilenbreiteClick),
        Item("MenuEinstBrailleSeite", u"Braille-Seiten&format...", {}, &TForm1::MenuEinstBrailleSeiteClick),
        Item("MenuEinstDatenbank", u"&Datenbank für Modus 5...", Ctrl('D'), &TForm1::MenuEinstDatenbankClick),
        Item("MenuEinstEinhand", u"&Einhandeingabe ein/aus", FKey(2), &TForm1::MenuEinstEinhandClick),
        Item("MenuEinstEingabeAnsagen", u"Eingabe &ansagen"),
        Radio(2, "MenuEinstEingabeAnsagenAus", u"&Aus", {}, &TForm1::MenuEinstEingabeAnsagenClick,
              kEingabeAnsagenGroup, 0),
        Radio(2, "MenuEinstEingabeAnsagenZeichen", u"&Zeichen", {}, &TForm1::MenuEinstEingabeAnsagenClick,
              kEingabeAnsagenGroup, 1),
        Radio(2, "MenuEinstEingabeAnsagenWoerter", u"&Wörter", {}, &TForm1::MenuEinstEingabeAnsagenClick,
              kEingabeAnsagenGroup, 2),
        Radio(2, "MenuEinstEingabeAnsagenZeichenUndWoerter", u"Zeichen &und Wörter", {},
              &TForm1::MenuEinstEingabeAnsagenClick, kEingabeAnsagenGroup, 3),
        Item("MenuEinstSoundS", u"S&ounds wiedergeben", {}, &TForm1::MenuEinstSoundSClick),
        Item("MenuEinstUpdateCheck", u"&Updateprüfung"),
        Radio(2, "MenuEinstUpdateCheckEveryStart", u"Bei &jedem Programmstart", {}, &TForm1::MenuEinstUpdateCheckModeClick, kUpdateCheckGroup, 0),
        Radio(2, "MenuEinstUpdateCheckDaily", u"Einmal &täglich", {}, &TForm1::MenuEinstUpdateCheckModeClick, kUpdateCheckGroup, 1),
        Radio(2, "MenuEinstUpdateCheckWeekly", u"Einmal &wöchentlich", {}, &TForm1::MenuEinstUpdateCheckModeClick, kUpdateCheckGroup, 2),
        Radio(2, "MenuEinstUpdateCheckManualOnly", u"&Keine automatische Prüfung", {}, &TForm1::MenuEinstUpdateCheckModeClick, kUpdateCheckGroup, 3),
        Separator(),
        Item("MenuEinstStandard", u"Standardeinstellungen &wiederherstellen", {}, &TForm1::MenuEinstStandardClick),

        Menu("MenuHilfe", u"&Hilfe", &TForm1::MenuHilfeClick),
        Item("MenuHilfeHilfe", u"&Hilfe...", FKey(1), &TForm1::MenuHilfeHilfeClick),
        Item("MenuHilfeKurztasten", u"&Kurztasten...", {}, &TForm1::MenuHilfeKurztastenClick),
        Item("MenuHilfeTastaturtest", u"&Tastaturtest...", {}, &TForm1::MenuHilfeTastaturtestClick),
        Item("MenuHilfeHistory", u"&Änderungen...", {}, &TForm1::MenuHilfeHistoryClick),
        Item("MenuHilfeMail", u"&Mail an den Programmierer...", {}, &TForm1::MenuHilfeMailClick),
        Item("MenuHilfeHomepage", u"Home&page...", {}, &TForm1::MenuHilfeHomepageClick),
        Item("MenuHilfeSpenden", u"&Spenden...", {}, &TForm1::MenuHilfeSpendenClick),
        Item("MenuHilfeUpdate", u"&Aktualisierung...", {}, &TForm1::MenuHilfeUpdateClick),
        Item("MenuHilfeInfo", u"&Info", {}, &TForm1::MenuHilfeInfoClick),

        PopupMenu("PopupMenu1", &TForm1::MenuBearbeitenClick),
        PopupItem("Pu1Rueckgaengig", u"&Rückgängig", Ctrl('Z'), &TForm1::MenuBearbeitenRueckgaengigClick,
                  "MenuBearbeitenRueckgaengig"),
        PopupItem("Pu1Wiederholen", u"Wieder&holen", Ctrl('Y'), &TForm1::MenuBearbeitenWiederholenClick,
                  "MenuBearbeitenWiederholen"),
        Separator(),
        PopupItem("Pu1Zeichenformat", u"&Zeichenformat...", {}, &TForm1::MenuBearbeitenZeichenformatClick,
                  "MenuBearbeitenZeichenformat"),
        PopupItem("Pu1AllesMarkieren", u"Alles &markieren", Ctrl('A'), &TForm1::MenuBearbeitenAllesMarkierenClick,
                  "MenuBearbeitenAllesMarkieren"),
        PopupItem("Pu1Kopieren", u"&Kopieren", Ctrl('C'), &TForm1::MenuBearbeitenKopierenClick, "MenuBearbeitenKopieren"),
        PopupItem("Pu1Ausschneiden", u"&Ausschneiden", Ctrl('X'), &TForm1::MenuBearbeitenAusschneidenClick,
                  "MenuBearbeitenAusschneiden"),
        PopupItem("Pu1Einfuegen", u"&Einfügen", Ctrl('V'), &TForm1::MenuBearbeitenEinfuegenClick,
                  "MenuBearbeitenEinfuegen"),
        PopupItem("Pu1Loeschen", u"&Löschen", {}, &TForm1::MenuBearbeitenLoeschenClick, "MenuBearbeitenLoeschen"),
    };
    return kEntries;
}

}  // namespace korvalin
