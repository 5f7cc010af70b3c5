#include "tables/TabDlgRules.h"

#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

namespace {

constexpr int kMargin = 10;
constexpr int kLabelSpacing = 5;

// Value * Percent / 100 rounded to the nearest integer, halves away from
// zero; exact in integers.
int Percent(int value, int percent) {
    const long long scaled = static_cast<long long>(value) * percent;
    return int(scaled >= 0 ? (scaled + 50) / 100 : -((-scaled + 50) / 100));
}

}  // namespace

std::u16string TabDlgKurztaste(int position) {
    if (position < 0 || position >= int(TTabellen::kMaxTables)) return u"-";
    return Format(u"Umsch+Strg+%d", {position + 1});
}

std::vector<TTabDlgRow> TabDlgRows(const TTabellen& tabellen) {
    std::vector<TTabDlgRow> rows;
    for (int i = 0; i < tabellen.Count(); ++i)
        if (const TTab* tab = tabellen.GetTabs(i)) rows.push_back({tab->Titel(), TabDlgKurztaste(i)});
    return rows;
}

int TabDlgStartRow(const TTabellen& tabellen) {
    if (tabellen.Count() == 0) return -1;
    const int current = tabellen.AktTabFilenameIndex();
    return current >= 0 && current < tabellen.Count() ? current : 0;
}

int TabDlgDropRow(std::span<const TRowSpan> rows, int y) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (y >= rows[i].Top && y < rows[i].Bottom) return int(i);
    if (!rows.empty() && y >= rows.back().Bottom) return int(rows.size()) - 1;
    return -1;
}

int TabDlgMoveRow(TTabellen& tabellen, int index1, int index2) {
    if (index1 < 0 || index2 < 0 || index1 == index2 || index1 >= tabellen.Count() || index2 >= tabellen.Count())
        return -1;
    tabellen.Move(index1, index2);
    return index2;
}

int TabDlgMoveByOne(TTabellen& tabellen, int index1, bool upS) {
    if (index1 < 0) return -1;
    return TabDlgMoveRow(tabellen, index1, upS ? index1 - 1 : index1 + 1);
}

TTabDlgSize TabDlgSize(int ownerWidth, int ownerHeight) {
    return {Percent(ownerWidth, 90), Percent(ownerHeight, 80)};
}

TTabDlgLayout TabDlgLayout(int clientWidth, int clientHeight, int labelHeight, int buttonWidth, int buttonHeight) {
    TTabDlgLayout layout;
    const int innerWidth = std::max(clientWidth - 2 * kMargin, 0);
    layout.Label = {kMargin, kMargin, innerWidth, std::max(labelHeight, 0)};
    const int listTop = layout.Label.Bottom() + kLabelSpacing;
    const int listHeight = std::max(clientHeight - listTop - buttonHeight - 2 * kMargin, 0);
    layout.List = {kMargin, listTop, innerWidth, listHeight};
    const int buttonTop = layout.List.Bottom() + kMargin;
    const int okLeft = std::max((clientWidth - 2 * buttonWidth) / 3, 0);
    layout.Ok = {okLeft, buttonTop, buttonWidth, buttonHeight};
    layout.Cancel = {2 * okLeft + buttonWidth, buttonTop, buttonWidth, buttonHeight};
    return layout;
}

TTabDlgColumns TabDlgColumns(int listClientWidth, int kurztasteNeeded) {
    const int width = std::max(listClientWidth, 0);
    const int kurztaste = std::max(width - Percent(width, 75), std::min(kurztasteNeeded, width));
    return {width - kurztaste, kurztaste};
}

}  // namespace korvalin
