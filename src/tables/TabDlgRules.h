// The rules of the table dialog that need no window: its texts, the rows it
// shows, how a drag or Ctrl+Up/Ctrl+Down reorders the table list, and the
// proportions of its layout.
#pragma once

#include "settings/DatenC.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

namespace tabdlg {
inline constexpr std::u16string_view Caption = u"Datenbank für Modus 5 wählen";
inline constexpr std::u16string_view ListLabel = u"&Tabellen:";
inline constexpr std::u16string_view ColumnTabelle = u"Tabelle";
inline constexpr std::u16string_view ColumnKurztaste = u"Kurztaste";
inline constexpr std::u16string_view Ok = u"O&K";
inline constexpr std::u16string_view Abbrechen = u"&Abbrechen";
inline constexpr std::u16string_view Oben = u"Nach &oben";
inline constexpr std::u16string_view Unten = u"Nach &unten";
inline constexpr std::u16string_view ObenShortCut = u"Strg+Oben";
inline constexpr std::u16string_view UntenShortCut = u"Strg+Unten";
// Handed to the screen reader when the list gets the focus.
inline constexpr std::u16string_view TolkListe = u"Tabellen, verschieben mit Strg+Pfeil oben oder unten";
}  // namespace tabdlg

// The shortcut shown for list position p: "Umsch+Strg+p+1", or "-" beyond
// the ninth position.
std::u16string TabDlgKurztaste(int position);

struct TTabDlgRow {
    std::u16string Titel;
    std::u16string Kurztaste;
    bool operator==(const TTabDlgRow&) const = default;
};

// One row per listed table, in list order.
std::vector<TTabDlgRow> TabDlgRows(const TTabellen& tabellen);

// The row to select after filling: the current table's, row 0 when no
// table is current, -1 when there are no rows.
int TabDlgStartRow(const TTabellen& tabellen);

// The vertical extent of a shown row in the list's client coordinates.
struct TRowSpan {
    int Top = 0;
    int Bottom = 0;  // exclusive
};

// The row a drop at height Y lands on: the row under it, the last row when
// Y lies below all rows, -1 above the first row (the column header) or
// without rows.
int TabDlgDropRow(std::span<const TRowSpan> rows, int y);

// Moves the table of row Index1 to row Index2 (a drop or one step up or
// down); the current table stays current. Gives the row to select
// afterwards, Index2, or -1 when nothing moved (no selection, a target
// outside the list, or the row itself).
int TabDlgMoveRow(TTabellen& tabellen, int index1, int index2);
// One step: up (Ctrl+Up, "Nach oben") or down; -1 when nothing moved.
int TabDlgMoveByOne(TTabellen& tabellen, int index1, bool upS);

struct TTabDlgRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TTabDlgRect&) const = default;
};

struct TTabDlgSize {
    int Width = 0, Height = 0;
    bool operator==(const TTabDlgSize&) const = default;
};

// The dialog's outer size: 90% of the owner's width and 80% of its height,
// each rounded to the nearest pixel.
TTabDlgSize TabDlgSize(int ownerWidth, int ownerHeight);

struct TTabDlgLayout {
    TTabDlgRect Label, List, Ok, Cancel;
};

// Places the label and, 5 below it, the list with margins of 10, and the two
// buttons side by side below the list, the gaps beside them equal
// ((client width - 2 buttons) div 3). Sizes never go below 0.
TTabDlgLayout TabDlgLayout(int clientWidth, int clientHeight, int labelHeight, int buttonWidth, int buttonHeight);

struct TTabDlgColumns {
    int Tabelle = 0, Kurztaste = 0;
    bool operator==(const TTabDlgColumns&) const = default;
};

// The widths of the columns "Tabelle" (75%, rounded) and "Kurztaste" (the
// rest) for the list's inner width. Where the rest is narrower than
// KurztasteNeeded (the widest shortcut text), "Kurztaste" takes that width,
// as far as the list reaches, so that no shortcut is cut off.
TTabDlgColumns TabDlgColumns(int listClientWidth, int kurztasteNeeded = 0);

}  // namespace korvalin
