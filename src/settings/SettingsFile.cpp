#include "settings/SettingsFile.h"

#include "appearance/FontSpec.h"
#include "appearance/LxBackFontColors.h"
#include "appearance/ModeFonts.h"
#include "appearance/ModusSchrift.h"
#include "input/Translation.h"
#include "settings/BrailleSeite.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

namespace {

constexpr std::u16string_view kMainForm = u"MainForm";
constexpr std::u16string_view kEinstellungen = u"Einstellungen";
constexpr std::u16string_view kTabellen = u"Tabellen";
constexpr std::u16string_view kFonts = u"Fonts";
constexpr std::u16string_view kBraille = u"Braille";

constexpr int kModeCount = 6;
constexpr size_t kModeOneFontCount = 4;
constexpr int kHighestBackground = 18;

// A sound field and the key that stores it, in the order a save writes them.
struct TSoundKey {
    std::u16string_view Key;
    std::u16string TEinstellungen::*Field;
};
constexpr TSoundKey kSoundKeys[] = {
    {u"SoundTippenFilename", &TEinstellungen::SoundTippenFilename},
    {u"SoundModusFilename", &TEinstellungen::SoundModusFilename},
    {u"SoundFalschFilename", &TEinstellungen::SoundFalschFilename},
    {u"SoundZeichenabschlussFilename", &TEinstellungen::SoundZeichenabschlussFilename},
    {u"SoundEinhandFilename", &TEinstellungen::SoundEinhandFilename},
    {u"SoundZeichenkombinationFilename", &TEinstellungen::SoundLautgruppeFilename},
    {u"SoundNeueTabelleFilename", &TEinstellungen::SoundNeueTabelleFilename},
};

std::u16string FontKey(int mode, std::u16string_view kind) {
    std::u16string key(u"Font");
    key.append(IntToStr(mode)).append(kind);
    return key;
}

std::u16string Joined(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    return path.append(name);
}

// Reads a bare file name and joins it to Folder; the default is the bare
// name of what Field holds.
void ReadFilename(TProfile& profile, std::u16string_view section, std::u16string_view key, std::u16string& field,
                  std::u16string_view folder) {
    field = Joined(folder, profile.ReadString(section, key, BareFilename(field)));
}

size_t TokenCount(std::u16string_view text) { return Tokens(text).size(); }

int DefaultSize(std::u16string_view defaultSpec) {
    TFontValue font;
    AssignFontSpec(&font, defaultSpec);
    return font.Size;
}

}  // namespace

int ReadInteger(TProfile& profile, std::u16string_view section, std::u16string_view key, int def) {
    std::int32_t value = 0;
    return TryStrToInt(Trim(profile.ReadString(section, key, IntToStr(def))), value) ? int(value) : def;
}

void WriteInteger(TProfile& profile, std::u16string_view section, std::u16string_view key, int value) {
    profile.WriteString(section, key, IntToStr(value));
}

bool ReadBool(TProfile& profile, std::u16string_view section, std::u16string_view key, bool def) {
    return ReadInteger(profile, section, key, def ? 1 : 0) != 0;
}

void WriteBool(TProfile& profile, std::u16string_view section, std::u16string_view key, bool value) {
    profile.WriteString(section, key, value ? u"1" : u"0");
}

TWindowSettings ReadWindowSettings(TProfile& profile) {
    TWindowSettings window;
    const int state = ReadInteger(profile, kMainForm, u"WindowState", 2);
    window.WindowState = state == 0 ? 0 : 2;
    window.Height = ReadInteger(profile, kMainForm, u"Height", -1);
    window.Width = ReadInteger(profile, kMainForm, u"Width", -1);
    return window;
}

void ReadEinstellungen(TProfile& profile, TEinstellungen& settings, TTabellen& tabellen,
                       std::u16string_view exeFolder) {
    const std::u16string sounds = Joined(exeFolder, u"Sounds\\"), tables = Joined(exeFolder, u"Tabellen\\");
    settings.Schrifthintergrund =
        ReadInteger(profile, kEinstellungen, u"Schrifthintergrund", settings.Schrifthintergrund);
    settings.Schriftart = profile.ReadString(kEinstellungen, u"Schriftart", settings.Schriftart);
    settings.MaxZeilenbreite = ReadInteger(profile, kEinstellungen, u"MaxZeilenbreite", settings.MaxZeilenbreite);
    settings.SoundS = ReadBool(profile, kEinstellungen, u"SoundEin", settings.SoundS);
    settings.EinhandS = ReadBool(profile, kEinstellungen, u"EinhandEin", settings.EinhandS);
    settings.EingabeAnsagen = TEingabeAnsagen(
        ReadInteger(profile, kEinstellungen, u"EingabeAnsagen", int(settings.EingabeAnsagen)));
    for (const TSoundKey& sound : kSoundKeys)
        ReadFilename(profile, kEinstellungen, sound.Key, settings.*sound.Field, sounds);
    tabellen.SetFilesString(profile.ReadString(kTabellen, u"TabFiles", u"Standard.tab"));
    ReadFilename(profile, kTabellen, u"Tab1Filename", settings.Tab1Filename, tables);
    ReadFilename(profile, kTabellen, u"Tab2Filename", settings.Tab2Filename, tables);
    for (int mode = 0; mode < kModeCount; ++mode) {
        const TModeFontStrings defaults = ModeFontsToStrings(settings.Fonts, mode);
        const std::u16string spec = profile.ReadString(kFonts, FontKey(mode, u"Settings"), defaults.Spec);
        const std::u16string files = profile.ReadString(kFonts, FontKey(mode, u"Filename"), defaults.Files);
        SetModeFonts(settings.Fonts, mode, exeFolder, files, spec);
    }
    settings.BrailleZeichenProZeile =
        ReadInteger(profile, kBraille, u"ZeichenProZeile", settings.BrailleZeichenProZeile);
    settings.BrailleZeilenProSeite = ReadInteger(profile, kBraille, u"ZeilenProSeite", settings.BrailleZeilenProSeite);
}

void WriteSettings(TProfile& profile, const TWindowSettings& window, const TEinstellungen& settings,
                   const TTabellen& tabellen) {
    WriteInteger(profile, kMainForm, u"WindowState", window.WindowState);
    WriteInteger(profile, kMainForm, u"Height", window.Height);
    WriteInteger(profile, kMainForm, u"Width", window.Width);
    WriteInteger(profile, kEinstellungen, u"Schrifthintergrund", settings.Schrifthintergrund);
    profile.WriteString(kEinstellungen, u"Schriftart", settings.Schriftart);
    WriteInteger(profile, kEinstellungen, u"MaxZeilenbreite", settings.MaxZeilenbreite);
    WriteBool(profile, kEinstellungen, u"EinhandEin", settings.EinhandS);
    WriteBool(profile, kEinstellungen, u"SoundEin", settings.SoundS);
    WriteInteger(profile, kEinstellungen, u"EingabeAnsagen", int(settings.EingabeAnsagen));
    for (const TSoundKey& sound : kSoundKeys)
        profile.WriteString(kEinstellungen, sound.Key, BareFilename(settings.*sound.Field));
    profile.WriteString(kTabellen, u"TabFiles", tabellen.GetFilesString());
    profile.WriteString(kTabellen, u"Tab1Filename", BareFilename(settings.Tab1Filename));
    profile.WriteString(kTabellen, u"Tab2Filename", BareFilename(settings.Tab2Filename));
    for (int mode = 0; mode < kModeCount; ++mode) {
        const TModeFontStrings stored = ModeFontsToStrings(settings.Fonts, mode);
        profile.WriteString(kFonts, FontKey(mode, u"Filename"), stored.Files);
        profile.WriteString(kFonts, FontKey(mode, u"Settings"), stored.Spec);
    }
    WriteInteger(profile, kBraille, u"ZeichenProZeile", settings.BrailleZeichenProZeile);
    WriteInteger(profile, kBraille, u"ZeilenProSeite", settings.BrailleZeilenProSeite);
}

int RepairedSchrifthintergrund(int number) {
    if (number < 0 || number > kHighestBackground) return 1;
    if (number == 12) return 11;
    if (number == 13) return 17;
    return number;
}

void EinstellungenReparieren(TEinstellungen& settings, TTabellen& tabellen, std::u16string_view exeFolder,
                             const TFileExists& fileExists) {
    TEinstellungen defaults;
    StandardEinstellungenSetzen(defaults, exeFolder);

    tabellen.SetFilesString(tabellen.GetFilesString());

    for (int mode = 0; mode < kModeCount; ++mode) {
        std::vector<TFontEntry>& list = settings.Fonts[size_t(mode)];
        const std::vector<TFontEntry>& standard = defaults.Fonts[size_t(mode)];
        if (list.empty() || (mode == 1 && list.size() < kModeOneFontCount)) {
            list = standard;
            continue;
        }
        for (size_t i = 0; i < list.size(); ++i) {
            const TFontEntry& fallback = standard[i < standard.size() ? i : 0];
            if (list[i].Filename.empty()) list[i].Filename = fallback.Filename;
            if (TokenCount(list[i].Settings) < 5) list[i].Settings = fallback.Settings;
        }
    }

    // Sizes that the font dialogs cannot set take the size of the default.
    for (int mode = 0; mode < kModeCount; ++mode) {
        std::vector<TFontEntry>& list = settings.Fonts[size_t(mode)];
        const std::vector<TFontEntry>& standard = defaults.Fonts[size_t(mode)];
        for (size_t i = 0; i < list.size(); ++i)
            list[i].Settings = FontSpecSizeInRange(list[i].Settings, kSchriftGroesseMin, kSchriftGroesseMax,
                                                   DefaultSize(standard[i < standard.size() ? i : 0].Settings));
    }

    for (const int mode : {1, 3, 4}) {
        for (TFontEntry& entry : settings.Fonts[size_t(mode)]) {
            TFontValue font;
            AssignFontSpec(&font, entry.Settings);
            font.Bold = font.Italic = false;
            entry.Settings = FontToSpec(font);
        }
    }

    settings.Schrifthintergrund = RepairedSchrifthintergrund(settings.Schrifthintergrund);
    if (TokenCount(settings.Schriftart) < 5) settings.Schriftart = defaults.Schriftart;
    settings.Schriftart =
        FontSpecSizeInRange(settings.Schriftart, kFontSizeMin, kFontSizeMax, DefaultSize(defaults.Schriftart));
    if (int(settings.EingabeAnsagen) < 0 || int(settings.EingabeAnsagen) >= kEingabeAnsagenCount)
        settings.EingabeAnsagen = defaults.EingabeAnsagen;
    settings.BrailleZeichenProZeile = RepairedBrailleSeitenZahl(settings.BrailleZeichenProZeile);
    settings.BrailleZeilenProSeite = RepairedBrailleSeitenZahl(settings.BrailleZeilenProSeite);

    if (!tabellen.TabByFilename(settings.Tab1Filename)) {
        settings.Tab1Filename = defaults.Tab1Filename;
        if (!tabellen.TabByFilename(settings.Tab1Filename) && tabellen.Count() > 0)
            settings.Tab1Filename = tabellen.GetTabs(0)->Filename();
    }
    tabellen.SetAktTabFilename(settings.Tab1Filename);

    if (fileExists && !fileExists(settings.Tab2Filename)) settings.Tab2Filename = defaults.Tab2Filename;
}

std::u16string SettingsFilename(std::u16string_view appDataFolder, std::u16string_view exeFilename) {
    const std::u16string_view name = ExtractFileName(exeFilename);
    const size_t dot = name.find_last_of(u'.');
    const std::u16string_view stem = dot == std::u16string_view::npos ? name : name.substr(0, dot);
    std::u16string path(appDataFolder);
    return path.append(stem).append(u"\\").append(stem).append(u".ini");
}

}  // namespace korvalin
