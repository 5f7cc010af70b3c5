// The input modes and every text the program shows, in one place.
#pragma once

#include <string_view>

namespace korvalin {

enum class TModus { M0, M1, M2, M3, M4, M5 };

namespace texts {

inline constexpr std::u16string_view ProgramTitle = u"Korvalin V1.21";
inline constexpr std::u16string_view NewDocumentName = u"Dokument";
inline constexpr std::u16string_view CaptionFormat = u"%s - %s";

inline constexpr std::u16string_view TableFileMissing = u"Die Tabellen-Datei \"%s\" existiert nicht!";
inline constexpr std::u16string_view TableFileLoadError = u"Fehler beim Laden der Tabellen-Datei \"%s\"!";
inline constexpr std::u16string_view FileTextTypeUnknown = u"FileTextType konnte nicht ermittelt werden.";
inline constexpr std::u16string_view AnsiUnreadable = u"Der Text passt nicht zur ANSI-Codepage des Systems.";
inline constexpr std::u16string_view RtfUnreadable = u"Die RTF-Datei konnte nicht gelesen werden.";
inline constexpr std::u16string_view NeitherUtf8NorAnsi = u"Datei konnte weder als UTF-8 noch als ANSI gelesen werden: ";

inline constexpr std::u16string_view HookActivationFailed =
    u"Die Braille-Tastatureingabe konnte nicht aktiviert werden!\r\n%s";
inline constexpr std::u16string_view HookCreationFailed = u" CREATION FAILED!";
inline constexpr std::u16string_view HookCreationFailedOs = u"%s CREATION FAILED! Windows-Fehler %d: %s";
inline constexpr std::u16string_view FileOpenFailed = u"Die Datei \"%s\" konnte nicht geöffnet werden!\r\n%s";
inline constexpr std::u16string_view FileSaveFailed = u"Die Datei \"%s\" konnte nicht gespeichert werden!\r\n%s";
inline constexpr std::u16string_view SavedContentKeptIn = u"Der neue Inhalt steht in der Datei \"%s\".";
inline constexpr std::u16string_view SaveChangesIn = u"Änderungen in \"%s\" speichern?";
inline constexpr std::u16string_view SaveChangesInNew = u"Änderungen im %s speichern?";
inline constexpr std::u16string_view ShutdownBlockReason = u"Ungespeicherte Änderungen in \"%s\"";
inline constexpr std::u16string_view NewDocumentFile = u"Dokument.RTF";
inline constexpr std::u16string_view OpenFilter =
    u"Rich Text Format (*.RTF)|*.RTF|Braille-ASCII (*.brf)|*.brf|PEF (*.pef)|*.pef|Alle Dateien (*.*)|*.*|";
// In the order of TDokumentArt.
inline constexpr std::u16string_view SaveFilter =
    u"Rich Text Format (*.RTF)|*.RTF|Braille-ASCII (*.brf)|*.brf|PEF (*.pef)|*.pef|";
inline constexpr std::u16string_view DocumentExt = u"RTF";
inline constexpr std::u16string_view BrfFilter = u"Braille-ASCII (*.brf)|*.brf|";
inline constexpr std::u16string_view PefFilter = u"PEF (*.pef)|*.pef|";
inline constexpr std::u16string_view SuchstringNichtGefunden = u"Der Suchstring wurde nicht gefunden!";
inline constexpr std::u16string_view KeinWeitererSuchstring = u"Keinen weiteren Suchstring gefunden!";
inline constexpr std::u16string_view NoPrinter = u"Es ist kein Drucker installiert!";
inline constexpr std::u16string_view PrintJob = u"Drucke %s";
inline constexpr std::u16string_view PrintNoProgress =
    u"Das Dokument kann nicht gedruckt werden: der Text nach Seite %d passt auf keine Seite.";
inline constexpr std::u16string_view EmbossJob = u"Präge %s";
inline constexpr std::u16string_view EmbossFailed =
    u"Die Braille-Schrift konnte nicht an den Drucker \"%s\" gesendet werden!\r\n%s";
inline constexpr std::u16string_view UnexpectedError = u"Der Befehl konnte nicht ausgeführt werden.\r\n%s";
inline constexpr std::u16string_view SettingsLoadError = u"Fehler beim Laden der INI-Datei!\r\n";
inline constexpr std::u16string_view SettingsSaveError = u"Fehler beim Speichern der INI-Datei!\r\n";
inline constexpr std::u16string_view RestoreDefaultsQuestion =
    u"Sollen die Standardeinstellungen wiederhergestellt werden?";
inline constexpr std::u16string_view HookSlotsExhausted = u"Es können keine weiteren Tastatur-Hooks angelegt werden.";

// The keyboard check ("Tastaturtest").
inline constexpr std::u16string_view KeyCheckCaption = u"Tastaturtest";
inline constexpr std::u16string_view KeyCheckInstruction =
    u"Halten Sie die Punkttasten F, D, S, J, K, L, A und Ö gleichzeitig gedrückt: erst F, D, S, J, K und L für "
    u"6-Punkt-Zeichen, dann alle acht für 8-Punkt-Zeichen.";
inline constexpr std::u16string_view KeyCheckField = u"&Punkttasten:";
inline constexpr std::u16string_view KeyCheckFieldSpoken = u"Punkttasten gleichzeitig gedrückt halten";
inline constexpr std::u16string_view KeyCheckClose = u"S&chließen";
inline constexpr std::u16string_view KeyCheckDown = u"Gedrückt: Punkte %s";
inline constexpr std::u16string_view KeyCheckNoneDown = u"Gedrückt: keine";
inline constexpr std::u16string_view KeyCheckMostHeld = u"Höchstens zugleich: %d von 8";
inline constexpr std::u16string_view KeyCheckNothingYet = u"Noch keine Punkttaste gedrückt.";
inline constexpr std::u16string_view KeyCheckEightDots = u"Diese Tastatur kann 6-Punkt- und 8-Punkt-Zeichen schreiben.";
inline constexpr std::u16string_view KeyCheckSixDotsOnly =
    u"Diese Tastatur kann 6-Punkt-Zeichen schreiben, 8-Punkt-Zeichen bisher nicht.";
inline constexpr std::u16string_view KeyCheckNoFullChord =
    u"Diese Tastatur kann bisher weder 6-Punkt- noch 8-Punkt-Zeichen schreiben.";
inline constexpr std::u16string_view KeyCheckOneHand = u" Die Einhandeingabe (F2) geht mit jeder Tastatur.";
inline constexpr std::u16string_view KeyCheckAttempt = u"%d zugleich. %s";

inline constexpr std::u16string_view BrailleUnconvertible =
    u"Diese Zeichen stehen in keiner Tabelle und lassen sich nicht in Braillezellen umwandeln:";
inline constexpr std::u16string_view BrailleEightDots =
    u"Braille-ASCII (BRF) kennt nur 6-Punkt-Zellen. Zellen mit Punkt 7 oder 8 stehen hier:";
inline constexpr std::u16string_view BraillePlaceChar = u"Zeile %d, Spalte %d: \"%s\" (U+%s)";
inline constexpr std::u16string_view BraillePlace = u"Zeile %d, Spalte %d";
inline constexpr std::u16string_view BrailleMorePlaces = u"und %d weitere Stellen";
inline constexpr std::u16string_view BrailleNothingWritten = u"Es wurde nichts geschrieben.";
inline constexpr std::u16string_view BrfCellWithoutChar =
    u"Die Zelle mit den Punkten %s hat in Standard.tab kein Braille-ASCII-Zeichen.";
inline constexpr std::u16string_view BrfByteNoBrailleAscii =
    u"Zeile %d, Spalte %d: Das Byte %d ist kein Braille-ASCII.";
inline constexpr std::u16string_view PefNotXml = u"Die PEF-Datei ist in Zeile %d kein gültiges XML.";
inline constexpr std::u16string_view PefNotUtf8 = u"Die PEF-Datei ist kein gültiges UTF-8.";
inline constexpr std::u16string_view PefNoPefRoot =
    u"Die Datei ist kein PEF-Dokument: Ihr Wurzelelement ist nicht \"pef\" im Namensraum "
    u"http://www.daisy.org/ns/2008/pef.";
inline constexpr std::u16string_view PefRowNotBraille =
    u"Die PEF-Datei enthält in Zeile %d eine Braillezeile mit anderen Zeichen als Braillezellen.";
inline constexpr std::u16string_view PefNoPage = u"Die PEF-Datei enthält keine Seite.";
// What the screen reader is told about input.
inline constexpr std::u16string_view AnsagePunkt = u"Punkt";
inline constexpr std::u16string_view AnsagePunkte = u"Punkte";
inline constexpr std::u16string_view AnsageLeer = u"leer";
inline constexpr std::u16string_view AnsageLeerzeichen = u"Leerzeichen";
inline constexpr std::u16string_view AnsageTabulator = u"Tabulator";
inline constexpr std::u16string_view AnsageZeilenumbruch = u"Zeilenumbruch";
inline constexpr std::u16string_view AnsageModus[] = {
    u"Modus 0: QWERTZ-Tastatur",
    u"Modus 1: 8-Punkt-Braille mit Füllzeichen",
    u"Modus 2: 8-Punkt-Braille ohne Füllzeichen",
    u"Modus 3: 6-Punkt-Braille mit Füllzeichen",
    u"Modus 4: 6-Punkt-Braille ohne Füllzeichen",
    u"Modus 5: 8-Punkt-Braille zu Unicode-Zeichen",
};
inline constexpr std::u16string_view AnsageLautgruppeEin = u"Zeichenkombination ein";
inline constexpr std::u16string_view AnsageLautgruppeAus = u"Zeichenkombination aus";
inline constexpr std::u16string_view AnsageEinhandEin = u"Einhandeingabe ein";
inline constexpr std::u16string_view AnsageEinhandAus = u"Einhandeingabe aus";
inline constexpr std::u16string_view AnsageTabelle = u"Tabelle %d: %s";
inline constexpr std::u16string_view AnsageZeilenbreite = u"Zeile voll, höchstens %d Zeichen";

}  // namespace texts
}  // namespace korvalin
