#include "tables/BrailleCells.h"

#include "app/ResConst.h"
#include "input/Translation.h"
#include "settings/DatenC.h"
#include "tables/TabPruefC.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

namespace {

constexpr char16_t kFirstBraillePattern = 0x2800;
constexpr char16_t kLastBraillePattern = 0x28FF;
constexpr TCell kCell456 = 0x38;

bool IsBraillePattern(char16_t c) { return c >= kFirstBraillePattern && c <= kLastBraillePattern; }
bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsBreak(char16_t c) { return IsLineBreak(c) || c == u'\f'; }

// The cells of a table key: "0" the empty cell, else dot patterns joined by
// "|"; nothing for a name that is no key.
std::optional<TCellLine> KeyCells(std::u16string_view name) {
    if (!DotPatternFault(name).empty()) return std::nullopt;
    TCellLine cells(1, 0);
    for (const char16_t c : name) {
        if (c == u'|') cells.push_back(0);
        else if (c != u'0') cells.back() |= TCell(1 << (c - u'1'));
    }
    return cells;
}

// The cell of a Standard.tab key: a 6-dot pattern, "0", or "4567" for the
// cell 4-5-6 as the translator looks it up.
std::optional<TCell> StandardKeyCell(std::u16string_view name) {
    if (name == u"4567") return kCell456;
    const auto cells = KeyCells(name);
    if (!cells || cells->size() != 1 || (cells->front() & kDots78)) return std::nullopt;
    return cells->front();
}

struct TTableLine {
    std::u16string_view Name;
    std::u16string Value;
};
// The name and the text of the value of a table line; nothing for a line
// without "=" or with a value that gives no text.
std::optional<TTableLine> ReadTableLine(std::u16string_view line) {
    const size_t separator = line.find(u'=');
    if (separator == std::u16string_view::npos) return std::nullopt;
    auto text = ValueToText(line.substr(separator + 1));
    if (!text) return std::nullopt;
    return TTableLine{line.substr(0, separator), std::move(*text)};
}

// Upper-case ASCII: ` a-z { | } ~ fold onto @ A-Z [ \ ] ^.
char FoldedByte(char byte) { return byte >= 0x60 && byte <= 0x7E ? char(byte - 0x20) : byte; }

std::u16string HexCode(std::u16string_view character) {
    char32_t code = character.front();
    if (character.size() == 2) code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00);
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string hex;
    for (; code != 0 || hex.size() < 4; code >>= 4) hex.insert(hex.begin(), digits[code & 0xF]);
    return hex;
}

std::u16string PlacesMessage(std::u16string_view head, const std::vector<std::u16string>& places, int count) {
    std::u16string message(head);
    for (const std::u16string& place : places) message += u"\r\n" + place;
    if (count > int(places.size()))
        message += u"\r\n" + Format(texts::BrailleMorePlaces, {std::int64_t(count - int(places.size()))});
    return message + u"\r\n" + std::u16string(texts::BrailleNothingWritten);
}

}  // namespace

// ---- Braille ASCII ----

TBrailleAscii::TBrailleAscii(const TStringList& tabStandard) {
    for (const std::u16string& text : tabStandard.Lines()) {
        const auto line = ReadTableLine(text);
        if (!line || line->Value.size() != 1 || line->Value[0] < 0x20 || line->Value[0] > 0x7E) continue;
        const auto cell = StandardKeyCell(line->Name);
        if (!cell) continue;
        const char byte = FoldedByte(char(line->Value[0]));
        if (!FChars[*cell]) FChars[*cell] = byte;
        if (!FCells[size_t(byte)]) FCells[size_t(byte)] = *cell;
    }
}

std::optional<char> TBrailleAscii::CharOf(TCell cell) const {
    return cell < FChars.size() ? FChars[cell] : std::nullopt;
}

std::optional<TCell> TBrailleAscii::CellOf(char byte) const {
    const auto code = static_cast<unsigned char>(FoldedByte(byte));
    return code < FCells.size() ? FCells[code] : std::nullopt;
}

// ---- tables for the conversion ----

TCellTables::TCellTables(const TStringList& tabStandard, const TStringList& tab1, const TFonts& fonts)
    : FAscii(tabStandard) {
    for (const std::u16string& text : tabStandard.Lines()) {
        auto line = ReadTableLine(text);
        if (!line) continue;
        if (const auto cell = StandardKeyCell(line->Name))
            FStandard[LowerCaseChar(line->Value[0])].push_back({LowerCase(line->Value), TCellLine{*cell}});
    }
    for (const std::u16string& text : tab1.Lines()) {
        auto line = ReadTableLine(text);
        if (!line) continue;
        if (auto cells = KeyCells(line->Name)) FTab1[line->Value[0]].push_back({std::move(line->Value), std::move(*cells)});
    }
    for (TIndex* index : {&FStandard, &FTab1})
        for (auto& [first, entries] : *index)
            std::stable_sort(entries.begin(), entries.end(),
                             [](const TEntry& a, const TEntry& b) { return a.Value.size() > b.Value.size(); });

    // The braille faces of the settings and of the shipped lists; a face that
    // an ink list (modes 0, 2, 5) names as well is no trace of a braille mode.
    TEinstellungen shipped;
    StandardEinstellungenSetzen(shipped, u"");
    const std::initializer_list<const TFonts*> bothLists = {&fonts, &shipped.Fonts};
    std::vector<std::u16string> inkFaces;
    for (const TFonts* lists : bothLists) {
        for (const int mode : {0, 2, 5})
            for (const TFontEntry& entry : (*lists)[size_t(mode)])
                if (const auto tokens = Tokens(entry.Settings); !tokens.empty()) inkFaces.push_back(LowerCase(tokens[0]));
    }
    for (const TFonts* lists : bothLists) {
        for (const int mode : {1, 3, 4}) {
            const auto& list = (*lists)[size_t(mode)];
            for (size_t entry = 0; entry < list.size(); ++entry) {
                const auto tokens = Tokens(list[entry].Settings);
                if (tokens.empty()) continue;
                std::u16string face = LowerCase(tokens[0]);
                if (std::find(inkFaces.begin(), inkFaces.end(), face) != inkFaces.end()) continue;
                const TCell dots = mode == 1 && entry < 4 ? TCell(((entry & 1) ? 0x40 : 0) | ((entry & 2) ? 0x80 : 0)) : 0;
                FFaceDots.emplace(std::move(face), dots);
            }
        }
    }
}

std::optional<TCell> TCellTables::BrailleFaceDots(std::u16string_view face) const {
    const auto found = FFaceDots.find(LowerCase(face));
    return found == FFaceDots.end() ? std::nullopt : std::optional<TCell>(found->second);
}

namespace {

const TCellTables::TEntry* LongestMatch(const std::unordered_map<char16_t, std::vector<TCellTables::TEntry>>& index,
                                        std::u16string_view text) {
    if (text.empty()) return nullptr;
    const auto bucket = index.find(text.front());
    if (bucket == index.end()) return nullptr;
    for (const TCellTables::TEntry& entry : bucket->second)
        if (text.substr(0, entry.Value.size()) == entry.Value) return &entry;
    return nullptr;
}

}  // namespace

const TCellTables::TEntry* TCellTables::MatchTab1(std::u16string_view text) const { return LongestMatch(FTab1, text); }

const TCellTables::TEntry* TCellTables::MatchStandard(std::u16string_view lowerText) const {
    return LongestMatch(FStandard, lowerText);
}

// ---- building documents ----

void TBrailleDocumentBuilder::Cell(TCell cell) { FLine.push_back(cell); }

void TBrailleDocumentBuilder::LineBreak() {
    FPage.Lines.push_back(std::move(FLine));
    FLine.clear();
}

void TBrailleDocumentBuilder::PageBreak() {
    if (!FLine.empty()) LineBreak();
    FDocument.Pages.push_back(std::move(FPage));
    FPage = {};
}

TBrailleDocument TBrailleDocumentBuilder::Finish() {
    if (!FLine.empty()) LineBreak();
    if (!FPage.Lines.empty()) PageBreak();
    return std::move(FDocument);
}

// ---- text to cells ----

namespace {

// A stretch of the text in faces of one kind: braille faces adding the same
// dots, or other text.
struct TStretch {
    size_t Start = 0;
    std::optional<TCell> FaceDots;
};

class TCellConverter {
public:
    TCellConverter(const TCellTables& tables, TCellConversion& result) : FTables(tables), FResult(result) {}

    // Converts the characters at the start of Text (no line or page break
    // among them), Lower being the same in lower case; gives how many
    // UTF-16 units it took.
    size_t Convert(std::u16string_view text, std::u16string_view lower, std::optional<TCell> faceDots,
                   TTextPosition position) {
        if (IsBraillePattern(text.front())) {
            Add(TCell(text.front() - kFirstBraillePattern), position);
            return 1;
        }
        const TCell dots = faceDots.value_or(0);
        const TCellTables::TEntry* entry = faceDots ? nullptr : FTables.MatchTab1(text);
        if (!entry) entry = FTables.MatchStandard(lower);
        if (entry) {
            for (const TCell cell : entry->Cells) Add(cell | dots, position);
            return entry->Value.size();
        }
        if (text.front() == u' ') {
            Add(dots, position);
            return 1;
        }
        const size_t length = text.size() > 1 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 &&
                                      text[1] <= 0xDFFF
                                  ? 2
                                  : 1;
        if (FResult.Unconvertible.size() < kMaxReportedPlaces)
            FResult.Unconvertible.push_back({position, std::u16string(text.substr(0, length))});
        ++FResult.UnconvertibleCount;
        return length;
    }

    TBrailleDocumentBuilder Builder;

private:
    void Add(TCell cell, TTextPosition position) {
        if (cell & kDots78) {
            if (FResult.EightDotCells.size() < kMaxReportedPlaces) FResult.EightDotCells.push_back(position);
            ++FResult.EightDotCount;
        }
        Builder.Cell(cell);
    }

    const TCellTables& FTables;
    TCellConversion& FResult;
};

}  // namespace

TCellConversion TextToCells(const std::vector<TTextRun>& runs, const TCellTables& tables) {
    std::u16string text;
    std::vector<TStretch> stretches;
    for (const TTextRun& run : runs) {
        const auto dots = tables.BrailleFaceDots(run.FaceName);
        if (stretches.empty() || stretches.back().FaceDots != dots) stretches.push_back({text.size(), dots});
        text += run.Text;
    }
    const std::u16string lower = LowerCase(text);
    const std::u16string_view all(text), allLower(lower);

    TCellConversion result;
    TCellConverter converter(tables, result);
    size_t stretch = 0, lineStart = 0, chunkEnd = 0;  // the chunk: up to the next break or stretch
    int line = 1;
    for (size_t i = 0; i < text.size();) {
        while (stretch + 1 < stretches.size() && stretches[stretch + 1].Start <= i) ++stretch;
        const char16_t c = text[i];
        if (IsLineBreak(c)) {
            converter.Builder.LineBreak();
            i += c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
            ++line;
            lineStart = i;
        } else if (c == u'\f') {
            converter.Builder.PageBreak();
            ++i;
        } else {
            if (chunkEnd <= i) {
                const size_t end = stretch + 1 < stretches.size() ? stretches[stretch + 1].Start : text.size();
                chunkEnd = size_t(std::find_if(all.begin() + i, all.begin() + end, IsBreak) - all.begin());
            }
            i += converter.Convert(all.substr(i, chunkEnd - i), allLower.substr(i, chunkEnd - i),
                                   stretches[stretch].FaceDots, {line, int(i - lineStart) + 1});
        }
    }
    result.Document = converter.Builder.Finish();
    return result;
}

std::u16string CellsToText(const TBrailleDocument& document) {
    std::u16string text;
    for (const TBraillePage& page : document.Pages) {
        for (const TCellLine& line : page.Lines) {
            for (const TCell cell : line) text += char16_t(kFirstBraillePattern + cell);
            text += u'\r';
        }
        text += u'\f';
    }
    return text;
}

std::u16string UnconvertibleMessage(const TCellConversion& conversion) {
    std::vector<std::u16string> places;
    for (const TUnconvertibleChar& c : conversion.Unconvertible)
        places.push_back(Format(texts::BraillePlaceChar, {std::int64_t(c.Position.Zeile), std::int64_t(c.Position.Spalte),
                                                          std::u16string_view(c.Zeichen), HexCode(c.Zeichen)}));
    return PlacesMessage(texts::BrailleUnconvertible, places, conversion.UnconvertibleCount);
}

std::u16string EightDotMessage(const TCellConversion& conversion) {
    std::vector<std::u16string> places;
    for (const TTextPosition& p : conversion.EightDotCells)
        places.push_back(Format(texts::BraillePlace, {std::int64_t(p.Zeile), std::int64_t(p.Spalte)}));
    return PlacesMessage(texts::BrailleEightDots, places, conversion.EightDotCount);
}

}  // namespace korvalin
