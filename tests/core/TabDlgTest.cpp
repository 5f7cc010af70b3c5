#include <gtest/gtest.h>

#include "TestFiles.h"
#include "settings/DatenC.h"
#include "tables/TabDlgRules.h"

using namespace korvalin;
using korvalin::testing::Latin1Codecs;
using korvalin::testing::TTempFolder;

namespace {

// The tables a.tab, b.tab, ... titled "Tabelle a", ..., with c.tab current.
class TabDlgOrder : public ::testing::Test {
protected:
    void Fill(int count, std::u16string_view current = u"c.tab") {
        for (int i = 0; i < count; ++i) {
            const std::string name(1, char('a' + i));
            folder.Write("Tabellen/" + name + ".tab", "Tabelle " + name + "\r\n1=97\r\n");
        }
        tabellen.Load(Latin1Codecs());
        tabellen.SetAktTabFilename(current);
    }
    std::u16string CurrentName() const { return std::u16string(BareFilename(tabellen.AktTabFilename())); }

    TTempFolder folder;
    TTabellen tabellen{folder.Folder()};
};

}  // namespace

TEST(TabDlgRules, ShortcutTextNamesPositionsOneToNineAndADashBeyond) {
    const struct {
        int position;
        std::u16string_view text;
    } rows[] = {{0, u"Umsch+Strg+1"}, {4, u"Umsch+Strg+5"}, {8, u"Umsch+Strg+9"}, {9, u"-"}, {12, u"-"}, {-1, u"-"}};
    for (const auto& row : rows) EXPECT_EQ(TabDlgKurztaste(row.position), row.text) << row.position;
}

TEST_F(TabDlgOrder, RowsShowTitlesAndShortcutsInListOrderAndStartOnTheCurrentTable) {
    EXPECT_TRUE(TabDlgRows(tabellen).empty());
    EXPECT_EQ(TabDlgStartRow(tabellen), -1);
    Fill(3);
    const std::vector<TTabDlgRow> expected = {
        {u"Tabelle a", u"Umsch+Strg+1"}, {u"Tabelle b", u"Umsch+Strg+2"}, {u"Tabelle c", u"Umsch+Strg+3"}};
    EXPECT_EQ(TabDlgRows(tabellen), expected);
    EXPECT_EQ(TabDlgStartRow(tabellen), 2);
    tabellen.SetAktTabFilename(u"fehlt.tab");  // no table current: the first row
    EXPECT_EQ(TabDlgStartRow(tabellen), 0);
}

TEST_F(TabDlgOrder, DropMovesTheSelectedRowAndKeepsTheCurrentTable) {
    struct Row {
        int selected, target;
        int expectedSelection;
        std::u16string_view expectedOrder;
    };
    const Row rows[] = {
        {0, 2, 2, u"b.tab|c.tab|a.tab|d.tab"},
        {3, 0, 0, u"d.tab|a.tab|b.tab|c.tab"},
        {2, 3, 3, u"a.tab|b.tab|d.tab|c.tab"},   // the current table itself
        {1, 1, -1, u"a.tab|b.tab|c.tab|d.tab"},  // onto itself
        {-1, 2, -1, u"a.tab|b.tab|c.tab|d.tab"}, // nothing selected
        {1, -1, -1, u"a.tab|b.tab|c.tab|d.tab"}, // dropped on no row
        {1, 4, -1, u"a.tab|b.tab|c.tab|d.tab"},  // past the list
    };
    Fill(4);
    for (const Row& row : rows) {
        tabellen.SetFilesString(u"a.tab|b.tab|c.tab|d.tab");
        EXPECT_EQ(TabDlgMoveRow(tabellen, row.selected, row.target), row.expectedSelection)
            << row.selected << " to " << row.target;
        EXPECT_EQ(tabellen.GetFilesString(), row.expectedOrder) << row.selected << " to " << row.target;
        EXPECT_EQ(CurrentName(), u"c.tab");
        EXPECT_EQ(tabellen.GetTabs(tabellen.AktTabFilenameIndex())->Titel(), u"Tabelle c");
    }
}

TEST_F(TabDlgOrder, UpAndDownMoveOneStepAndStopAtTheEnds) {
    struct Row {
        int selected;
        bool upS;
        int expectedSelection;
        std::u16string_view expectedOrder;
    };
    const Row rows[] = {
        {2, true, 1, u"a.tab|c.tab|b.tab"},
        {0, false, 1, u"b.tab|a.tab|c.tab"},
        {0, true, -1, u"a.tab|b.tab|c.tab"},   // Ctrl+Up on the first row
        {2, false, -1, u"a.tab|b.tab|c.tab"},  // Ctrl+Down on the last row
        {-1, false, -1, u"a.tab|b.tab|c.tab"}, // nothing selected
    };
    Fill(3);
    for (const Row& row : rows) {
        tabellen.SetFilesString(u"a.tab|b.tab|c.tab");
        EXPECT_EQ(TabDlgMoveByOne(tabellen, row.selected, row.upS), row.expectedSelection) << row.selected;
        EXPECT_EQ(tabellen.GetFilesString(), row.expectedOrder) << row.selected;
        EXPECT_EQ(CurrentName(), u"c.tab");
    }
}

TEST(TabDlgRules, DropRowIsTheRowUnderThePointOrTheLastBelowAllRows) {
    const TRowSpan rows[] = {{20, 40}, {40, 60}, {60, 80}};
    const struct {
        int y, row;
    } cases[] = {{20, 0}, {39, 0}, {40, 1}, {79, 2}, {80, 2}, {500, 2}, {19, -1}, {-5, -1}};
    for (const auto& c : cases) EXPECT_EQ(TabDlgDropRow(rows, c.y), c.row) << c.y;
    EXPECT_EQ(TabDlgDropRow({}, 30), -1);
}

TEST(TabDlgRules, LayoutTakesItsProportionsFromOwnerFontAndList) {
    EXPECT_EQ(TabDlgSize(1200, 900), (TTabDlgSize{1080, 720}));
    EXPECT_EQ(TabDlgSize(1205, 903), (TTabDlgSize{1085, 722}));  // rounded, not cut
    const struct {
        int width, height, label, buttonWidth, buttonHeight;
    } rows[] = {{700, 500, 16, 90, 28}, {1061, 660, 43, 220, 55}};
    for (const auto& row : rows) {
        const TTabDlgLayout layout = TabDlgLayout(row.width, row.height, row.label, row.buttonWidth, row.buttonHeight);
        const int gap = (row.width - 2 * row.buttonWidth) / 3;
        EXPECT_EQ(layout.Label, (TTabDlgRect{10, 10, row.width - 20, row.label}));
        EXPECT_EQ(layout.List, (TTabDlgRect{10, 15 + row.label, row.width - 20,
                                            row.height - 15 - row.label - row.buttonHeight - 20}));
        EXPECT_EQ(layout.Ok, (TTabDlgRect{gap, layout.List.Bottom() + 10, row.buttonWidth, row.buttonHeight}));
        EXPECT_EQ(layout.Cancel, (TTabDlgRect{2 * gap + row.buttonWidth, layout.Ok.Top, row.buttonWidth,
                                              row.buttonHeight}));
        EXPECT_EQ(layout.Ok.Bottom(), row.height - 10);
    }
    EXPECT_EQ(TabDlgLayout(100, 40, 20, 40, 30).List.Height, 0);  // squeezed, never negative

    const struct {
        int width, needed;
        TTabDlgColumns columns;
    } columns[] = {
        {400, 0, {300, 100}}, {402, 0, {302, 100}}, {1037, 80, {778, 259}},
        {400, 160, {240, 160}},  // a large font: the shortcuts stay whole
        {120, 200, {0, 120}},    // but never wider than the list
        {-4, 0, {0, 0}},
    };
    for (const auto& row : columns) EXPECT_EQ(TabDlgColumns(row.width, row.needed), row.columns) << row.width;
}
