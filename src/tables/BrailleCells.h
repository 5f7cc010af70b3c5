// The document as braille cells: which cells the text stands for, decided by
// the working tables and by the faces of the mode font lists, and the text of
// cells read from a braille file.
#pragma once

#include "appearance/ModeFonts.h"
#include "util/StringList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvalin {

// A braille cell as a dot mask: bit 0 is dot 1 ... bit 7 is dot 8; 0 is the
// empty cell.
using TCell = std::uint8_t;
using TCellLine = std::vector<TCell>;

inline constexpr TCell kDots78 = 0xC0;

struct TBraillePage {
    std::vector<TCellLine> Lines;
    bool operator==(const TBraillePage&) const = default;
};

// Pages of lines of cells; a written file ends every page with a form feed.
struct TBrailleDocument {
    std::vector<TBraillePage> Pages;
    bool operator==(const TBrailleDocument&) const = default;
};

// Builds a document from a stream of cells, line breaks and page breaks:
// a page break also ends a line that has cells; at the end an unfinished
// line and a page that has lines are kept.
class TBrailleDocumentBuilder {
public:
    void Cell(TCell cell);
    void LineBreak();
    void PageBreak();
    TBrailleDocument Finish();

private:
    TBrailleDocument FDocument;
    TBraillePage FPage;
    TCellLine FLine;
};

// One stretch of the document's text in one face, in document order. The
// text is the editor's own, without a final paragraph mark of its own.
struct TTextRun {
    std::u16string Text;
    std::u16string FaceName;
};

// A place in the document text: the line (counted at CR, LF and CR LF) and
// the column in UTF-16 units, both from 1.
struct TTextPosition {
    int Zeile = 0;
    int Spalte = 0;
    bool operator==(const TTextPosition&) const = default;
};

struct TUnconvertibleChar {
    TTextPosition Position;
    std::u16string Zeichen;  // one character: one or two UTF-16 units
    bool operator==(const TUnconvertibleChar&) const = default;
};

// How many places a message names at most.
inline constexpr std::size_t kMaxReportedPlaces = 10;

struct TCellConversion {
    TBrailleDocument Document;                      // to be written only when Unconvertible is empty
    std::vector<TUnconvertibleChar> Unconvertible;  // the first kMaxReportedPlaces characters no table covers
    int UnconvertibleCount = 0;                     // all of them
    std::vector<TTextPosition> EightDotCells;       // the first places of cells with dot 7 or 8
    int EightDotCount = 0;                          // all of them
};

// Braille ASCII as Standard.tab holds it: each 6-dot cell and the character
// shown for it. The table's key "4567" and "456" both name cell 4-5-6; where
// a cell or a character has several lines, the first counts.
class TBrailleAscii {
public:
    explicit TBrailleAscii(const TStringList& tabStandard);
    // The byte of the cell, letters in upper case; nothing for a cell with
    // dot 7 or 8 or without a one-byte character in the table.
    std::optional<char> CharOf(TCell cell) const;
    // The cell of a byte in either letter case (a to z, and ` { | } ~ as
    // the lower case of @ [ \ ] ^); nothing for a byte the table lacks.
    std::optional<TCell> CellOf(char byte) const;

private:
    std::array<std::optional<char>, 64> FChars{};
    std::array<std::optional<TCell>, 128> FCells{};
};

// What the conversion from text to cells reads from the tables and fonts,
// built once per export.
class TCellTables {
public:
    // TabStandard and Tab1 are the working tables; Fonts the mode font lists
    // of the settings (the lists as shipped count too).
    TCellTables(const TStringList& tabStandard, const TStringList& tab1, const TFonts& fonts);

    // The dots a braille face of the mode 1, 3 or 4 lists adds to the cells
    // of its characters (dot 7 for mode-1 entry 1, dot 8 for entry 2, both
    // for entry 3, none otherwise), compared without regard to case; nothing
    // for a face that is no braille face, and for one that the lists of
    // modes 0, 2 or 5 name as well (it cannot tell the mode).
    std::optional<TCell> BrailleFaceDots(std::u16string_view face) const;

    const TBrailleAscii& Ascii() const { return FAscii; }

    // One table value and the cells of its key.
    struct TEntry {
        std::u16string Value;  // lower case in the Standard.tab index
        TCellLine Cells;
    };
    // The longest value of Tab1 that Text begins with; of values of one
    // length the first in the table. Nothing when none matches.
    const TEntry* MatchTab1(std::u16string_view text) const;
    // The same for Standard.tab without regard to case; LowerText is the
    // text in lower case (LowerCase).
    const TEntry* MatchStandard(std::u16string_view lowerText) const;

private:
    // Entries by the first UTF-16 unit of their value, longest value first.
    using TIndex = std::unordered_map<char16_t, std::vector<TEntry>>;

    TBrailleAscii FAscii;
    TIndex FStandard;
    TIndex FTab1;
    std::unordered_map<std::u16string, TCell> FFaceDots;  // lower-case face to its dots
};

// The cells of the document, position by position:
// - a braille pattern character U+2800 to U+28FF is its cell;
// - text in a braille face is the cell Standard.tab gives each character in
//   either letter case, plus the dots of its face;
// - other text: at each position the longest matching value of Tab1 gives
//   the cells of its key (a combination key gives several cells), else the
//   longest value of Standard.tab compared without regard to case;
// - a blank no table covers is the empty cell;
// CR, LF and CR LF end a line, a form feed ends the page (and a line it
// ends); a line break at the very end adds no empty line.
TCellConversion TextToCells(const std::vector<TTextRun>& runs, const TCellTables& tables);

// The text of cells as the editor shows them: Unicode braille U+2800 + mask,
// each line ended by CR, each page by a form feed. TextToCells of it gives
// the document back.
std::u16string CellsToText(const TBrailleDocument& document);

// The German messages: which characters no table covers, and where cells
// with dots 7 or 8 stand that Braille ASCII cannot hold. Both name up to
// kMaxReportedPlaces places and say that nothing was written.
std::u16string UnconvertibleMessage(const TCellConversion& conversion);
std::u16string EightDotMessage(const TCellConversion& conversion);

}  // namespace korvalin
