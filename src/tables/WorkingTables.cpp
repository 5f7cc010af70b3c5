#include "tables/WorkingTables.h"

#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

namespace korvalin {

std::vector<std::u16string> LoadWorkingTables(TTabellen& tabellen, std::u16string& tab1Filename,
                                              const std::u16string& tab2Filename, bool withTab2,
                                              const TTextCodecs& codecs, TWorkingTables& tables) {
    std::vector<std::u16string> messages;
    const std::u16string standard = tabellen.Path() + u"Standard.tab";
    tables.TabStandard.Clear();
    if (const TStringList* list = tabellen.TabByFilename(standard)) tables.TabStandard = *list;
    else messages.push_back(Format(texts::TableFileMissing, {standard}));

    tables.Tab1.Clear();
    if (!tabellen.AktTab()) {
        tabellen.SetAktTabFilename(standard);
        tab1Filename = standard;
    }
    if (const TStringList* list = tabellen.AktTab()) tables.Tab1 = *list;
    else messages.push_back(Format(texts::TableFileLoadError, {tab1Filename}));

    if (!withTab2) return messages;
    tables.Tab2.Clear();
    if (!FileExists(tab2Filename)) {
        messages.push_back(Format(texts::TableFileMissing, {tab2Filename}));
        return messages;
    }
    try {
        std::vector<std::u16string> lines = SplitLines(LoadTextFile(tab2Filename, codecs));
        if (!lines.empty() && lines.front().find(u'=') == std::u16string::npos) lines.erase(lines.begin());
        tables.Tab2.Assign(std::move(lines));
    } catch (const EKorvalin& error) {
        messages.push_back(Format(texts::TableFileLoadError, {tab2Filename}) + u"\r\n" + error.Message());
    }
    return messages;
}

}  // namespace korvalin
