#include "appearance/FontFiles.h"
#include "util/LxUtils.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"
#include "util/Wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace korvalin;

namespace {

class THiddenParent : public TWnd {
public:
    THiddenParent() { CreateWnd(L"TFontFilesTestParent", TCreateArgs{}); }
};

// A rich edit on a hidden window, holding Text.
struct TEditFixture {
    THiddenParent Parent;
    TRichEdit Edit;
    explicit TEditFixture(const std::u16string& text) {
        TCreateArgs args;
        args.Parent = Parent.Handle();
        args.Style = WS_CHILD | ES_MULTILINE;
        args.X = args.Y = 0;
        args.Width = 400;
        args.Height = 200;
        Edit.Create(args);
        Edit.SetText(text);
    }
    CHARFORMAT2W FormatAt(int start, int length) {
        Edit.SetSel(start, length);
        return Edit.SelAttributes();
    }
};

std::u16string FaceOf(const CHARFORMAT2W& format) { return U16(format.szFaceName); }

// The shipped font files, laid out in the install tree beside the test build.
std::u16string ShippedFont(std::u16string_view name) {
    std::u16string path = ExeFolder();
    path.append(u"..\\..\\Korvalin\\Fonts\\").append(name);
    return path;
}

bool Exists(const std::u16string& path) { return GetFileAttributesW(WStr(path)) != INVALID_FILE_ATTRIBUTES; }

TFonts FontsInModes(std::initializer_list<int> modes, const std::u16string& file, const std::u16string& spec) {
    TFonts fonts;
    for (const int mode : modes) fonts[size_t(mode)].push_back({file, spec});
    return fonts;
}

}  // namespace

TEST(FontFiles, FontStringsSetFaceSizeStyleAndColourOfTheSelectionOnly) {
    const struct {
        std::u16string_view spec;
        std::u16string_view face;
        LONG twips;
        DWORD effects;
        COLORREF color;
    } rows[] = {
        {u"Courier New|14|0|1000|clRed", u"Courier New", 280, CFE_BOLD, RGB(255, 0, 0)},
        {u"Times New Roman|9|0|0111|$00123456", u"Times New Roman", 180, CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT,
         RGB(0x56, 0x34, 0x12)},
        {u"Tahoma|20|0|0000|clWindowText", u"Tahoma", 400, 0, GetSysColor(COLOR_WINDOWTEXT)},
        {u"Tahoma|20|0|000|clNavy", u"Arial", 240, 0, GetSysColor(COLOR_WINDOWTEXT)},  // unreadable: fallback
    };
    for (const auto& row : rows) {
        TEditFixture fixture(u"Hallo Welt");
        const CHARFORMAT2W before = fixture.FormatAt(6, 4);
        fixture.Edit.SetSel(0, 5);
        AssignFontSpecToAttributes(fixture.Edit.Handle(), row.spec);
        const CHARFORMAT2W format = fixture.FormatAt(0, 5);
        const std::string spec = U16ToUtf8(row.spec);
        EXPECT_EQ(FaceOf(format), row.face) << spec;
        EXPECT_EQ(format.yHeight, row.twips) << spec;
        EXPECT_EQ(format.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT | CFE_AUTOCOLOR),
                  row.effects)
            << spec;
        EXPECT_EQ(format.crTextColor, row.color) << spec;
        const CHARFORMAT2W after = fixture.FormatAt(6, 4);
        EXPECT_EQ(FaceOf(after), FaceOf(before)) << spec;
        EXPECT_EQ(after.yHeight, before.yHeight) << spec;
    }
    AssignFontSpecToAttributes(nullptr, u"Arial|12|0|0000|clBlack");  // no window: nothing happens
}

TEST(FontFiles, ModeFontsGoByEntryIndexAndBrailleTextByTheChosenFace) {
    TFonts fonts;
    fonts[1] = {{u"a", u"Face0|25|0|0000|clBlack"}, {u"b", u"Face7|25|0|0000|clBlack"},
                {u"c", u"Face8|25|0|0000|clBlack"}, {u"d", u"Face78|25|0|0000|clBlack"}};
    fonts[3] = {{u"e", u"Einzig|18|0|0000|clBlack"}};
    std::vector<std::u16string> asked;
    TUnicodeBrailleFontChooser chooser([&](const std::u16string& face) {
        asked.push_back(face);
        return face == u"DejaVu Sans";
    });
    const struct {
        int mode;
        std::u16string_view text;
        int index;
        std::u16string_view face;
    } rows[] = {
        {1, u"a", 0, u"Face0"},   {1, u"b", 1, u"Face7"},         {1, u"c", 2, u"Face8"},
        {1, u"d", 3, u"Face78"},  {3, u"e", 3, u"Einzig"},        {1, u"\u2801", 2, u"DejaVu Sans"},
        {0, u"x", 0, u"Vorher"},  {0, u"\u2803", 0, u"DejaVu Sans"},
    };
    for (const auto& row : rows) {
        TEditFixture fixture(std::u16string(row.text));
        fixture.Edit.SetSel(0, int(row.text.size()));
        AssignFontSpecToAttributes(fixture.Edit.Handle(), u"Vorher|11|0|0000|clBlack");
        ApplyModeFont(fixture.Edit.Handle(), fonts, row.mode, row.text, row.index, chooser);
        EXPECT_EQ(FaceOf(fixture.FormatAt(0, int(row.text.size()))), row.face) << U16ToUtf8(row.text);
    }
    // The braille rows asked for Face8, then (mode 0 has no list) Charis SIL.
    EXPECT_EQ(asked.front(), u"Face8");
    EXPECT_NE(std::find(asked.begin(), asked.end(), u"Charis SIL"), asked.end());
}

TEST(FontFiles, InstalledFacesAreSortedWithoutRegardToCaseAndIncludeDefault) {
    TInstalledFonts installed;
    const std::vector<std::u16string> names = installed.Names();
    ASSERT_GT(names.size(), 1u);
    EXPECT_TRUE(installed.Contains(u"Default"));
    EXPECT_TRUE(installed.Contains(u"dEFAULT"));
    EXPECT_FALSE(installed.Contains(u"Keine Schrift dieses Namens"));
    for (size_t i = 1; i < names.size(); ++i) EXPECT_LE(LowerCase(names[i - 1]), LowerCase(names[i]));
    for (const std::u16string& name : names) EXPECT_TRUE(installed.Contains(LowerCase(name))) << U16ToUtf8(name);
    installed.Discard();
    EXPECT_EQ(installed.Names(), names);
}

TEST(FontFiles, BraillePatternsAreFoundOnlyInAnInstalledFaceThatHasThemAll) {
    TInstalledFonts installed;
    for (const std::u16string_view face : {u"", u"   ", u"Keine Schrift dieses Namens", u"Arial", u"Tahoma"})
        EXPECT_FALSE(FontHasBraillePatterns(installed, face)) << U16ToUtf8(face);
    const std::u16string file = ShippedFont(u"BRL0.ttf");
    if (!Exists(file)) GTEST_SKIP() << "no braille font in the install tree";
    ASSERT_NE(AddFontResourceW(WStr(file)), 0);
    installed.Discard();
    EXPECT_TRUE(FontHasBraillePatterns(installed, u"8ptBraille0"));
    EXPECT_TRUE(FontHasBraillePatterns(installed, u"8ptbraille0"));
    EXPECT_FALSE(FontHasBraillePatterns(installed, u" 8ptBraille0"));  // the untrimmed name is looked up
    RemoveFontResourceW(WStr(file));
}

TEST(FontFiles, MissingFilesAreReportedForEveryModeAndFailedRegistrationsAgain) {
    std::vector<std::u16string> messages;
    const TFontMessage collect = [&](const std::u16string& text) { messages.push_back(text); };
    TInstalledFonts installed;
    TFontFileRegistrations registrations;
    const std::u16string missing = ShippedFont(u"Fehlt.ttf");
    registrations.LoadFontFiles(installed, FontsInModes({0, 2, 5}, missing, u"Fehlt|12|0|0000|clBlack"), true,
                                collect);
    const std::u16string missingText = Format(u"Die Font-Datei \"%s\" existiert nicht!", {missing});
    EXPECT_EQ(messages, (std::vector<std::u16string>{missingText, missingText, missingText}));
    messages.clear();
    registrations.LoadFontFiles(installed, FontsInModes({0, 2, 5}, missing, u"Fehlt|12|0|0000|clBlack"), false,
                                collect);
    EXPECT_TRUE(messages.empty());

    // a file that is no font: registration fails, once per mode that lists it
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::u16string noFont = U16(temp) + u"KorvalinKeinFont.ttf";
    const HANDLE handle = CreateFileW(WStr(noFont), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, "kein Font", 9, &written, nullptr);
    CloseHandle(handle);
    registrations.LoadFontFiles(installed, FontsInModes({1, 4}, noFont, u"KeinFont|12|0|0000|clBlack"), true, collect);
    const std::u16string notLoaded = u"Der Font \"KeinFont\" konnte nicht geladen werden!";
    EXPECT_EQ(messages, (std::vector<std::u16string>{notLoaded, notLoaded}));
    EXPECT_TRUE(registrations.Registered().empty());
    DeleteFileW(WStr(noFont));
    const std::u16string copy = WindowsFontsFolder() + u"\\KorvalinKeinFont.ttf";
    DeleteFileW(WStr(copy));
}

TEST(FontFiles, AFontFileOfSeveralModesIsRegisteredOnceAndItsFaceFoundAfterwards) {
    const std::u16string file = ShippedFont(u"BRL7.ttf");
    if (!Exists(file)) GTEST_SKIP() << "no braille font in the install tree";
    std::vector<std::u16string> messages;
    const TFontMessage collect = [&](const std::u16string& text) { messages.push_back(text); };
    TInstalledFonts installed;
    TFontFileRegistrations registrations;
    std::u16string sameFileOtherCase = file;
    sameFileOtherCase.replace(sameFileOtherCase.size() - 8, 8, u"brl7.TTF");
    const std::u16string copy = WindowsFontsFolder() + u"\\BRL7.ttf";
    const bool copiedBefore = Exists(copy);
    TFonts fonts = FontsInModes({0, 2}, file, u"8ptBraille7|25|0|0000|clBlack");
    fonts[5].push_back({sameFileOtherCase, u"8ptBraille7|25|0|0000|clBlack"});

    registrations.LoadFontFiles(installed, fonts, true, collect);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(registrations.Registered(), std::vector<std::u16string>{file});
    installed.Discard();
    EXPECT_TRUE(installed.Contains(u"8ptBraille7"));
    // loading again, as after restoring the defaults, registers nothing twice
    registrations.LoadFontFiles(installed, fonts, true, collect);
    EXPECT_EQ(registrations.Registered().size(), 1u);
    registrations.LoadFontFiles(installed, fonts, false, collect);
    EXPECT_TRUE(registrations.Registered().empty());
    EXPECT_TRUE(messages.empty());
    if (!copiedBefore) DeleteFileW(WStr(copy));
}

TEST(FontFiles, MeasuringGivesPositiveSizesThatGrowWithTheFont) {
    const TFontHandle small = CreateFontFromSpec(u"Arial|8|0|0000|clBlack");
    const TFontHandle large = CreateFontFromSpec(u"Arial|24|0|0000|clBlack");
    ASSERT_NE(small.Get(), nullptr);
    ASSERT_NE(large.Get(), nullptr);
    for (const HFONT font : {HFONT(nullptr), small.Get(), large.Get()}) {
        const int height = FontTextHeight(font);
        EXPECT_GT(height, 0);
        EXPECT_GT(FontTextWidth(font, u"Mm"), 0);
        EXPECT_EQ(FontTextWidth(font, u""), 0);
        EXPECT_GT(FontTextWidthSpaced(font, u"Mm"), FontTextWidth(font, u"Mm"));
        EXPECT_GT(FontTextWidthSpaced(font, u""), 0);
        const struct {
            TControlKind kind;
            int extra;
        } kinds[] = {{TControlKind::Edit, 8},
                     {TControlKind::Button, 12},
                     {TControlKind::StatusBar, 6},
                     {TControlKind::CheckBox, 8},
                     {TControlKind::Other, 0}};
        for (const auto& row : kinds) EXPECT_EQ(FontControlHeight(font, row.kind), height + row.extra);
    }
    EXPECT_GT(FontTextHeight(large.Get()), FontTextHeight(small.Get()));
    EXPECT_GT(FontTextWidth(large.Get(), u"Mm"), FontTextWidth(small.Get(), u"Mm"));
}

TEST(FontFiles, FontValuesSurviveTheWayThroughALogFont) {
    TFontValue font;
    AssignFontSpec(&font, u"Courier New|14|2|1101|clNavy");
    const TFontValue back = LogFontToFont(FontToLogFont(font), font.Color);
    EXPECT_EQ(FontToSpec(back), u"Courier New|14|2|1101|clNavy");
    EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(0x00123456), COLORREF(0x00123456));
}
