#include "settings/SettingsFile.h"

#include "settings/BrailleSeite.h"

#include "TestFiles.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace korvalin;
using korvalin::testing::Latin1Codecs;
using korvalin::testing::TTempFolder;

namespace {

// An INI file in memory: sections and keys in the order of their first
// write, names compared ignoring case as the system does. Optionally the
// write with a given number fails.
class TMemoryProfile : public TProfile {
public:
    struct TKey {
        std::u16string Section, Key, Value;
    };

    std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view def) override {
        const TKey* found = Find(section, key);
        return found ? found->Value : std::u16string(def);
    }
    void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) override {
        if (++FWrites == FailingWrite) throw EKorvalin(u"kein Platz");
        if (TKey* found = Find(section, key)) found->Value = std::u16string(value);
        else Keys.push_back({std::u16string(section), std::u16string(key), std::u16string(value)});
    }
    void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
        WriteString(section, key, value);
        --FWrites;
    }
    std::u16string Get(std::u16string_view section, std::u16string_view key) {
        const TKey* found = Find(section, key);
        return found ? found->Value : u"<missing>";
    }

    std::vector<TKey> Keys;
    int FailingWrite = 0;

private:
    TKey* Find(std::u16string_view section, std::u16string_view key) {
        for (TKey& entry : Keys)
            if (SameText(entry.Section, section) && SameText(entry.Key, key)) return &entry;
        return nullptr;
    }
    int FWrites = 0;
};

std::string TableFile(const std::string& title) { return title + "\r\n1=97\r\n"; }

// A program folder with the given tables in "Tabellen", loaded into a list.
struct TProgram {
    explicit TProgram(std::vector<std::string> tables) : Tabellen(Folder.Folder()) {
        for (const std::string& name : tables) Folder.Write("Tabellen/" + name, TableFile("Titel " + name));
        Tabellen.Load(Latin1Codecs());
        StandardEinstellungenSetzen(Settings, Exe());
    }
    std::u16string Exe() const { return Folder.Folder(); }
    std::u16string Path(std::u16string_view sub, std::u16string_view name) const {
        return Exe().append(sub).append(u"\\").append(name);
    }
    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (int i = 0; i < Tabellen.Count(); ++i) names.emplace_back(BareFilename(Tabellen.GetTabs(i)->Filename()));
        return names;
    }
    void Repair(const TFileExists& fileExists = [](const std::u16string&) { return true; }) {
        EinstellungenReparieren(Settings, Tabellen, Exe(), fileExists);
    }

    TTempFolder Folder;
    TTabellen Tabellen;
    TEinstellungen Settings;
};

}  // namespace

TEST(SettingsFile, SaveWritesEveryKeyOnceInTheFileOrder) {
    TProgram program({"Standard.tab"});
    TMemoryProfile profile;
    WriteSettings(profile, {0, 700, 1000}, program.Settings, program.Tabellen);
    std::vector<std::u16string> written;
    for (const auto& key : profile.Keys) written.push_back(std::u16string(key.Section).append(u"/").append(key.Key));
    std::vector<std::u16string> expected = {
        u"MainForm/WindowState", u"MainForm/Height", u"MainForm/Width",
        u"Einstellungen/Schrifthintergrund", u"Einstellungen/Schriftart", u"Einstellungen/MaxZeilenbreite",
        u"Einstellungen/EinhandEin", u"Einstellungen/SoundEin", u"Einstellungen/EingabeAnsagen",
        u"Einstellungen/SoundTippenFilename",
        u"Einstellungen/SoundModusFilename", u"Einstellungen/SoundFalschFilename",
        u"Einstellungen/SoundZeichenabschlussFilename", u"Einstellungen/SoundEinhandFilename",
        u"Einstellungen/SoundZeichenkombinationFilename", u"Einstellungen/SoundNeueTabelleFilename",
        u"Tabellen/TabFiles", u"Tabellen/Tab1Filename", u"Tabellen/Tab2Filename"};
    for (int mode = 0; mode < 6; ++mode) {
        expected.push_back(std::u16string(u"Fonts/Font").append(IntToStr(mode)).append(u"Filename"));
        expected.push_back(std::u16string(u"Fonts/Font").append(IntToStr(mode)).append(u"Settings"));
    }
    expected.insert(expected.end(), {u"Braille/ZeichenProZeile", u"Braille/ZeilenProSeite"});
    EXPECT_EQ(written, expected);

    EXPECT_EQ(profile.Get(u"MainForm", u"WindowState"), u"0");
    EXPECT_EQ(profile.Get(u"Einstellungen", u"SoundEin"), u"1");
    EXPECT_EQ(profile.Get(u"Einstellungen", u"EinhandEin"), u"0");
    EXPECT_EQ(profile.Get(u"Einstellungen", u"SoundZeichenkombinationFilename"), u"zeichenkombination.wav");
    EXPECT_EQ(profile.Get(u"Tabellen", u"Tab2Filename"), u"Brl2UniBrl.tab");
    EXPECT_EQ(profile.Get(u"Fonts", u"Font1Filename"), u"BRL0.ttf|BRL7.ttf|BRL8.ttf|BRL78.ttf");
    EXPECT_EQ(profile.Get(u"Fonts", u"Font1Settings"),
              u"8ptBraille0|8ptBraille7|8ptBraille8|8ptBraille78|25|0|0000|clBlack");
}

TEST(SettingsFile, EverySettingSurvivesASaveAndALoad) {
    TProgram program({"a.tab", "b.tab", "Standard.tab"});
    program.Tabellen.SetFilesString(u"Standard.tab|b.tab|a.tab");
    TEinstellungen& saved = program.Settings;
    saved.Schrifthintergrund = 7;
    saved.Schriftart = u"Verdana|14|0|0100|clNavy";
    saved.MaxZeilenbreite = 40;
    saved.EinhandS = true;
    saved.SoundS = false;
    saved.EingabeAnsagen = TEingabeAnsagen::Woerter;
    saved.SoundTippenFilename = program.Path(u"Sounds", u"klick.wav");
    saved.SoundNeueTabelleFilename = program.Path(u"Sounds", u"neu.wav");
    saved.SoundLautgruppeFilename = program.Path(u"Sounds", u"kombi.wav");
    saved.Tab1Filename = program.Path(u"Tabellen", u"b.tab");
    SetModeFonts(saved.Fonts, 2, program.Exe(), u"X.ttf|Y.ttf", u"Ix|Ypsilon|20|0|0010|clRed");
    SetModeFonts(saved.Fonts, 5, program.Exe(), u"", u"");
    saved.BrailleZeichenProZeile = 32;
    saved.BrailleZeilenProSeite = 28;
    TMemoryProfile profile;
    WriteSettings(profile, {2, 800, 1100}, saved, program.Tabellen);

    TEinstellungen loaded;
    StandardEinstellungenSetzen(loaded, program.Exe());
    TTabellen tabellen(program.Exe());
    tabellen.Load(Latin1Codecs());
    EXPECT_EQ(ReadWindowSettings(profile), (TWindowSettings{2, 800, 1100}));
    ReadEinstellungen(profile, loaded, tabellen, program.Exe());
    EXPECT_EQ(loaded, saved);
    std::vector<std::u16string> order;
    for (int i = 0; i < tabellen.Count(); ++i) order.emplace_back(BareFilename(tabellen.GetTabs(i)->Filename()));
    EXPECT_EQ(order, (std::vector<std::u16string>{u"Standard.tab", u"b.tab", u"a.tab"}));
}

TEST(SettingsFile, MissingKeysKeepTheDefaults) {
    TProgram program({"Standard.tab"});
    TMemoryProfile empty;
    const TEinstellungen defaults = program.Settings;
    ReadEinstellungen(empty, program.Settings, program.Tabellen, program.Exe());
    EXPECT_EQ(program.Settings, defaults);
    EXPECT_EQ(ReadWindowSettings(empty), (TWindowSettings{2, -1, -1}));
}

TEST(SettingsFile, IntegersAndBooleansReadAsTheirDefaultUnlessTheyAreIntegers) {
    struct TRow {
        std::u16string_view Stored;
        int Integer;  // read with the default 5
        bool Boolean;  // read with the default true
    } rows[] = {
        {u"12", 12, true}, {u" -3 ", -3, true}, {u"0", 0, false}, {u"2", 2, true},     {u"", 5, true},
        {u"zwölf", 5, true}, {u"1.5", 5, true}, {u"99999999999", 5, true}, {u"$10", 16, true},
    };
    for (const TRow& row : rows) {
        TMemoryProfile profile;
        profile.Set(u"S", u"K", row.Stored);
        EXPECT_EQ(ReadInteger(profile, u"S", u"K", 5), row.Integer) << U16ToUtf8(row.Stored);
        EXPECT_EQ(ReadBool(profile, u"S", u"K", true), row.Boolean) << U16ToUtf8(row.Stored);
    }
    TMemoryProfile profile;
    WriteBool(profile, u"S", u"B", true);
    WriteInteger(profile, u"S", u"I", -17);
    EXPECT_EQ(profile.Get(u"S", u"B"), u"1");
    EXPECT_EQ(profile.Get(u"S", u"I"), u"-17");
}

TEST(SettingsFile, AnyWindowStateButNormalMaximises) {
    const std::pair<std::u16string_view, int> rows[] = {
        {u"0", 0}, {u"1", 2}, {u"2", 2}, {u"3", 2}, {u"-1", 2}, {u"x", 2}};
    for (const auto& [stored, state] : rows) {
        TMemoryProfile profile;
        profile.Set(u"MainForm", u"WindowState", stored);
        EXPECT_EQ(ReadWindowSettings(profile).WindowState, state) << U16ToUtf8(stored);
    }
    EXPECT_FALSE(WindowSizeApplies(100));
    EXPECT_FALSE(WindowSizeApplies(-1));
    EXPECT_TRUE(WindowSizeApplies(101));
}

TEST(SettingsFile, SoundAndTableNamesAreStoredBareAndReadFromTheirFolders) {
    TProgram program({"Standard.tab"});
    TMemoryProfile profile;
    profile.Set(u"Einstellungen", u"SoundTippenFilename", u"Sounds\\tipp.wav");
    profile.Set(u"Tabellen", u"Tab2Filename", u"acht.tab");
    ReadEinstellungen(profile, program.Settings, program.Tabellen, program.Exe());
    EXPECT_EQ(program.Settings.SoundTippenFilename, program.Exe() + u"Sounds\\Sounds\\tipp.wav");
    EXPECT_EQ(program.Settings.Tab2Filename, program.Exe() + u"Tabellen\\acht.tab");
    EXPECT_EQ(program.Settings.SoundModusFilename, program.Exe() + u"Sounds\\modus.wav");

    WriteSettings(profile, {}, program.Settings, program.Tabellen);
    EXPECT_EQ(profile.Get(u"Einstellungen", u"SoundTippenFilename"), u"tipp.wav");
    EXPECT_EQ(profile.Get(u"Tabellen", u"Tab2Filename"), u"acht.tab");
}

TEST(SettingsFile, AFailingWriteStopsTheSaveAndKeepsWhatWasWritten) {
    TProgram program({"Standard.tab"});
    TMemoryProfile profile;
    profile.FailingWrite = 4;
    EXPECT_THROW(WriteSettings(profile, {0, 500, 600}, program.Settings, program.Tabellen), EKorvalin);
    ASSERT_EQ(profile.Keys.size(), 3u);
    EXPECT_EQ(profile.Get(u"MainForm", u"Width"), u"600");
}

TEST(SettingsRepair, BackgroundNumbersOutsideTheListAndTheTwoGapsAreMoved) {
    const std::pair<int, int> rows[] = {{-1, 1}, {0, 0}, {11, 11}, {12, 11}, {13, 17}, {18, 18}, {19, 1}, {1000, 1}};
    for (const auto& [stored, repaired] : rows) {
        TProgram program({"Standard.tab"});
        program.Settings.Schrifthintergrund = stored;
        program.Repair();
        EXPECT_EQ(program.Settings.Schrifthintergrund, repaired) << stored;
    }
}

TEST(SettingsRepair, ModeFontListsAreFilledInAndBrailleModesLoseBoldAndItalic) {
    TProgram program({"Standard.tab"});
    TEinstellungen defaults;
    StandardEinstellungenSetzen(defaults, program.Exe());
    TFonts& fonts = program.Settings.Fonts;
    const std::u16string exe = program.Exe();
    SetModeFonts(fonts, 0, exe, u"", u"");                                            // empty
    SetModeFonts(fonts, 1, exe, u"a.ttf|b.ttf|c.ttf", u"A|B|C|20|0|0000|clBlack");    // too few for mode 1
    SetModeFonts(fonts, 2, exe, u"x.ttf|y.ttf", u"X|Y|20|0|1100|clRed");             // bold and italic kept
    SetModeFonts(fonts, 3, exe, u"p.ttf", u"P|22|0|1010|clNavy");                     // bold taken off
    fonts[4] = {{u"", u"Q|18|0|0100|clBlack"}, {exe + u"Fonts\\r.ttf", u"R|18"}};    // gaps in two entries
    fonts[5] = {{exe + u"Fonts\\s.ttf", u"S|zwölf|0|0000|clBlack"}};                  // five fields, unreadable
    program.Repair();

    EXPECT_EQ(fonts[0], defaults.Fonts[0]);
    EXPECT_EQ(fonts[1], defaults.Fonts[1]);
    EXPECT_EQ(fonts[2][1].Settings, u"Y|20|0|1100|clRed");
    EXPECT_EQ(fonts[3][0].Settings, u"P|22|0|0010|clNavy");
    ASSERT_EQ(fonts[4].size(), 2u);
    EXPECT_EQ(fonts[4][0].Filename, defaults.Fonts[4][0].Filename);
    EXPECT_EQ(fonts[4][0].Settings, u"Q|18|0|0000|clBlack");
    EXPECT_EQ(fonts[4][1].Filename, exe + u"Fonts\\r.ttf");
    EXPECT_EQ(fonts[4][1].Settings, defaults.Fonts[4][0].Settings);  // past the defaults: their first entry
    EXPECT_EQ(fonts[5][0].Settings, u"S|zwölf|0|0000|clBlack");      // mode 5 is not rewritten

    // a malformed specification in a braille mode falls back to Arial
    SetModeFonts(fonts, 3, exe, u"p.ttf", u"P|groß|0|1000|clNavy");
    program.Repair();
    EXPECT_EQ(fonts[3][0].Settings, u"Arial|12|1|0000|clWindowText");
}

TEST(SettingsRepair, AnInputAnnouncementOutsideZeroToThreeBecomesCharacters) {
    const std::pair<std::u16string_view, TEingabeAnsagen> rows[] = {
        {u"0", TEingabeAnsagen::Aus},     {u"3", TEingabeAnsagen::ZeichenUndWoerter},
        {u"4", TEingabeAnsagen::Zeichen}, {u"-1", TEingabeAnsagen::Zeichen},
        {u"zwei", TEingabeAnsagen::Zeichen}};
    for (const auto& [stored, repaired] : rows) {
        TProgram program({"Standard.tab"});
        TMemoryProfile profile;
        profile.Set(u"Einstellungen", u"EingabeAnsagen", stored);
        ReadEinstellungen(profile, program.Settings, program.Tabellen, program.Exe());
        program.Repair();
        EXPECT_EQ(program.Settings.EingabeAnsagen, repaired) << U16ToUtf8(stored);
    }
}

TEST(SettingsRepair, AnIncompleteUserInterfaceFontBecomesTheDefaultAndASizeOutsideTheDialogsTheDefaultSize) {
    const std::pair<std::u16string_view, std::u16string_view> rows[] = {
        {u"Verdana|10|0|0000|clRed", u"Verdana|10|0|0000|clRed"},
        {u"Verdana|10|0||0000", u"Arial|12|0|0000|clBlack"},
        {u"", u"Arial|12|0|0000|clBlack"},
        {u"Verdana|5|0|1000|clred", u"Verdana|5|0|1000|clred"},
        {u"Verdana|35|0|1000|$00123456", u"Verdana|35|0|1000|$00123456"},
        {u"Verdana|4|0|1000|clRed", u"Verdana|12|0|1000|clRed"},
        {u"Verdana|36|0|1000|clRed", u"Verdana|12|0|1000|clRed"},
        {u"X|-2147483648|0|0000|clRed", u"X|12|0|0000|clRed"},
        {u"Verdana|viel|0|0000|clRed", u"Verdana|viel|0|0000|clRed"},  // unreadable: the fallback font at use
    };
    for (const auto& [stored, repaired] : rows) {
        TProgram program({"Standard.tab"});
        program.Settings.Schriftart = std::u16string(stored);
        program.Repair();
        EXPECT_EQ(program.Settings.Schriftart, repaired) << U16ToUtf8(stored);
    }
}

TEST(SettingsRepair, ModeFontSizesOutsideTheDialogsRangeTakeTheSizeOfTheDefault) {
    const struct {
        int Mode;
        std::u16string_view Files, Stored, Repaired;  // the first entry's font string
    } rows[] = {
        {0, u"a.ttf", u"A|8|0|1000|clRed", u"A|8|0|1000|clRed"},
        {0, u"a.ttf", u"A|7|0|1000|clRed", u"A|16|0|1000|clRed"},
        {2, u"a.ttf|b.ttf", u"A|B|72|0|0000|clNavy", u"A|72|0|0000|clNavy"},
        {2, u"a.ttf|b.ttf", u"A|B|73|0|0000|clNavy", u"A|18|0|0000|clNavy"},
        {1, u"a.ttf|b.ttf|c.ttf|d.ttf", u"A|B|C|D|0|0|1000|clBlack", u"A|25|0|0000|clBlack"},
        {3, u"p.ttf", u"P|-9|0|0000|clBlack", u"P|18|0|0000|clBlack"},
    };
    for (const auto& row : rows) {
        TProgram program({"Standard.tab"});
        std::vector<TFontEntry>& list = program.Settings.Fonts[size_t(row.Mode)];
        SetModeFonts(program.Settings.Fonts, row.Mode, program.Exe(), row.Files, row.Stored);
        program.Repair();
        EXPECT_EQ(list.front().Settings, row.Repaired) << U16ToUtf8(row.Stored);
        EXPECT_EQ(list.back().Settings.substr(1), row.Repaired.substr(1)) << "every entry of the mode";
    }
}

TEST(SettingsRepair, TheBraillePageFollowsTheLineWidthUntilSetAndBadStoredValuesBecomeUnset) {
    struct TRow {
        int MaxZeilenbreite, StoredCells, StoredLines;
        TBrailleGeometry Page;
    } rows[] = {
        {0, 0, 0, {40, 25}},  {32, 0, 0, {32, 25}},  {32, 36, 0, {36, 25}}, {0, 0, 30, {40, 30}},
        {0, 100, 27, {40, 27}}, {28, -1, 100, {28, 25}}, {0, 99, 99, {99, 99}},
    };
    for (const TRow& row : rows) {
        TProgram program({"Standard.tab"});
        program.Settings.MaxZeilenbreite = row.MaxZeilenbreite;
        program.Settings.BrailleZeichenProZeile = row.StoredCells;
        program.Settings.BrailleZeilenProSeite = row.StoredLines;
        program.Repair();
        EXPECT_EQ(BrailleSeitenformat(program.Settings), row.Page) << row.StoredCells << " " << row.StoredLines;
    }
    const std::pair<std::u16string_view, std::optional<int>> fields[] = {
        {u" 7 ", 7}, {u"99", 99}, {u"0", std::nullopt}, {u"100", std::nullopt}, {u"", std::nullopt},
        {u"-5", std::nullopt}, {u"4a", std::nullopt}};
    for (const auto& [text, value] : fields) EXPECT_EQ(ParseBrailleSeitenZahl(text), value) << U16ToUtf8(text);
}

TEST(SettingsRepair, TheCurrentTableIsAListedOne) {
    struct TRow {
        std::vector<std::string> Tables;
        std::u16string_view Stored;
        std::u16string_view Current;  // bare name; empty for the default path without a table
    } rows[] = {
        {{"Standard.tab", "b.tab"}, u"b.tab", u"b.tab"},
        {{"Standard.tab", "b.tab"}, u"fehlt.tab", u"Standard.tab"},
        {{"c.tab", "b.tab"}, u"fehlt.tab", u"b.tab"},  // the first listed, in name order
        {{}, u"fehlt.tab", u""},
    };
    for (const TRow& row : rows) {
        TProgram program(row.Tables);
        program.Settings.Tab1Filename = program.Path(u"Tabellen", row.Stored);
        program.Repair();
        if (row.Current.empty()) {
            EXPECT_EQ(program.Settings.Tab1Filename, program.Path(u"Tabellen", u"Standard.tab"));
            EXPECT_EQ(program.Tabellen.AktTab(), nullptr);
        } else {
            EXPECT_EQ(BareFilename(program.Settings.Tab1Filename), row.Current) << U16ToUtf8(row.Stored);
            EXPECT_EQ(BareFilename(program.Tabellen.AktTabFilename()), row.Current);
            EXPECT_NE(program.Tabellen.AktTab(), nullptr);
        }
    }
}

TEST(SettingsRepair, AMissingEightDotTableFileBecomesTheDefault) {
    TProgram program({"Standard.tab"});
    const std::u16string own = program.Path(u"Tabellen", u"acht.tab");
    program.Settings.Tab2Filename = own;
    program.Repair([&](const std::u16string& name) { return name == own; });
    EXPECT_EQ(program.Settings.Tab2Filename, own);
    program.Repair([](const std::u16string&) { return false; });
    EXPECT_EQ(program.Settings.Tab2Filename, program.Path(u"Tabellen", u"Brl2UniBrl.tab"));
}

TEST(SettingsRepair, TenTablesLeaveNineInTheStoredOrderOrByName) {
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) names.push_back("t" + std::to_string(i) + ".tab");
    const std::u16string_view reversed = u"t9.tab|t8.tab|t7.tab|t6.tab|t5.tab|t4.tab|t3.tab|t2.tab|t1.tab|t0.tab";
    struct TRow {
        std::u16string_view Stored;  // empty: no settings file was read
        std::vector<std::u16string> Listed;
    } rows[] = {
        {reversed, {u"t9.tab", u"t8.tab", u"t7.tab", u"t6.tab", u"t5.tab", u"t4.tab", u"t3.tab", u"t2.tab", u"t1.tab"}},
        {u"", {u"t0.tab", u"t1.tab", u"t2.tab", u"t3.tab", u"t4.tab", u"t5.tab", u"t6.tab", u"t7.tab", u"t8.tab"}},
    };
    for (const TRow& row : rows) {
        TProgram program(names);
        if (!row.Stored.empty()) {
            TMemoryProfile profile;
            profile.Set(u"Tabellen", u"TabFiles", row.Stored);
            ReadEinstellungen(profile, program.Settings, program.Tabellen, program.Exe());
        }
        program.Repair();
        EXPECT_EQ(program.Names(), row.Listed) << U16ToUtf8(row.Stored);
        // Standard.tab is not installed: the first listed table becomes the current one
        EXPECT_EQ(BareFilename(program.Settings.Tab1Filename), row.Listed.front());
    }
}

TEST(SettingsFile, TheFileLivesInAFolderNamedAfterTheProgram) {
    const std::pair<std::u16string_view, std::u16string_view> rows[] = {
        {u"C:\\Programme\\Korvalin\\Korvalin.exe", u"C:\\Daten\\Korvalin\\Korvalin.ini"},
        {u"C:\\Neu.Version\\Mein.Korvalin.EXE", u"C:\\Daten\\Mein.Korvalin\\Mein.Korvalin.ini"},
        {u"Korvalin", u"C:\\Daten\\Korvalin\\Korvalin.ini"},
    };
    for (const auto& [exe, ini] : rows) EXPECT_EQ(SettingsFilename(u"C:\\Daten\\", exe), ini);
    EXPECT_EQ(SettingsFilename(u"", u"C:\\P\\Korvalin.exe"), u"Korvalin\\Korvalin.ini");
}
