#include "tables/TabPruefC.h"

#include "TestFiles.h"
#include "input/Chords.h"
#include "input/Translation.h"
#include "settings/DatenC.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace korvalin;
using korvalin::testing::TTempFolder;

namespace {

TTextCodecs Codecs() { return {Windows1252ToText, nullptr}; }

bool Contains(std::u16string_view text, const char* utf8) { return text.find(Utf8ToU16(utf8)) != text.npos; }

// The first line is the title; every other line is sound (no fragment) or
// carries one planted fault, whose finding must contain the fragment.
constexpr std::pair<const char*, const char*> kPlanted[] = {
    {"Gepr\xC3\xBC" "fte Tabelle", nullptr},
    {"1=97", nullptr},
    {"12 =98", "Der Name \"12 \" enth\xC3\xA4lt Leerzeichen (gemeint ist wohl \"12\")"},
    {"ohne Gleichheitszeichen", "kein \"=\""},
    {"", nullptr},
    {"21=99", "\"21\" ist kein g\xC3\xBCltiges Punktmuster: die Punkte einer Zelle m\xC3\xBCssen aufsteigend"},
    {"1=100", "\"1\" steht schon in Zeile 2"},
    {"14=x", "Der Wert \"x\" ist keine ganze Zahl"},
    {"15=55296", "\"55296\" ist kein Unicode-Zeichen"},
    {"16=65|0", "Der Wert \"65|0\" ist ung\xC3\xBCltig: \"0\" ist kein Unicode-Zeichen"},
    {"=5", "Vor dem \"=\" steht kein Name"},
    {"0|12=3", "\"0\" (die leere Zelle) darf nur allein stehen"},
    {"125||14=3", "fehlt eine Zelle"},
    {"19=3", "nur die Ziffern 1 bis 8"},
    {"1\t2=3", "\"1<U+0009>2\" enth\xC3\xA4lt Leerzeichen (gemeint ist wohl \"12\")"},
    {"1245=", "Nach dem \"=\" steht kein Wert"},
    {"1246= | ", "er enth\xC3\xA4lt keine Zahl"},
    {"125|14= 65 || $42 ", nullptr},
    {"0=32", nullptr},
    {"12345678=10495", nullptr},
    {"125|14=67", "\"125|14\" steht schon in Zeile 18"},
};

std::u16string PlantedText(std::u16string_view lineBreak) {
    std::u16string text;
    for (const auto& [line, fragment] : kPlanted) text.append(Utf8ToU16(line)).append(lineBreak);
    return text;
}

// UTF-16 with the given mark ("" for none), or Latin-1 bytes for "ansi".
std::string Encoded(std::u16string_view text, std::string_view mark) {
    std::string bytes(mark == "ansi" ? "" : mark);
    for (const char16_t c : text) {
        if (mark == "ansi") bytes += char(c);
        else if (mark == "\xFE\xFF") bytes.append({char(c >> 8), char(c & 0xFF)});
        else bytes.append({char(c & 0xFF), char(c >> 8)});
    }
    return bytes;
}

}  // namespace

TEST(TabPruef, EveryPlantedFaultIsFoundAtItsLineInEveryEncodingAndLineBreak) {
    const std::pair<const char*, std::string> encodings[] = {
        {"UTF-8 with mark, CR LF", "\xEF\xBB\xBF" + U16ToUtf8(PlantedText(u"\r\n"))},
        {"UTF-8, LF", U16ToUtf8(PlantedText(u"\n"))},
        {"ANSI, lone CR", Encoded(PlantedText(u"\r"), "ansi")},
        {"UTF-16 LE with mark", Encoded(PlantedText(u"\r\n"), "\xFF\xFE")},
        {"UTF-16 LE by its zero bytes", Encoded(PlantedText(u"\n"), "")},
        {"UTF-16 BE", Encoded(PlantedText(u"\r\n"), "\xFE\xFF")},
    };
    for (const auto& [name, bytes] : encodings) {
        SCOPED_TRACE(name);
        const TTableCheck check = CheckTableBytes(bytes, u"x.tab", Codecs());
        EXPECT_TRUE(check.ListedS);
        EXPECT_EQ(check.Outcome, TTableCheckOutcome::Findings);
        EXPECT_EQ(check.UsableEntries, 4);
        std::vector<std::pair<int, const char*>> expected;
        for (size_t i = 0; i < std::size(kPlanted); ++i)
            if (kPlanted[i].second) expected.emplace_back(int(i) + 1, kPlanted[i].second);
        ASSERT_EQ(check.Findings.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(check.Findings[i].Line, expected[i].first);
            EXPECT_TRUE(Contains(check.Findings[i].Message, expected[i].second)) << U16ToUtf8(check.Findings[i].Message);
        }
    }
}

TEST(TabPruef, AFileThatIsNoTableSaysWhyAtItsLine) {
    // A code page that refuses every byte of 0x80 or above, as a multi-byte
    // code page refuses a broken sequence.
    const TTextCodecs asciiOnly{[](std::string_view bytes) -> std::optional<std::u16string> {
                                    const auto high = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
                                    if (std::any_of(bytes.begin(), bytes.end(), high)) return std::nullopt;
                                    return Utf8ToU16(bytes);
                                },
                                nullptr};
    const std::tuple<std::string, int, const char*> rows[] = {
        {"", 1, "Die Datei ist leer"},
        {"Nur Titel\r\n", 1, "nur eine Zeile"},
        {"1=65\r\n2=66", 1, "Die erste Zeile enth\xC3\xA4lt \"=\""},
        {" x \r\n1=65", 1, "Die Titelzeile \" x \" ist ohne Leerzeichen am Rand k\xC3\xBCrzer als 2 Zeichen"},
        {std::string("T\0i\0t\0e\0l\0\r\0\n\0", 14), 1, "NUL-Zeichen"},  // UTF-16 too short to be recognised
        {"\xEF\xBB\xBFTitel\r\n1=97\r\n2=\xFF\r\n", 3, "weder als UTF-8 noch als ANSI"},
        {"Titel\r\n1=97\n\n2=\x81\r\n", 4, "ANSI-Codepage"},
    };
    for (const auto& [bytes, line, fragment] : rows) {
        SCOPED_TRACE(fragment);
        const TTableCheck check = CheckTableBytes(bytes, u"x.tab", asciiOnly);
        EXPECT_FALSE(check.ListedS);
        ASSERT_FALSE(check.Findings.empty());
        EXPECT_EQ(check.Findings.front().Line, line);
        EXPECT_TRUE(Contains(check.Findings.front().Message, fragment)) << U16ToUtf8(check.Findings.front().Message);
        EXPECT_TRUE(Contains(check.Findings.back().Message, "Korvalin f\xC3\xBChrt die Datei nicht auf."));
    }
    // Read as ANSI after all: listed, but the mark promised UTF-8.
    const TTableCheck fallback = CheckTableBytes("\xEF\xBB\xBFTitel\r\n1=97\r\n2=3\xFF\r\n", u"x.tab", Codecs());
    EXPECT_TRUE(fallback.ListedS);
    ASSERT_EQ(fallback.Findings.size(), 2u);  // and the value
    EXPECT_EQ(fallback.Findings[0].Line, 3);
    EXPECT_TRUE(Contains(fallback.Findings[0].Message, "UTF-8-Kennung"));
    EXPECT_EQ(CheckTableBytes("{\\rtf1 Titel\\par 1=97}", u"x.tab", Codecs()).Outcome, TTableCheckOutcome::Unreadable);
}

TEST(TabPruef, ListedAndUsableAgreeWithTheProgramsOwnReader) {
    TTempFolder folder;
    const std::pair<const char*, std::string> files[] = {
        {"Gut.tab", "Gut\r\n1=97\r\n12=98\r\n125|14=65|66\r\n"},
        {"Fehler.tab", "Fehler\r\n1=97\r\n1=98\r\n2=x\r\n21=3\r\n3 =4\r\nkein Eintrag\r\n\r\n"},
        {"Leerzeilen.tab", "Leerzeilen\r\n\r\n  \r\n"},
        {"NurTitel.tab", "Nur Titel\r\n"},
        {"Eintrag.tab", "1=65\r\n2=66"},
        {"Kurz.tab", " x \r\n1=65"},
        {"Leer.tab", ""},
        {"NUL.tab", std::string("Ti\0tel\r\n1=97", 12)},
    };
    for (const auto& [name, bytes] : files) folder.Write(std::string("Tabellen/") + name, bytes);
    TTabellen tabellen(folder.Folder());
    tabellen.Load(Codecs());
    ASSERT_EQ(tabellen.Count(), 3);  // Fehler, Gut, Leerzeilen

    for (const std::u16string& path : ListTableFiles(tabellen.Path())) {
        SCOPED_TRACE(U16ToUtf8(path));
        const TTableCheck check = CheckTableFile(path, Codecs());
        const TTab* tab = tabellen.GetTabs(tabellen.IndexOfFilename(path));
        EXPECT_EQ(check.ListedS, tab != nullptr);
        EXPECT_EQ(check.Outcome == TTableCheckOutcome::Clean, check.Findings.empty());
        if (!tab) continue;
        // Usable: the keys whose lookup gives text, each counted once.
        std::set<std::u16string> keys;
        for (const std::u16string& line : tab->Liste().Lines()) {
            const std::u16string name = line.substr(0, line.find(u'='));
            if (DotPatternFault(name).empty() && GetBrl2Char(&tab->Liste(), name)) keys.insert(name);
        }
        EXPECT_EQ(check.UsableEntries, int(keys.size()));
    }
}

TEST(TabPruef, EveryKeyTheTranslatorFormsIsAValidNameAndNothingElseIs) {
    EXPECT_EQ(DotPatternFault(u"0"), u"");
    for (int mask = 1; mask < 256; ++mask) {
        // A combination collects cells as the chord capture appends them.
        std::u16string combination = ProcessKeysDecision(mask, true, u"").Pattern;
        EXPECT_EQ(DotPatternFault(combination), u"") << mask;
        combination += ProcessKeysDecision(256 - mask, true, combination).Pattern;
        EXPECT_EQ(DotPatternFault(combination), u"") << U16ToUtf8(combination);
    }
    for (const char16_t* name : {u"", u"9", u"21", u"11", u"10", u"00", u"1|", u"|1", u"1||2", u"0|1", u"a", u"\uFF11"})
        EXPECT_NE(DotPatternFault(name), u"") << U16ToUtf8(name);
}

TEST(TabPruef, ARunReportsEachFileAndExitsByTheWorstResult) {
    TTempFolder folder;
    const std::u16string broken = folder.Write("broken.tab", "Kaputt\r\n1=97\r\n2=x\r\n");
    const std::u16string clean = folder.Write("clean.txt", "Sauber\r\n1=97\r\n");
    const std::u16string missing = folder.Folder() + u"missing.tab";
    folder.Write("empty/readme.txt", "-");
    const std::u16string shipped = Utf8ToU16(KORVALIN_DATA_DIR "/Tabellen");
    const std::tuple<std::vector<std::u16string>, int, std::vector<std::u16string>> rows[] = {
        {{shipped},
         0,
         {shipped + u"/Brl2UniBrl.tab: in Ordnung, 256 Einträge.", shipped + u"/Deutsch.tab: in Ordnung, 89 Einträge.",
          shipped + u"/Standard.tab: in Ordnung, 65 Einträge."}},
        {{broken, clean},
         1,
         {broken + u":3: Der Wert \"x\" ist keine ganze Zahl; der Eintrag wird nie verwendet.",
          clean + u": Der Dateiname endet nicht auf \".tab\". Korvalin führt die Datei nicht auf."}},
        {{missing, broken}, 2, {missing + u": Die Datei existiert nicht.", broken + u":3: Der Wert \"x\" *"}},
        {{folder.Folder() + u"empty"}, 1, {folder.Folder() + u"empty: Der Ordner enthält keine .tab-Datei."}},
        {{}, 2, {u"TabPruef prüft *", u"Aufruf: *", u"*", u"*", u"Rückgabewert: 0 alles in Ordnung, 1 Befunde, *"}},
    };
    for (const auto& [args, exit, expected] : rows) {
        std::vector<std::u16string> lines;
        EXPECT_EQ(RunTabPruef(args, Codecs(), [&lines](std::u16string_view line) { lines.emplace_back(line); }), exit);
        ASSERT_EQ(lines.size(), expected.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::u16string_view want = expected[i];  // a final "*" stands for any rest
            EXPECT_TRUE(want.ends_with(u'*') ? lines[i].starts_with(want.substr(0, want.size() - 1)) : lines[i] == want)
                << U16ToUtf8(lines[i]);
        }
    }
}

TEST(TabPruef, Windows1252DecodesTheUpperHalfAsWindowsDoes) {
    EXPECT_EQ(Windows1252ToText("a\x80\x81\x9F\xA0\xE4\xFF"), u"a\u20AC\u0081\u0178\u00A0\u00E4\u00FF");
}
