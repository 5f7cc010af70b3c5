#include "input/Translation.h"
#include "tables/BrailleFiles.h"
#include "util/Errors.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace korvalin;

namespace {

// The cells as dot patterns: cells separated by blanks, "/" after each line,
// "|" after each page.
std::string Dots(const TBrailleDocument& document) {
    std::string text;
    for (const TBraillePage& page : document.Pages) {
        for (const TCellLine& line : page.Lines) {
            for (size_t i = 0; i < line.size(); ++i) {
                if (i) text += ' ';
                text += line[i] ? U16ToUtf8(ExpandKeysInString(line[i], false)) : "0";
            }
            text += "/";
        }
        text += "|";
    }
    return text;
}

// The working tables as shipped: Standard.tab, the German table as Tab1.
struct TShipped {
    TTabellen Tabellen = korvalin::testing::ShippedTables();
    TEinstellungen Settings = [] {
        TEinstellungen settings;
        StandardEinstellungenSetzen(settings, u"C:\\Korvalin\\");
        return settings;
    }();
    const TStringList& Standard() const { return *Tabellen.TabByFilename(u"Standard.tab"); }
    const TStringList& German() const { return *Tabellen.TabByFilename(u"Deutsch.tab"); }
    TCellTables Tables() const { return TCellTables(Standard(), German(), Settings.Fonts); }
};

std::string ExportMessage(const std::vector<TTextRun>& runs, const TCellTables& tables) {
    try {
        ExportBrf(runs, tables, {});
    } catch (const EKorvalin& error) {
        return U16ToUtf8(error.Message());
    }
    return "";
}

}  // namespace

TEST(BrailleCells, EachRuleGivesTheCellsOfItsText) {
    const TShipped shipped;
    TEinstellungen mine = shipped.Settings;
    SetModeFonts(mine.Fonts, 3, u"", u"X.ttf", u"Meine Braille|18|0|0000|clBlack");  // the shipped faces still count
    SetModeFonts(mine.Fonts, 4, u"", u"X.ttf", u"Charis SIL|18|0|0000|clBlack");     // an ink face is no trace
    const TCellTables tables(shipped.Standard(), shipped.German(), mine.Fonts);
    const std::u16string charis = u"Charis SIL";
    struct Row {
        std::vector<TTextRun> runs;
        std::string dots;
    } rows[] = {
        {{{u"\u2801\u28FF\u2800", u"Arial"}}, "1 12345678 0/|"},     // braille patterns in any face
        {{{u"ab_ ", u"blistabraille6+"}}, "1 12 456 0/|"},           // Braille ASCII, "_" from its key 4567
        {{{u"AB", u"BLISTABRAILLE"}}, "1 12/|"},                     // either case, face without regard to case
        {{{u"ch", u"blistabraille"}}, "14 125/|"},                   // the same letters typed in mode 3 or 4 ...
        {{{u"ch", charis}}, "1456/|"},                               // ... and in German text
        {{{u"a", u"8ptBraille0"}, {u"a", u"8ptBraille7"}, {u"a", u"8ptBraille8"}, {u"_", u"8ptbraille78"}},
         "1 17 18 45678/|"},                                         // mode 1 faces add dots 7 and 8
        {{{u"s", charis}, {u"chau", u"Arial"}}, "156 16/|"},         // longest values, also across runs of other text
        {{{u"c", charis}, {u"h", u"blistabraille"}}, "14 125/|"},    // but not into Braille ASCII
        {{{u"Ab 1", charis}}, "46 1 12 0 3456 1/|"},                 // combination keys give their cells
        {{{u"&", charis}}, "12346/|"},                               // not in Tab1: Standard.tab
        {{{u"ch", u"Meine Braille"}, {u"ch", u"blistabraille6+"}}, "14 125 14 125/|"},
        {{{u"ch", u"charis sil"}}, "1456/|"},
        {{{u"a\rb\nc\r", u"Arial"}, {u"\nd", u"Arial"}}, "1/12/14/145/|"},  // CR, LF, CR LF (also split)
        {{{u"a\r\r", charis}}, "1//|"},
        {{{u"a\fb", charis}}, "1/|12/|"},                            // a form feed ends the page and its line
        {{{u"\u2801\r\f\f\u2803", charis}}, "1/||12/|"},             // an empty page
        {{{u"", charis}}, ""},
    };
    for (const Row& row : rows) {
        const TCellConversion conversion = TextToCells(row.runs, tables);
        EXPECT_EQ(conversion.UnconvertibleCount, 0) << row.dots;
        EXPECT_EQ(Dots(conversion.Document), row.dots) << U16ToUtf8(row.runs.front().Text);
    }
    // Without Tab1 entries Standard.tab is read without regard to case, and a
    // blank no table has is the empty cell.
    const TStringList noEntries({u"x=y"});
    EXPECT_EQ(Dots(TextToCells({{u"Hi j", charis}}, TCellTables(shipped.Standard(), noEntries, {})).Document),
              "125 24 0 245/|");
    EXPECT_EQ(Dots(TextToCells({{u" ", charis}}, TCellTables(noEntries, noEntries, {})).Document), "0/|");
}

TEST(BrailleCells, CharactersNoTableCoversAreNamedWithLineAndColumnAndNothingIsWritten) {
    const TShipped shipped;
    const TCellTables tables = shipped.Tables();
    const TCellConversion conversion =
        TextToCells({{u"a\u20ACb\r\n\tc", u"Arial"}, {u"\u00E4", u"blistabraille"}, {u"\U0001F600x", u"Arial"}}, tables);
    const std::vector<TUnconvertibleChar> expected = {
        {{1, 2}, u"\u20AC"}, {{2, 1}, u"\t"}, {{2, 3}, u"\u00E4"}, {{2, 4}, u"\U0001F600"}};
    EXPECT_EQ(conversion.Unconvertible, expected);
    const std::string message = ExportMessage({{u"a\u20ACb\r\n\tc\U0001F600", u"Arial"}}, tables);
    EXPECT_NE(message.find("Zeile 1, Spalte 2: \"\u20AC\" (U+20AC)"), std::string::npos) << message;
    EXPECT_NE(message.find("(U+1F600)"), std::string::npos) << message;
    EXPECT_NE(message.find("Es wurde nichts geschrieben."), std::string::npos) << message;

    const TCellConversion many = TextToCells({{std::u16string(12, u'\u20AC'), u"Arial"}}, tables);
    EXPECT_EQ(many.Unconvertible.size(), kMaxReportedPlaces);
    EXPECT_EQ(many.Unconvertible.back().Position, (TTextPosition{1, 10}));
    EXPECT_NE(U16ToUtf8(UnconvertibleMessage(many)).find("und 2 weitere Stellen"), std::string::npos);

    // Dots 7 and 8 are fine in PEF but not in BRF.
    const std::vector<TTextRun> eightDots = {{u"ab\r\u2801\u28C1", u"Arial"}};
    EXPECT_NE(ExportMessage(eightDots, tables).find("Zeile 2, Spalte 2"), std::string::npos);
    EXPECT_NO_THROW(ExportPef(eightDots, tables, {}, u"Titel"));
}

TEST(BrfFiles, LinesWrapAtABlankOrHardAndPagesEndWithAFormFeed) {
    const TShipped shipped;
    const TBrailleAscii ascii(shipped.Standard());
    struct Row {
        std::string in;
        TBrailleGeometry geometry;
        std::string out;
    } rows[] = {
        {"ABCDEFG", {3, 25}, "ABC\r\nDEF\r\nG\r\n\f"},
        {"AB CD EF", {5, 25}, "AB CD\r\nEF\r\n\f"},
        {"ABC DEF", {3, 25}, "ABC\r\nDEF\r\n\f"},
        {"ABC ", {3, 25}, "ABC\r\n\f"},
        {" ABCD", {3, 25}, " AB\r\nCD\r\n\f"},
        {"A\nB\rC\r\n", {40, 2}, "A\r\nB\r\n\fC\r\n\f"},
        {"A\fB\f", {40, 25}, "A\r\n\fB\r\n\f"},
        {"\f\r\n\f", {40, 25}, "\f\r\n\f"},
        {"abc`{|}~", {40, 25}, "ABC@[\\]^\r\n\f"},
        {"A", {0, 0}, "A\r\n\f"},
        {"", {40, 25}, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(WriteBrf(ReadBrf(row.in, ascii), row.geometry, ascii), row.out) << row.in;
}

TEST(BrfFiles, AFileInTheExportsFormOpensAndSavesToTheSameBytes) {
    const TShipped shipped;
    const TCellTables tables = shipped.Tables();
    // All 64 six-dot cells, two lines of 32 on page 1, then a short page.
    TCellLine cells(64);
    for (int mask = 0; mask < 64; ++mask) cells[size_t(mask)] = TCell(mask);
    const TBrailleDocument all = {{{{{cells.begin(), cells.begin() + 32}, {cells.begin() + 32, cells.end()}}}, {{{1}}}}};
    const std::string bytes = WriteBrf(all, {}, tables.Ascii());
    std::string distinct(bytes.begin(), bytes.begin() + 32);
    distinct += bytes.substr(34, 32);
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end()) << "64 cells, 64 characters";
    EXPECT_EQ(ReadBrf(bytes, tables.Ascii()), all);
    // As the editor would show it and hand its runs back.
    EXPECT_EQ(ExportBrf({{ImportBrf(bytes, tables.Ascii()), u"Segoe UI Symbol"}}, tables, {}), bytes);

    for (const char* bad : {"AB\r\nC\tD", "AB\r\nC\xC3"}) {
        try {
            ReadBrf(bad, tables.Ascii());
            ADD_FAILURE() << bad;
        } catch (const EKorvalin& error) {
            EXPECT_EQ(U16ToUtf8(error.Message()).substr(0, 19), "Zeile 2, Spalte 2: ") << bad;
        }
    }
}

TEST(PefFiles, TheWriterGivesAPef10DocumentThatTheReaderReadsBack) {
    const TBrailleDocument document = {{{{{1, 0, 0xFF}, {}}}, {}, {{{0x40}}}}};
    const std::string pef = WritePef(document, {3, 1}, u"Brief <an> \"Ö\" & Co");
    for (const char* part : {"<pef version=\"2008-1\" xmlns=\"http://www.daisy.org/ns/2008/pef\">",
                             "<dc:format>application/x-pef+xml</dc:format>",
                             "<dc:title>Brief &lt;an&gt; &quot;\xC3\x96&quot; &amp; Co</dc:title>",
                             "<volume cols=\"3\" rows=\"1\" rowgap=\"0\" duplex=\"false\">",
                             "<row>\xE2\xA0\x81\xE2\xA0\x80\xE2\xA3\xBF</row>"})
        EXPECT_NE(pef.find(part), std::string::npos) << part;
    EXPECT_EQ(Dots(ReadPef(pef)), "1 0 12345678/|/||7/|");  // laid out: one line a page
    const auto identifier = [](const std::string& text) {
        const size_t start = text.find("<dc:identifier>");
        return text.substr(start, text.find('<', start + 1) - start);
    };
    EXPECT_EQ(identifier(pef), identifier(WritePef(document, {3, 1}, u"Brief <an> \"Ö\" & Co")));
    EXPECT_NE(identifier(pef), identifier(WritePef(document, {3, 2}, u"Brief <an> \"Ö\" & Co")));
    EXPECT_EQ(Dots(ReadPef(WritePef({}, {}, u""))), "|");  // a volume needs a page
}

TEST(PefFiles, TheReaderTakesThePefSubsetOfXmlAndRefusesEverythingElse) {
    const std::string head = "<?xml version='1.0'?>\n<!-- c --><pef xmlns='http://www.daisy.org/ns/2008/pef'><body>";
    struct Row {
        std::string xml;
        std::string dots;  // or the start of the error message
    } rows[] = {
        {head + "<volume><section><page><row>\xE2\xA0\x83</row><row/></page><page/></section></volume></body></pef>",
         "12//||"},
        {"\xEF\xBB\xBF<p:pef xmlns:p=\"http://www.daisy.org/ns/2008/pef\"><p:page><p:row>&#x2801;&#10243;"
         "<![CDATA[\xE2\xA0\x81]]></p:row></p:page></p:pef>\n",
         "1 12 1/|"},
        {head + "<page><x:row xmlns:x='urn:other'>a</x:row><row><!-- -->\xE2\xA0\x81</row></page></body></pef>", "1/|"},
        {head + "<page><row>\xE2\xA0\x81 </row></page></body></pef>", "Die PEF-Datei enthält in Zeile 2 eine Braillezeile"},
        {head + "<page><row>a</row></page></body></pef>", "Die PEF-Datei enthält in Zeile 2 eine Braillezeile"},
        {head + "<page><row><b/></row></page></body></pef>", "Die PEF-Datei enthält in Zeile 2 eine Braillezeile"},
        {head + "</body></pef>", "Die PEF-Datei enthält keine Seite."},
        {"<pef><page/></pef>", "Die Datei ist kein PEF-Dokument"},
        {"<pef xmlns='urn:other'><page/></pef>", "Die Datei ist kein PEF-Dokument"},
        {head + "<page></row></body></pef>", "Die PEF-Datei ist in Zeile 2 kein gültiges XML."},
        {head + "<page>", "Die PEF-Datei ist in Zeile 2 kein gültiges XML."},
        {head + "<page a=b/></body></pef>", "Die PEF-Datei ist in Zeile 2 kein gültiges XML."},
        {head + "<page><row>&nbsp;</row></page></body></pef>", "Die PEF-Datei ist in Zeile 2 kein gültiges XML."},
        {head + "<page><row>&;</row></page></body></pef>", "Die PEF-Datei ist in Zeile 2 kein gültiges XML."},
        {head + "<page/></body></pef><pef/>", "Die PEF-Datei ist in Zeile 2 kein gültiges XML."},
        {head + "<page/></body></pef>x", "Die PEF-Datei ist in Zeile 2 kein gültiges XML."},
        {"\xFF", "Die PEF-Datei ist kein gültiges UTF-8."},
    };
    for (const Row& row : rows) {
        std::string got;
        try {
            got = Dots(ReadPef(row.xml));
        } catch (const EKorvalin& error) {
            got = U16ToUtf8(error.Message()).substr(0, row.dots.size());
        }
        EXPECT_EQ(got, row.dots) << row.xml;
    }
}

TEST(BrailleFiles, TheKindOfADocumentComesFromItsExtension) {
    struct Row {
        std::u16string_view name;
        TDocumentKind kind;
    } rows[] = {
        {u"C:\\Texte\\Brief.brf", TDocumentKind::Brf}, {u"BRIEF.BRF", TDocumentKind::Brf},
        {u"buch.Pef", TDocumentKind::Pef},             {u"Brief.rtf", TDocumentKind::Rtf},
        {u"brf", TDocumentKind::Rtf},                  {u"C:\\a.brf\\Brief", TDocumentKind::Rtf},
    };
    for (const Row& row : rows) EXPECT_EQ(DocumentKindOf(row.name), row.kind) << U16ToUtf8(row.name);
}
