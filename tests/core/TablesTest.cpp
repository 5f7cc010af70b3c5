#include "settings/DatenC.h"
#include "tables/WorkingTables.h"

#include "TestFiles.h"
#include "app/ResConst.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace korvalin;
using korvalin::testing::Latin1Codecs;
using korvalin::testing::TTempFolder;

namespace {

std::vector<std::u16string> Titles(const TTabellen& tabellen) {
    std::vector<std::u16string> titles;
    for (int i = 0; i < tabellen.Count(); ++i) titles.push_back(tabellen.GetTabs(i)->Titel());
    return titles;
}

}  // namespace

TEST(TableList, OnlyFilesWithATitleAndEntriesAreListedInCaseIgnoringOrder) {
    TTempFolder folder;
    folder.Write("Tabellen/b.tab", "  Zweite  \r\n1=97\r\n");
    folder.Write("Tabellen/A.tab", "Erste\n1245=65|66\n\n12=65\n12=66\nohne Gleichheitszeichen");
    folder.Write("Tabellen/c.TAB", "\xEF\xBB\xBF" "Dritte \xC3\xA4\r\n1=97");
    folder.Write("Tabellen/only-title.tab", "Nur Titel\r\n");
    folder.Write("Tabellen/entry-first.tab", "1=65\r\n2=66");
    folder.Write("Tabellen/one-letter.tab", " x \r\n1=65");
    folder.Write("Tabellen/binary.tab", std::string("\x00\x01\xFF\xFE\x00", 5));
    folder.Write("Tabellen/note.txt", "Titel\r\n1=97");
    folder.Write("Tabellen/sub/deep.tab", "Tief\r\n1=97");
    TTabellen tabellen(folder.Folder());
    tabellen.Load(Latin1Codecs());

    EXPECT_EQ(Titles(tabellen), (std::vector<std::u16string>{u"Erste", u"Zweite", u"Dritte \u00E4"}));
    EXPECT_EQ(tabellen.AktTab(), nullptr);
    EXPECT_EQ(tabellen.AktTabFilenameIndex(), -1);
    const TStringList& first = tabellen.GetTabs(0)->Liste();
    EXPECT_EQ(first.Count(), 5u);  // blank lines and lines without "=" are kept
    EXPECT_EQ(first[0], u"1245=65|66");
    EXPECT_EQ(first.ValueFromIndex(size_t(first.IndexOfName(u"12"))), u"65");
    EXPECT_EQ(tabellen.GetTabs(3), nullptr);
    EXPECT_EQ(tabellen.GetTabs(-1), nullptr);

    tabellen.Clear();
    EXPECT_EQ(tabellen.Count(), 0);
}

TEST(TableList, AMissingFolderGivesAnEmptyList) {
    TTempFolder folder;
    TTabellen tabellen(folder.Folder() + u"nowhere/");
    tabellen.Load(Latin1Codecs());
    EXPECT_EQ(tabellen.Count(), 0);
}

TEST(TableList, UnlistableNamesAndFoldersAreSkippedWithoutLosingTheRest) {
    TTempFolder folder;
    folder.Write("Tabellen/Standard.tab", "Standard\r\n1=97");
    // A name without a UTF-16 form (written directly: Write reports names as UTF-16).
    std::ofstream(std::filesystem::path(U16ToUtf8(folder.Folder())) / "Tabellen" / "\xFF\xFE.tab") << "Name\r\n1=97";
    folder.Write("Tabellen/Ordner.tab/x.tab", "Ordner\r\n1=97");
    TTabellen tabellen(folder.Folder());
    tabellen.Load(Latin1Codecs());
    EXPECT_EQ(Titles(tabellen), std::vector<std::u16string>{u"Standard"});

    TTabellen unrepresentable(folder.Folder() + u"\xDC00/");
    unrepresentable.Load(Latin1Codecs());
    EXPECT_EQ(unrepresentable.Count(), 0);
}

TEST(TableList, FilenamesMatchByFullPathOrBareNameIgnoringCase) {
    TTempFolder folder;
    folder.Write("Tabellen/Standard.tab", "Standard\r\n1=97");
    folder.Write("Tabellen/Deutsch.tab", "Deutsch\r\n1=97");
    TTabellen tabellen(folder.Folder());
    tabellen.Load(Latin1Codecs());
    const int standard = tabellen.IndexOfFilename(u"Standard.tab");
    ASSERT_GE(standard, 0);
    EXPECT_EQ(tabellen.IndexOfFilename(u"standard.TAB"), standard);
    EXPECT_EQ(tabellen.IndexOfFilename(u"C:\\Anderswo\\Standard.tab"), standard);
    EXPECT_EQ(tabellen.IndexOfFilename(u"D:Standard.tab"), standard);
    EXPECT_EQ(tabellen.IndexOfFilename(tabellen.GetTabs(standard)->Filename()), standard);
    EXPECT_EQ(tabellen.IndexOfFilename(u""), -1);
    EXPECT_EQ(tabellen.IndexOfFilename(u"Standard"), -1);
    EXPECT_EQ(tabellen.TabByFilename(u"fehlt.tab"), nullptr);

    tabellen.SetAktTabFilename(u"deutsch.tab");
    EXPECT_EQ(tabellen.AktTabFilename(), tabellen.Path() + u"Deutsch.tab");
    ASSERT_NE(tabellen.AktTab(), nullptr);
    tabellen.SetAktTabFilename(u"fehlt.tab");
    EXPECT_EQ(tabellen.AktTabFilename(), u"fehlt.tab");
    EXPECT_EQ(tabellen.AktTab(), nullptr);
}

TEST(WorkingTables, AllThreeLoadAndTheEightDotTableKeepsAnEntryAsFirstLine) {
    TTempFolder folder;
    folder.Write("Tabellen/Standard.tab", "Standard\r\n1=97");
    folder.Write("Tabellen/Deutsch.tab", "Deutsch\r\n1=228");
    const std::u16string entryFirst = folder.Write("Tabellen/Acht.tab", "1=65\r\n2=66");
    const std::u16string titled = folder.Write("Tabellen/Brl2UniBrl.tab", "Acht Punkte\r\n1=10241");
    TTabellen tabellen(folder.Folder());
    tabellen.Load(Latin1Codecs());
    tabellen.SetAktTabFilename(u"Deutsch.tab");
    std::u16string tab1Filename = tabellen.AktTabFilename();
    TWorkingTables tables;

    EXPECT_TRUE(LoadWorkingTables(tabellen, tab1Filename, titled, true, Latin1Codecs(), tables).empty());
    EXPECT_EQ(tables.TabStandard.Lines(), std::vector<std::u16string>{u"1=97"});
    EXPECT_EQ(tables.Tab1.Lines(), std::vector<std::u16string>{u"1=228"});
    EXPECT_EQ(tables.Tab2.Lines(), std::vector<std::u16string>{u"1=10241"});

    EXPECT_TRUE(LoadWorkingTables(tabellen, tab1Filename, entryFirst, true, Latin1Codecs(), tables).empty());
    EXPECT_EQ(tables.Tab2.Lines(), (std::vector<std::u16string>{u"1=65", u"2=66"}));
    // A table switch leaves the eight-dot table alone.
    EXPECT_TRUE(LoadWorkingTables(tabellen, tab1Filename, titled, false, Latin1Codecs(), tables).empty());
    EXPECT_EQ(tables.Tab2.Lines(), (std::vector<std::u16string>{u"1=65", u"2=66"}));
}

TEST(WorkingTables, MissingTablesGiveTheirMessagesAndLeaveTheTablesEmpty) {
    TTempFolder folder;
    TTabellen tabellen(folder.Folder());
    tabellen.Load(Latin1Codecs());
    std::u16string tab1Filename = u"irgendwas.tab";
    const std::u16string tab2 = folder.Folder() + u"Tabellen/Brl2UniBrl.tab";
    TWorkingTables tables;
    tables.Tab1.Add(u"1=97");
    const auto messages = LoadWorkingTables(tabellen, tab1Filename, tab2, true, Latin1Codecs(), tables);
    const std::u16string standard = tabellen.Path() + u"Standard.tab";
    EXPECT_EQ(messages, (std::vector<std::u16string>{Format(texts::TableFileMissing, {standard}),
                                                     Format(texts::TableFileLoadError, {standard}),
                                                     Format(texts::TableFileMissing, {tab2})}));
    EXPECT_EQ(tab1Filename, standard);
    EXPECT_TRUE(tables.TabStandard.Empty() && tables.Tab1.Empty() && tables.Tab2.Empty());

    // A name the file system cannot represent is a missing file, not a crash.
    const std::u16string unpaired = folder.Folder() + u"\xD800.tab";
    EXPECT_EQ(LoadWorkingTables(tabellen, tab1Filename, unpaired, true, Latin1Codecs(), tables).back(),
              Format(texts::TableFileMissing, {unpaired}));

    // An unreadable eight-dot file names the reason after a line break.
    const std::u16string unreadable = folder.Write("Tabellen/Brl2UniBrl.tab", "\xEF\xBB\xBF\xFF");
    const auto second = LoadWorkingTables(tabellen, tab1Filename, unreadable, true, TTextCodecs{}, tables);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[2], Format(texts::TableFileLoadError, {unreadable}) + u"\r\n" +
                             std::u16string(texts::NeitherUtf8NorAnsi) + std::u16string(texts::AnsiUnreadable));
}
