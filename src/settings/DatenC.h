// The table list: every valid ".tab" file of the "Tabellen" folder, with its
// title and entry lines, and which of them is the current table.
#pragma once

#include "appearance/ModeFonts.h"
#include "speech/EingabeAnsage.h"
#include "tables/TextFile.h"
#include "util/StringList.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

// Every setting that outlives a run; a plain value whose copies are deep.
struct TEinstellungen {
    int Schrifthintergrund = 0;
    std::u16string Schriftart;
    int MaxZeilenbreite = 0;
    bool EinhandS = false;
    bool SoundS = false;
    TEingabeAnsagen EingabeAnsagen = TEingabeAnsagen::Zeichen;
    std::u16string SoundTippenFilename;
    std::u16string SoundModusFilename;
    std::u16string SoundFalschFilename;
    std::u16string SoundLautgruppeFilename;
    std::u16string SoundEinhandFilename;
    std::u16string SoundZeichenabschlussFilename;
    std::u16string SoundNeueTabelleFilename;
    std::u16string Tab1Filename;
    std::u16string Tab2Filename;
    TFonts Fonts;
    // The braille page; 0 means not set (BrailleSeite.h).
    int BrailleZeichenProZeile = 0;
    int BrailleZeilenProSeite = 0;
    bool operator==(const TEinstellungen&) const = default;
};

// The program's one settings record.
extern TEinstellungen Einstellungen;

// Fills the record with the defaults; every path is built from ExeFolder
// (the executable's folder, ending in a backslash).
void StandardEinstellungenSetzen(TEinstellungen& settings, std::u16string_view exeFolder);

class TTab {
public:
    TTab(std::u16string AFilename, std::u16string ATitel, std::vector<std::u16string> AListe = {});

    const std::u16string& Filename() const { return FFilename; }
    const std::u16string& Titel() const { return FTitel; }
    const TStringList& Liste() const { return FListe; }
    void Clear();

private:
    std::u16string FFilename;
    std::u16string FTitel;
    TStringList FListe;
};

// The title rule: the first line trimmed has at least 2 characters and the
// untrimmed line holds no "=".
bool IsTableTitle(std::u16string_view firstLine);
// Whether the lines of a file make a table: at least 2, the first a title.
bool IsTableLines(const std::vector<std::u16string>& lines);

// The bare file name: the part after the last "\", "/" or ":".
std::u16string_view BareFilename(std::u16string_view path);

// Whether the folder scan takes a file of this name: "*.tab" in any case.
bool IsTableFileName(std::u16string_view name);

// The ".tab" files directly in Folder (which ends in a separator) in the
// order of the scan: ascending ignoring case; of paths that compare equal
// only one stays. Empty when the folder cannot be listed.
std::vector<std::u16string> ListTableFiles(const std::u16string& folder);

class TTabellen {
public:
    static constexpr size_t kMaxTables = 9;

    // ExeFolder ends in a path separator; Path is ExeFolder + "Tabellen\".
    explicit TTabellen(std::u16string_view exeFolder);

    // Scans the folder anew; afterwards no table is current.
    void Load(const TTextCodecs& codecs);
    void Clear();
    int Count() const { return int(FTabs.size()); }
    const TTab* GetTabs(int index) const;
    int IndexOfFilename(std::u16string_view name) const;
    const TStringList* TabByFilename(std::u16string_view filename) const;
    const TStringList* AktTab() const;

    const std::u16string& AktTabFilename() const { return FAktTabFilename; }
    void SetAktTabFilename(std::u16string_view name);
    int AktTabFilenameIndex() const { return FAktTabFilenameIndex; }
    const std::u16string& Path() const { return FPath; }

    // The order string: the bare file names in list order, joined by "|".
    std::u16string GetFilesString() const;
    // Orders the list by an order string and keeps at most nine tables; the
    // current table stays current.
    void SetFilesString(std::u16string_view s);
    // Both do nothing unless the indexes differ and name tables; the
    // current table stays current.
    void Move(int index1, int index2);
    void Exchange(int index1, int index2);

private:
    // Moves one table; the tables between shift by one.
    void MoveTab(size_t from, size_t to);

    std::vector<std::unique_ptr<TTab>> FTabs;
    std::u16string FAktTabFilename;
    int FAktTabFilenameIndex = -1;
    std::u16string FPath;
};

}  // namespace korvalin
