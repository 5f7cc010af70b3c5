// The rules of the per-mode font dialog that need no window: the size range,
// which modes may be bold and italic, the colour rows, the test line, what
// the dialog starts with, how its result is written into a mode's font list,
// and the arithmetic of its layout.
#pragma once

#include "appearance/FontSpec.h"
#include "appearance/ModeFonts.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

inline constexpr int kSchriftGroesseMin = 8;
inline constexpr int kSchriftGroesseMax = 72;

inline constexpr std::u16string_view SchriftDlgCaption = u"Schriftart für Modus %d einstellen";
inline constexpr std::u16string_view SchriftDlgGroesseLabel = u"&Größe (%d-%d):";
inline constexpr std::u16string_view SchriftDlgTolkGroesse = u"Größe (%d bis %d)";
inline constexpr std::u16string_view SchriftDlgTolkFarbe = u"Farbe";
inline constexpr std::u16string_view SchriftDlgTolkTestzeile = u"Testzeile:";

// The braille-cell fonts of modes 1, 3 and 4 are neither bold nor italic;
// modes 0, 2 and 5 may be both.
bool SchriftstilErlaubt(int mode);
// Clears bold and italic where the mode allows neither.
void SchriftstilBereinigen(TFontValue& font, int mode);

// The size field: its trimmed text as an integer from 8 to 72, else nothing.
std::optional<int> ParseSchriftGroesse(std::u16string_view text);

// One row of the colour list: the German name shown and the identifier of
// its colour.
struct TSchriftFarbe {
    std::u16string_view Name;
    std::u16string_view Ident;
};
// The 16 standard colours, in the order of the colour identifiers.
extern const std::array<TSchriftFarbe, 16> SchriftFarben;
// The row whose identifier is the text of Color (compared without regard to
// case); row 0 when no row has it.
int SchriftFarbzeile(TColor color);

// The test line of a mode: the braille text with the mode's braille digit
// for mode 2, the line "Testzeile Modus n: ..." for every other mode.
std::u16string TestzeileText(int mode);

// What the dialog for a mode starts with, read from the mode's list and from
// the list of the default settings.
struct TModusSchrift {
    TFontValue Schrift;        // entry 0, without bold and italic where the mode allows none
    TFontValue Standard;       // entry 0 of the defaults, the same way
    bool StandardS = false;    // whether the defaults have a list for the mode
    std::u16string TestSpec;   // font string of the test line's face (dots 8 in mode 1)
    bool TestUnicodeBrailleS = false;  // mode 2: the face for Unicode braille instead
};
// Nothing for an empty list or a mode outside 0 to 5.
std::optional<TModusSchrift> ModusSchriftLesen(const TFonts& fonts, const TFonts& defaults, int mode);

// The confirmed font: Start with the dialog's size, style and colour;
// underline, strike-out and charset stay; bold and italic only where the
// mode allows them.
TFontValue ModusSchriftErgebnis(TFontValue start, int mode, int size, bool bold, bool italic, TColor color);
// Gives every entry of List the size, charset, style and colour of Font and
// keeps each entry's face and file.
void ModusSchriftSchreiben(std::vector<TFontEntry>& list, const TFontValue& font);

// ---- layout ----

struct TDlgRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TDlgRect&) const = default;
};

// Of several captions, the longest (by characters) without its "&".
std::u16string LaengsteBeschriftung(std::initializer_list<std::u16string_view> captions);

// What the layout is computed from, measured in the dialog's fonts, in pixels.
struct TSchriftDlgMasse {
    int OwnerWidth = 0;
    int FrameWidth = 0;               // window width less client width
    int ButtonWidth = 0, ButtonHeight = 0;
    int GroesseLabelWidth = 0;        // the size label, without "&"
    int GroesseWidth = 0, GroesseHeight = 0;
    int UpDownWidth = 0;
    int CheckBox1Width = 0, CheckBox2Width = 0, CheckBoxHeight = 0;
    int TestLabelHeight = 0;
    int TestHeightMax = 0;            // the test line at the largest size
    int ListViewMinWidth = 0;         // the widest colour name with the scroll bar
};

struct TSchriftDlgLayout {
    TDlgRect GroesseLabel, Groesse, UpDown, CheckBox1, CheckBox2, ListView, Standard, Ok, Abbrechen;
    int ClientWidth = 0, ClientHeight = 0;
};

// Size field with its label on the left, then the spinner and the two check
// boxes in one row at the top; the colour list on the right, ten check box
// heights tall; the three buttons below it, spread evenly. The client is 70 %
// as wide as the owner, or wider where the controls need it (the list shows
// its widest name, and at least 80 pixels), and the list is tall enough for
// the test line at its largest size.
TSchriftDlgLayout SchriftDlgLayout(const TSchriftDlgMasse& m);

// The test line (and its label above it) between the check boxes and the
// bottom of the colour list, left of the list.
struct TTestzeileLayout {
    TDlgRect Label, Test;
};
TTestzeileLayout TestzeileLayout(const TSchriftDlgLayout& layout, int labelHeight, int testHeight);

}  // namespace korvalin
