// The help menu's fixed texts and targets, the information box, and the
// hand-over file and start-up question of an update.
#pragma once

#include "update/LxUpdaterC.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

namespace texts {

inline constexpr std::u16string_view HelpFile = u"Korvalin-Hilfe.txt";
inline constexpr std::u16string_view ShortCutsFile = u"Kurztasten.txt";
inline constexpr std::u16string_view HistoryFile = u"History.txt";
inline constexpr std::u16string_view UpdaterProgram = u"Nevaril.exe";
inline constexpr std::u16string_view UpdaterHandOverFile = u"Korvalin.cfg";
// The product's folder on the update server.
inline constexpr std::u16string_view UpdaterFolder = u"Korvalin";

inline constexpr std::u16string_view HomepageUrl = u"https://www.korvalin.de/";
inline constexpr std::u16string_view DonationUrl = u"https://www.korvalin.de/spenden.htm";
inline constexpr std::u16string_view MailUrl = u"mailto:info@korvalin.de?subject=Korvalin V1.21";

inline constexpr std::u16string_view UpdateAvailable = u"Es ist ein Update verfügbar!\r\nInstalliert: ";
inline constexpr std::u16string_view UpdateAvailableNew = u"Verfügbar: ";
inline constexpr std::u16string_view UpdateQuestion = u"Soll Korvalin jetzt aktualisiert werden?";
inline constexpr std::u16string_view UpdaterMissing =
    u"Das Update wurde erkannt, aber Nevaril.exe wurde im Programmordner nicht gefunden.";
inline constexpr std::u16string_view UpdaterStartFailed =
    u"Nevaril.exe konnte nicht gestartet werden, Korvalin wurde nicht aktualisiert.\r\n%s";
inline constexpr std::u16string_view UpdateHandOverFailed =
    u"Es ist ein Fehler beim Aktualisieren aufgetreten!\r\nDie Datei \"%s\" konnte nicht gespeichert werden.";

}  // namespace texts

// The fourteen lines of the information box.
const std::vector<std::u16string_view>& InfoLines();
// The lines joined by CR LF.
std::u16string InfoText();

// The five lines for the updater, each ended by CR LF: the program title,
// the window caption, the executable's path, the server folder and
// "%d %s" with the size and name of the font that FontSpec describes.
std::u16string UpdaterHandOverText(std::u16string_view caption, std::u16string_view exePath,
                                   std::u16string_view fontSpec);

// The start-up question for a newer version on the server.
std::u16string UpdatePromptText(const TVersion& installed, const TVersion& available);

}  // namespace korvalin
