#include "tables/BrailleFiles.h"

#include "app/ResConst.h"
#include "input/Translation.h"
#include "tables/TextFile.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

#include <algorithm>
#include <cstdint>

namespace korvalin {

namespace {

constexpr char16_t kFirstBraillePattern = 0x2800;
constexpr std::u16string_view kPefNamespace = u"http://www.daisy.org/ns/2008/pef";

// Appends the lines a line becomes at the width (at least 1).
void WrapLine(const TCellLine& line, size_t width, std::vector<TCellLine>& out) {
    size_t start = 0;
    while (line.size() - start > width) {
        size_t blank = start + width;
        while (blank > start && line[blank] != 0) --blank;
        const size_t end = blank > start ? blank : start + width;
        out.emplace_back(line.begin() + std::ptrdiff_t(start), line.begin() + std::ptrdiff_t(end));
        start = blank > start ? blank + 1 : end;
    }
    if (start == 0 || start < line.size()) out.emplace_back(line.begin() + std::ptrdiff_t(start), line.end());
}

}  // namespace

TBrailleDocument LayoutPages(const TBrailleDocument& document, const TBrailleGeometry& geometry) {
    const size_t width = size_t(std::max(geometry.CellsPerLine, 1));
    const size_t height = size_t(std::max(geometry.LinesPerPage, 1));
    TBrailleDocument laidOut;
    for (const TBraillePage& page : document.Pages) {
        std::vector<TCellLine> lines;
        for (const TCellLine& line : page.Lines) WrapLine(line, width, lines);
        if (lines.empty()) laidOut.Pages.emplace_back();
        for (size_t first = 0; first < lines.size(); first += height) {
            const auto from = lines.begin() + std::ptrdiff_t(first);
            laidOut.Pages.push_back({{from, from + std::ptrdiff_t(std::min(height, lines.size() - first))}});
        }
    }
    return laidOut;
}

// ---- BRF ----

std::string WriteBrf(const TBrailleDocument& document, const TBrailleGeometry& geometry, const TBrailleAscii& ascii) {
    std::string bytes;
    for (const TBraillePage& page : LayoutPages(document, geometry).Pages) {
        for (const TCellLine& line : page.Lines) {
            for (const TCell cell : line) {
                const auto byte = ascii.CharOf(cell);
                if (!byte) throw EKorvalin(Format(texts::BrfCellWithoutChar, {ExpandKeysInString(cell, false)}));
                bytes += *byte;
            }
            bytes += "\r\n";
        }
        bytes += '\f';
    }
    return bytes;
}

TBrailleDocument ReadBrf(std::string_view bytes, const TBrailleAscii& ascii) {
    TBrailleDocumentBuilder builder;
    std::int64_t line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (byte == '\r' || byte == '\n') {
            builder.LineBreak();
            if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            ++line;
            lineStart = i + 1;
        } else if (byte == '\f') {
            builder.PageBreak();
        } else if (const auto cell = ascii.CellOf(byte)) {
            builder.Cell(*cell);
        } else {
            throw EKorvalin(Format(texts::BrfByteNoBrailleAscii, {line, std::int64_t(i - lineStart + 1),
                                                                  std::int64_t(static_cast<unsigned char>(byte))}));
        }
    }
    return builder.Finish();
}

// ---- PEF writer ----

namespace {

// Text as XML character data or attribute value: markup characters as
// references, characters XML cannot hold left out.
std::string XmlEscaped(std::u16string_view text) {
    std::u16string kept;
    for (const char16_t c : text)
        if (c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r') kept += c;
    std::string escaped;
    for (const char c : U16ToUtf8(kept)) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string Utf8Braille(TCell cell) { return U16ToUtf8(std::u16string(1, char16_t(kFirstBraillePattern + cell))); }

// FNV-1a, 64 bits, as 16 hexadecimal digits.
std::string ContentHash(std::string_view bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) hex[size_t(i)] = digits[hash & 0xF];
    return hex;
}

}  // namespace

std::string WritePef(const TBrailleDocument& document, const TBrailleGeometry& geometry, std::u16string_view title) {
    TBrailleDocument laidOut = LayoutPages(document, geometry);
    if (laidOut.Pages.empty()) laidOut.Pages.emplace_back();
    const std::string cols = std::to_string(std::max(geometry.CellsPerLine, 1));
    const std::string rows = std::to_string(std::max(geometry.LinesPerPage, 1));
    std::string body = "  <body>\n    <volume cols=\"" + cols + "\" rows=\"" + rows +
                       "\" rowgap=\"0\" duplex=\"false\">\n      <section>\n";
    for (const TBraillePage& page : laidOut.Pages) {
        body += "        <page>\n";
        for (const TCellLine& line : page.Lines) {
            body += "          <row>";
            for (const TCell cell : line) body += Utf8Braille(cell);
            body += "</row>\n";
        }
        body += "        </page>\n";
    }
    body += "      </section>\n    </volume>\n  </body>\n";
    const std::string escapedTitle = XmlEscaped(title);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<pef version=\"2008-1\" xmlns=\"http://www.daisy.org/ns/2008/pef\">\n"
           "  <head>\n"
           "    <meta xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
           "      <dc:title>" + escapedTitle + "</dc:title>\n"
           "      <dc:format>application/x-pef+xml</dc:format>\n"
           "      <dc:identifier>korvalin-" + ContentHash(escapedTitle + body) + "</dc:identifier>\n"
           "    </meta>\n"
           "  </head>\n" + body + "</pef>\n";
}

// ---- PEF reader ----

namespace {

// A small reader of the XML that PEF files use: elements with attributes
// and namespaces, character data with the five entities and character
// references, CDATA, comments, processing instructions and a document type
// declaration, which are passed over. Collects the pages and rows of the
// PEF namespace.
class TPefReader {
public:
    explicit TPefReader(std::u16string_view text) : FText(text) {}

    TBrailleDocument Read() {
        if (FText.substr(0, 1) == u"\uFEFF") FPos = 1;
        while (FPos < FText.size()) {
            if (FText[FPos] == u'<') Markup();
            else CharacterData();
        }
        if (!FRootSeen || !FOpen.empty()) Malformed();
        if (!FPageSeen) throw EKorvalin(std::u16string(texts::PefNoPage));
        return FBuilder.Finish();
    }

private:
    struct TElement {
        std::u16string Name;                                          // as written, with its prefix
        std::vector<std::pair<std::u16string, std::u16string>> Scope;  // namespace declarations: prefix, name
        bool PefPage = false, PefRow = false;
    };

    [[noreturn]] void Malformed() const { throw EKorvalin(Format(texts::PefNotXml, {LineAt(FPos)})); }
    [[noreturn]] void RowNotBraille() const { throw EKorvalin(Format(texts::PefRowNotBraille, {LineAt(FPos)})); }

    std::int64_t LineAt(size_t pos) const {
        const auto end = FText.begin() + std::ptrdiff_t(std::min(pos, FText.size()));
        return 1 + std::count(FText.begin(), end, u'\n');
    }

    bool Next(std::u16string_view token) const { return FText.substr(FPos, token.size()) == token; }

    // Moves behind the next Token; malformed when there is none.
    void PassBehind(std::u16string_view token) {
        const size_t found = FText.find(token, FPos);
        if (found == std::u16string_view::npos) Malformed();
        FPos = found + token.size();
    }

    static bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
    void SkipSpace() {
        while (FPos < FText.size() && IsSpace(FText[FPos])) ++FPos;
    }

    std::u16string Name() {
        const size_t start = FPos;
        while (FPos < FText.size() && !IsSpace(FText[FPos]) && std::u16string_view(u"<>/=\"'&").find(FText[FPos]) ==
                                                                    std::u16string_view::npos)
            ++FPos;
        if (FPos == start) Malformed();
        return std::u16string(FText.substr(start, FPos - start));
    }

    bool InRow() const { return !FOpen.empty() && FOpen.back().PefRow; }

    void Markup() {
        if (Next(u"<!--")) return PassBehind(u"-->");
        if (Next(u"<?")) return PassBehind(u"?>");
        if (Next(u"<![CDATA[")) {
            FPos += 9;
            const size_t end = FText.find(u"]]>", FPos);
            if (end == std::u16string_view::npos) Malformed();
            Text(FText.substr(FPos, end - FPos));
            FPos = end + 3;
            return;
        }
        if (Next(u"<!DOCTYPE")) return DocumentType();
        if (Next(u"</")) return EndTag();
        StartTag();
    }

    void DocumentType() {
        if (FRootSeen) Malformed();
        int depth = 0;
        for (++FPos; FPos < FText.size(); ++FPos) {
            const char16_t c = FText[FPos];
            if (c == u'[') ++depth;
            else if (c == u']') --depth;
            else if (c == u'>' && depth <= 0) {
                ++FPos;
                return;
            }
        }
        Malformed();
    }

    void StartTag() {
        if (InRow()) RowNotBraille();
        if (FRootSeen && FOpen.empty()) Malformed();  // a second root
        ++FPos;
        TElement element;
        element.Name = Name();
        std::vector<std::pair<std::u16string, std::u16string>> attributes;
        while (true) {
            const size_t before = FPos;
            SkipSpace();
            if (FPos >= FText.size()) Malformed();
            if (Next(u"/>") || Next(u">")) break;
            if (FPos == before) Malformed();  // attributes are separated by blanks
            std::u16string attribute = Name();
            SkipSpace();
            if (!Next(u"=")) Malformed();
            ++FPos;
            SkipSpace();
            attributes.emplace_back(std::move(attribute), AttributeValue());
        }
        const bool empty = Next(u"/>");
        FPos += empty ? 2 : 1;
        for (auto& [attribute, value] : attributes) {
            if (attribute == u"xmlns") element.Scope.emplace_back(u"", std::move(value));
            else if (attribute.starts_with(u"xmlns:")) element.Scope.emplace_back(attribute.substr(6), std::move(value));
        }
        Open(std::move(element));
        if (empty) Close();
    }

    std::u16string AttributeValue() {
        if (FPos >= FText.size() || (FText[FPos] != u'"' && FText[FPos] != u'\'')) Malformed();
        const char16_t quote = FText[FPos++];
        std::u16string value;
        while (FPos < FText.size() && FText[FPos] != quote) {
            if (FText[FPos] == u'<') Malformed();
            if (FText[FPos] == u'&') value += Reference();
            else value += FText[FPos++];
        }
        if (FPos >= FText.size()) Malformed();
        ++FPos;
        return value;
    }

    // The namespace of a prefix in the scope of Element inside the open elements.
    std::u16string_view NamespaceOf(std::u16string_view prefix, const TElement& element) const {
        for (const auto& [declared, name] : element.Scope)
            if (declared == prefix) return name;
        for (auto open = FOpen.rbegin(); open != FOpen.rend(); ++open)
            for (const auto& [declared, name] : open->Scope)
                if (declared == prefix) return name;
        return {};
    }

    void Open(TElement element) {
        const size_t colon = element.Name.find(u':');
        const std::u16string_view prefix =
            colon == std::u16string::npos ? std::u16string_view() : std::u16string_view(element.Name).substr(0, colon);
        const std::u16string_view local =
            colon == std::u16string::npos ? std::u16string_view(element.Name) : std::u16string_view(element.Name).substr(colon + 1);
        const bool pef = NamespaceOf(prefix, element) == kPefNamespace;
        if (!FRootSeen) {
            if (!pef || local != u"pef") throw EKorvalin(std::u16string(texts::PefNoPefRoot));
            FRootSeen = true;
        }
        element.PefPage = pef && local == u"page";
        element.PefRow = pef && local == u"row" && !FOpen.empty() && FOpen.back().PefPage;
        FPageSeen = FPageSeen || element.PefPage;
        FOpen.push_back(std::move(element));
    }

    void Close() {
        if (FOpen.back().PefRow) FBuilder.LineBreak();
        if (FOpen.back().PefPage) FBuilder.PageBreak();
        FOpen.pop_back();
    }

    void EndTag() {
        FPos += 2;
        const std::u16string name = Name();
        SkipSpace();
        if (!Next(u">") || FOpen.empty() || FOpen.back().Name != name) Malformed();
        ++FPos;
        Close();
    }

    void CharacterData() {
        if (FOpen.empty()) {  // before or after the root only blanks
            if (!IsSpace(FText[FPos])) Malformed();
            ++FPos;
            return;
        }
        if (FText[FPos] == u'&') return Text(Reference());
        const size_t end = std::min(FText.find_first_of(u"<&", FPos), FText.size());
        Text(FText.substr(FPos, end - FPos));
        FPos = end;
    }

    void Text(std::u16string_view text) {
        if (!InRow()) return;
        for (const char16_t c : text) {
            if (c < kFirstBraillePattern || c > kFirstBraillePattern + 0xFF) RowNotBraille();
            FBuilder.Cell(TCell(c - kFirstBraillePattern));
        }
    }

    // The text of the reference at FPos, which it passes.
    std::u16string Reference() {
        const size_t end = FText.find(u';', FPos);
        if (end == std::u16string_view::npos || end - FPos > 12) Malformed();
        const std::u16string_view name = FText.substr(FPos + 1, end - FPos - 1);
        FPos = end + 1;
        static constexpr std::pair<std::u16string_view, char16_t> entities[] = {
            {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}};
        for (const auto& [entity, c] : entities)
            if (name == entity) return std::u16string(1, c);
        if (!name.starts_with(u"#")) Malformed();
        const bool hex = name.starts_with(u"#x");
        const std::u16string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 8) Malformed();
        std::int64_t code = 0;
        for (const char16_t c : digits) {
            const int digit = c >= u'0' && c <= u'9'             ? c - u'0'
                              : hex && c >= u'a' && c <= u'f' ? c - u'a' + 10
                              : hex && c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                              : -1;
            if (digit < 0) Malformed();
            code = code * (hex ? 16 : 10) + digit;
        }
        std::u16string character = CodePointToString(code);
        if (character.empty()) Malformed();
        return character;
    }

    std::u16string_view FText;
    size_t FPos = 0;
    std::vector<TElement> FOpen;
    bool FRootSeen = false, FPageSeen = false;
    TBrailleDocumentBuilder FBuilder;
};

}  // namespace

TBrailleDocument ReadPef(std::string_view bytes) {
    std::u16string text;
    TUtf8Reader utf8;
    if (!utf8.Feed(bytes, &text) || !utf8.Finish()) throw EKorvalin(std::u16string(texts::PefNotUtf8));
    return TPefReader(text).Read();
}

// ---- kinds and the whole export ----

TDocumentKind DocumentKindOf(std::u16string_view filename) {
    const std::u16string_view name = ExtractFileName(filename);
    const size_t dot = name.rfind(u'.');
    const std::u16string_view ext = dot == std::u16string_view::npos ? std::u16string_view() : name.substr(dot);
    if (SameText(ext, u".brf")) return TDocumentKind::Brf;
    if (SameText(ext, u".pef")) return TDocumentKind::Pef;
    return TDocumentKind::Rtf;
}

namespace {

TCellConversion ConvertedOrThrow(const std::vector<TTextRun>& runs, const TCellTables& tables) {
    TCellConversion conversion = TextToCells(runs, tables);
    if (conversion.UnconvertibleCount > 0) throw EKorvalin(UnconvertibleMessage(conversion));
    return conversion;
}

}  // namespace

std::string ExportBrf(const std::vector<TTextRun>& runs, const TCellTables& tables, const TBrailleGeometry& geometry) {
    const TCellConversion conversion = ConvertedOrThrow(runs, tables);
    if (conversion.EightDotCount > 0) throw EKorvalin(EightDotMessage(conversion));
    return WriteBrf(conversion.Document, geometry, tables.Ascii());
}

std::string ExportPef(const std::vector<TTextRun>& runs, const TCellTables& tables, const TBrailleGeometry& geometry,
                      std::u16string_view title) {
    return WritePef(ConvertedOrThrow(runs, tables).Document, geometry, title);
}

std::u16string ImportBrf(std::string_view bytes, const TBrailleAscii& ascii) {
    return CellsToText(ReadBrf(bytes, ascii));
}

std::u16string ImportPef(std::string_view bytes) { return CellsToText(ReadPef(bytes)); }

}  // namespace korvalin
