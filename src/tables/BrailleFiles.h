// Braille files: BRF (Braille ASCII, one byte a cell, CR LF line ends, a form
// feed after each page) and PEF 1.0 (the Portable Embosser Format, XML with
// Unicode braille rows), written from cells and read back into cells.
#pragma once

#include "tables/BrailleCells.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvalin {

// The page of an embosser: cells per line and lines per page.
struct TBrailleGeometry {
    int CellsPerLine = 40;
    int LinesPerPage = 25;
    bool operator==(const TBrailleGeometry&) const = default;
};
// The range both numbers may take (the line width limit fits).
inline constexpr int kBrailleGeometryMin = 1;
inline constexpr int kBrailleGeometryMax = 99;

// The document on the pages of Geometry: a line longer than CellsPerLine is
// broken at its last blank cell that leaves the line at most that long (the
// blank is dropped), or hard after CellsPerLine cells when it has none; each
// page is cut into pages of at most LinesPerPage lines. Numbers below 1
// count as 1.
TBrailleDocument LayoutPages(const TBrailleDocument& document, const TBrailleGeometry& geometry);

// The BRF bytes of the laid-out document: each line as Braille ASCII (upper
// case) followed by CR LF, a form feed after each page. Throws EKorvalin for
// a cell that Braille ASCII cannot hold (dot 7 or 8, or none in the table).
std::string WriteBrf(const TBrailleDocument& document, const TBrailleGeometry& geometry, const TBrailleAscii& ascii);

// The cells of BRF bytes: CR LF, CR and LF end a line, a form feed ends the
// page (and a line it ends); a line break at the very end adds no empty
// line. Letters in either case. Throws EKorvalin, naming line and column,
// for a byte that is no Braille ASCII.
TBrailleDocument ReadBrf(std::string_view bytes, const TBrailleAscii& ascii);

// A PEF 1.0 document (UTF-8) of the laid-out document: its title, the
// format and an identifier made from the content, one volume with the
// geometry, one section, a page element per page and a row per line; 8-dot
// cells allowed. A document without pages gets one empty page.
std::string WritePef(const TBrailleDocument& document, const TBrailleGeometry& geometry, std::u16string_view title);

// The pages and rows of a PEF document, of every volume and section in
// order. Reads the XML the format uses (prolog, comments, character and
// entity references, CDATA) without a system parser; throws EKorvalin with
// a German reason for anything else, for a root that is no "pef" element of
// the PEF namespace, for a row holding other than braille patterns, and for
// a document without a page.
TBrailleDocument ReadPef(std::string_view bytes);

// The kind of a document file, by its extension (either case): ".brf",
// ".pef", and RTF for every other name.
enum class TDocumentKind { Rtf, Brf, Pef };
TDocumentKind DocumentKindOf(std::u16string_view filename);

// The whole export of the editor's runs: the bytes to write or to send.
// Throws EKorvalin with the German message of UnconvertibleMessage or (BRF)
// EightDotMessage; then nothing may be written.
std::string ExportBrf(const std::vector<TTextRun>& runs, const TCellTables& tables, const TBrailleGeometry& geometry);
std::string ExportPef(const std::vector<TTextRun>& runs, const TCellTables& tables, const TBrailleGeometry& geometry,
                      std::u16string_view title);

// The editor text of an opened file (CellsToText of what it reads): Unicode
// braille, CR line ends, a form feed ending each page. Throws EKorvalin
// with the reason.
std::u16string ImportBrf(std::string_view bytes, const TBrailleAscii& ascii);
std::u16string ImportPef(std::string_view bytes);

}  // namespace korvalin
