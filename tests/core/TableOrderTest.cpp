#include <gtest/gtest.h>

#include "TestFiles.h"
#include "settings/DatenC.h"

using namespace korvalin;
using korvalin::testing::Latin1Codecs;
using korvalin::testing::TTempFolder;

namespace {

// A table folder with the tables a.tab, b.tab, ... (count of them), listed.
class TableOrder : public ::testing::Test {
protected:
    void Fill(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string name(1, char('a' + i));
            folder.Write("Tabellen/" + name + ".tab", "Tabelle " + name + "\r\n1=97\r\n");
        }
        tabellen.Load(Latin1Codecs());
    }
    void MakeCurrent(std::u16string_view name) {
        tabellen.SetAktTabFilename(name);
        ASSERT_GE(tabellen.AktTabFilenameIndex(), 0);
    }
    std::u16string CurrentName() const { return std::u16string(BareFilename(tabellen.AktTabFilename())); }

    TTempFolder folder;
    TTabellen tabellen{folder.Folder()};
};

}  // namespace

TEST_F(TableOrder, TheOrderStringNamesTheBareFilesInListOrder) {
    EXPECT_EQ(tabellen.GetFilesString(), u"");
    Fill(3);
    EXPECT_EQ(tabellen.GetFilesString(), u"a.tab|b.tab|c.tab");
}

TEST_F(TableOrder, AnOrderStringPutsTheNamedTablesFirstAndKeepsTheCurrentOne) {
    struct Row {
        std::u16string_view order, expected;
    };
    const Row rows[] = {
        {u"c.tab|a.tab", u"c.tab|a.tab|b.tab|d.tab"},
        {u" C.TAB | | b.tab ", u"c.tab|b.tab|a.tab|d.tab"},     // blanks, empty fields and case ignored
        {u"x.tab|d.tab", u"d.tab|a.tab|b.tab|c.tab"},           // an unknown name is skipped
        {u"c.tab|b.tab|c.tab", u"b.tab|a.tab|c.tab|d.tab"},     // a second mention moves it again
        {u"Z:\\elsewhere\\b.tab", u"b.tab|a.tab|c.tab|d.tab"},  // a path counts by its bare name
        {u"", u"a.tab|b.tab|c.tab|d.tab"},
    };
    Fill(4);
    for (const Row& row : rows) {
        tabellen.Load(Latin1Codecs());
        MakeCurrent(u"c.tab");
        tabellen.SetFilesString(row.order);
        EXPECT_EQ(tabellen.GetFilesString(), row.expected) << "order " << U16ToUtf8(row.order);
        EXPECT_EQ(CurrentName(), u"c.tab");
        EXPECT_EQ(tabellen.GetTabs(tabellen.AktTabFilenameIndex())->Titel(), u"Tabelle c");
    }
}

TEST_F(TableOrder, AtMostNineTablesStayAndACutCurrentTableIsNoLongerFound) {
    Fill(10);
    MakeCurrent(u"j.tab");
    tabellen.SetFilesString(u"");
    EXPECT_EQ(tabellen.Count(), 9);
    EXPECT_EQ(tabellen.GetFilesString(), u"a.tab|b.tab|c.tab|d.tab|e.tab|f.tab|g.tab|h.tab|i.tab");
    EXPECT_EQ(tabellen.AktTabFilenameIndex(), -1);
    EXPECT_EQ(tabellen.AktTab(), nullptr);

    tabellen.Load(Latin1Codecs());
    tabellen.SetFilesString(u"j.tab");
    EXPECT_EQ(tabellen.GetFilesString(), u"j.tab|a.tab|b.tab|c.tab|d.tab|e.tab|f.tab|g.tab|h.tab");
}

TEST_F(TableOrder, MoveShiftsTheTablesBetweenAndExchangeSwapsTwo) {
    struct Row {
        bool move;
        int index1, index2;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {true, 0, 2, u"b.tab|c.tab|a.tab|d.tab"},  {true, 3, 1, u"a.tab|d.tab|b.tab|c.tab"},
        {false, 0, 2, u"c.tab|b.tab|a.tab|d.tab"}, {true, 1, 1, u"a.tab|b.tab|c.tab|d.tab"},
        {true, 0, 4, u"a.tab|b.tab|c.tab|d.tab"},  {false, -1, 2, u"a.tab|b.tab|c.tab|d.tab"},
    };
    Fill(4);
    for (const Row& row : rows) {
        tabellen.Load(Latin1Codecs());
        MakeCurrent(u"a.tab");
        if (row.move)
            tabellen.Move(row.index1, row.index2);
        else
            tabellen.Exchange(row.index1, row.index2);
        EXPECT_EQ(tabellen.GetFilesString(), row.expected) << row.index1 << " " << row.index2;
        EXPECT_EQ(CurrentName(), u"a.tab");
        EXPECT_EQ(tabellen.GetTabs(tabellen.AktTabFilenameIndex())->Titel(), u"Tabelle a");
    }
}
