// The settings file: its sections and keys, reading and writing the settings
// record through a profile, the repair of what was read, and where the file
// lives.
#pragma once

#include "settings/DatenC.h"

#include <functional>
#include <string>
#include <string_view>

namespace korvalin {

// Strings stored under a section and a key, as the system's profile functions
// keep them.
class TProfile {
public:
    virtual ~TProfile() = default;
    // The stored value, or Default when the key is missing.
    virtual std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                                      std::u16string_view def) = 0;
    // Throws EKorvalin when the value cannot be written.
    virtual void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) = 0;
};

// Integers are stored in decimal; a value that is not an integer reads as
// Default.
int ReadInteger(TProfile& profile, std::u16string_view section, std::u16string_view key, int def);
void WriteInteger(TProfile& profile, std::u16string_view section, std::u16string_view key, int value);
// Stored as "1" and "0"; any integer other than 0 reads as true.
bool ReadBool(TProfile& profile, std::u16string_view section, std::u16string_view key, bool def);
void WriteBool(TProfile& profile, std::u16string_view section, std::u16string_view key, bool value);

// The main window's state (0 normal, 1 minimised, 2 maximised) and size in
// pixels.
struct TWindowSettings {
    int WindowState = 2;
    int Height = -1;
    int Width = -1;
    bool operator==(const TWindowSettings&) const = default;
};

// The "MainForm" section as a load applies it: a state other than 0 and 2
// reads as 2 (maximised).
TWindowSettings ReadWindowSettings(TProfile& profile);
// A stored height or width is applied only when it is greater than 100.
inline bool WindowSizeApplies(int pixels) { return pixels > 100; }

// Reads the "Einstellungen", "Tabellen" and "Fonts" sections into Settings,
// which holds the defaults for the program folder ExeFolder; the default of
// each key is the value Settings holds. "TabFiles" orders Tabellen at once.
// Bare sound and table names are joined to the "Sounds\" and "Tabellen\"
// folders.
void ReadEinstellungen(TProfile& profile, TEinstellungen& settings, TTabellen& tabellen,
                       std::u16string_view exeFolder);

// Writes every key of the program's sections in the order of the file:
// sound and table files as bare names, the table order of Tabellen, the font
// lists in their stored form. A failing write throws; the keys before it stay
// written.
void WriteSettings(TProfile& profile, const TWindowSettings& window, const TEinstellungen& settings,
                   const TTabellen& tabellen);

// Whether a file exists; a fake in tests. Without one the 8-dot table file
// is not checked.
using TFileExists = std::function<bool(const std::u16string& filename)>;

// The repair after a load: trims the table list to its limit, fills in and
// completes the mode font lists, takes bold and italic off the braille modes,
// brings the background number, the user-interface font, the input
// announcement and the braille page into range, gives a font size that its
// dialog cannot set (5 to 35 for the user-interface font, 8 to 72 for the mode
// fonts) the default's size, and makes sure that the current table is a
// listed one and that the 8-dot table file exists. The current table of
// Tabellen becomes Tab1Filename.
void EinstellungenReparieren(TEinstellungen& settings, TTabellen& tabellen, std::u16string_view exeFolder,
                             const TFileExists& fileExists);

// The background number as the repair leaves it: outside 0 to 18 it becomes
// 1, 12 becomes 11 and 13 becomes 17.
int RepairedSchrifthintergrund(int number);

// The settings file of an executable: AppDataFolder (ending in a backslash,
// or empty) + the executable's name without extension + "\" + its name with
// the extension ".ini".
std::u16string SettingsFilename(std::u16string_view appDataFolder, std::u16string_view exeFilename);

}  // namespace korvalin
