// The table check of TabPruef: reads ".tab" files exactly as the table list
// reads them and tells, line by line, why a file would not be listed and
// which of its entries can never be used.
#pragma once

#include "tables/TextFile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

struct TTableFinding {
    int Line = 0;  // from 1; 0 for the file as a whole
    std::u16string Message;
};

enum class TTableCheckOutcome {
    Clean,       // listed, and every entry can be used
    Findings,    // at least one finding
    Unreadable,  // the file could not be read at all
};

struct TTableCheck {
    TTableCheckOutcome Outcome = TTableCheckOutcome::Clean;
    bool ListedS = false;   // the folder scan would list the file
    int UsableEntries = 0;  // entries a lookup finds and translates
    std::vector<TTableFinding> Findings;  // in line order
};

// Why Name is no key the translator can ever ask for, empty when it is one.
// Keys are "0" (the empty cell) or dot patterns (the digits 1 to 8 ascending,
// each at most once) joined by "|" for a character combination.
std::u16string_view DotPatternFault(std::u16string_view name);

// Checks the entry lines of a table, the first of them being line FirstLine
// of the file; adds to Check's findings and usable entries.
void CheckTableEntries(const std::vector<std::u16string>& entries, int firstLine, TTableCheck& check);

// Checks the bytes of a table file; Filename goes to the RTF reader only.
TTableCheck CheckTableBytes(std::string_view bytes, const std::u16string& filename, const TTextCodecs& codecs);

// Reads and checks one file, its name included.
TTableCheck CheckTableFile(const std::u16string& filename, const TTextCodecs& codecs);

// The report lines of one file: "Datei:Zeile: Meldung" per finding
// ("Datei: Meldung" for the file as a whole), or one line saying it is clean.
std::vector<std::u16string> ReportLines(std::u16string_view file, const TTableCheck& check);

// The whole run over the command line: each argument is a file, or a folder
// whose ".tab" files are checked in the order of the folder scan. Writes the
// report through Output, one line per call, and gives the exit code: 0 when
// everything is clean, 1 when something was found, 2 when a file could not
// be read. Without arguments it writes the usage text and gives 2.
int RunTabPruef(const std::vector<std::u16string>& args, const TTextCodecs& codecs,
                const std::function<void(std::u16string_view line)>& output);

// Windows-1252, the ANSI code page of German Windows, for a build that has no
// system code page; never fails.
std::optional<std::u16string> Windows1252ToText(std::string_view bytes);

}  // namespace korvalin
