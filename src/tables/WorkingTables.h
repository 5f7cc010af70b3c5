// The three working tables that the translator consults, and their loading.
#pragma once

#include "settings/DatenC.h"
#include "tables/TextFile.h"
#include "util/StringList.h"

#include <string>
#include <vector>

namespace korvalin {

struct TWorkingTables {
    TStringList TabStandard;  // "Standard.tab": modes 1, 3 and 4
    TStringList Tab1;         // the current table: mode 5 and combinations
    TStringList Tab2;         // the file of Tab2Filename: modes 1 and 2
};

// Fills TabStandard and Tab1 from the table list (making "Standard.tab"
// current when no table is) and, WithTab2, reads Tab2 from its own file.
// Returns the error messages to show, in order; loading goes on after each.
std::vector<std::u16string> LoadWorkingTables(TTabellen& tabellen, std::u16string& tab1Filename,
                                              const std::u16string& tab2Filename, bool withTab2,
                                              const TTextCodecs& codecs, TWorkingTables& tables);

}  // namespace korvalin
