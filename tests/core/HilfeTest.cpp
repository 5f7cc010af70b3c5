#include "app/Hilfe.h"
#include "util/ShellPaths.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <set>

using namespace korvalin;

namespace {

// A file system that holds exactly the listed paths.
TFileExistsFn Files(std::set<std::u16string> paths) {
    return [paths = std::move(paths)](const std::u16string& path) { return paths.count(path) > 0; };
}

}  // namespace

TEST(QuoteIfBlank, QuotesOnlyTextWithABlankAndDoublesItsQuotes) {
    const struct {
        std::u16string_view text, expected;
    } rows[] = {
        {u"C:\\Windows\\notepad.exe", u"C:\\Windows\\notepad.exe"},
        {u"C:\\Program Files\\History.txt", u"\"C:\\Program Files\\History.txt\""},
        {u"a \"b\" c", u"\"a \"\"b\"\" c\""},
        {u"ohne\"blank", u"ohne\"blank"},
        {u"", u""},
    };
    for (const auto& row : rows) EXPECT_EQ(QuoteIfBlank(row.text), row.expected) << U16ToUtf8(row.text);
}

TEST(FolderSearch, OnlyDriveAndNetworkPathsCountAsFolders) {
    for (const std::u16string_view folder : {u"C:\\Windows", u"c:/tools/", u"\\\\server\\share"})
        EXPECT_TRUE(IsAbsoluteFolder(folder)) << U16ToUtf8(folder);
    for (const std::u16string_view folder :
         {u"", u".", u"..\\bin", u"bin", u"\\Windows", u"C:", u"C:Windows", u"\\\\", u"%SystemRoot%\\system32"})
        EXPECT_FALSE(IsAbsoluteFolder(folder)) << U16ToUtf8(folder);
}

TEST(FolderSearch, FirstAbsoluteFolderOfTheListWithTheFileWinsAndRelativeOnesAreSkipped) {
    const auto exists = Files({u"notepad.exe", u".\\notepad.exe", u"docs\\notepad.exe", u"C:\\Tools\\notepad.exe",
                               u"D:\\notepad.exe", u"C:\\Program Files\\notepad.exe", u"C:\\Later\\notepad.exe"});
    const struct {
        std::u16string_view list, expected;
    } rows[] = {
        // the current folder, a relative folder and "C:" (the current folder of drive C) never count
        {u".;docs;C:;C:\\Tools;C:\\Later", u"C:\\Tools\\notepad.exe"},
        {u";C:\\Empty\\; C:\\Later\\ ;C:\\Tools", u"C:\\Later\\notepad.exe"},
        {u"\"C:\\Program Files\";C:\\Tools", u"C:\\Program Files\\notepad.exe"},
        {u"D:\\", u"D:\\notepad.exe"},
        {u".;docs", u""},
        {u"", u""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SearchFileInFolders(u"notepad.exe", SplitFolderList(row.list), exists), row.expected)
            << U16ToUtf8(row.list);
}

TEST(FolderSearch, NotepadIsTheSystemsOwnBeforeOneAlongThePath) {
    const std::u16string system = u"C:\\windows\\System32\\notepad.exe", onPath = u"C:\\Tools\\notepad.exe";
    const struct {
        const char* what;
        std::u16string_view systemRoot, path;
        std::set<std::u16string> files;
        std::u16string_view expected;
    } rows[] = {
        {"system folder", u"C:\\windows\\", u"C:\\Tools", {system, onPath}, system},
        {"only on the path", u"C:\\windows", u"C:\\Tools", {onPath}, onPath},
        {"relative system root", u"windows", u"C:\\Tools", {u"windows\\System32\\notepad.exe", onPath}, onPath},
        {"planted in the current folder", u"C:\\windows", u".;", {u"notepad.exe", u".\\notepad.exe"}, u""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(NotepadPath(row.systemRoot, row.path, Files(row.files)), row.expected) << row.what;
}

TEST(FolderSearch, WordPadFollowsTheFixedFolderOrder) {
    const std::u16string standard = u"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe";
    const std::u16string x86 = u"c:\\Program Files (x86)\\Windows Nt\\Accessories\\WordPad.exe";
    const std::u16string onPath = u"C:\\Tools\\WordPad.exe";
    const std::u16string zubehoerNt = u"D:\\Programme\\Windows Nt\\Zubehör\\WordPad.exe";
    const std::u16string accessories = u"D:\\Programme\\Windows Nt\\Accessories\\WordPad.exe";
    const std::u16string zubehoer = u"D:\\Programme\\Zubehör\\WordPad.exe";
    const struct {
        std::u16string_view programFiles, programFilesDir;
        std::set<std::u16string> files;
        std::u16string_view expected;
    } rows[] = {
        {u"C:\\Program Files", u"D:\\Programme\\", {standard, x86, onPath}, standard},
        {u"C:\\Program Files", u"D:\\Programme\\", {x86, onPath, zubehoer}, x86},
        {u"", u"D:\\Programme\\", {onPath, zubehoerNt}, onPath},
        {u"", u"D:\\Programme", {zubehoerNt, accessories}, zubehoerNt},
        {u"", u"D:\\Programme\\", {accessories, zubehoer}, accessories},
        {u"", u"D:\\Programme\\", {zubehoer}, zubehoer},
        // without a Program Files folder nothing relative is tried
        {u"", u"", {u"Windows Nt\\Zubehör\\WordPad.exe", u"Zubehör\\WordPad.exe"}, u""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WordPadPath(row.programFiles, row.programFilesDir, u"docs;C:\\Tools", Files(row.files)), row.expected)
            << U16ToUtf8(row.expected);
}

TEST(HelpTexts, InfoBoxIsFourteenNonEmptyLinesJoinedByCrLf) {
    const std::u16string text = InfoText();
    const std::vector<std::u16string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], u"Korvalin V1.21");
    EXPECT_EQ(lines[1], u"Mit diesem Editor kann man Brailletext über die Normaltastatur eingeben.");
    for (const std::u16string& line : lines) EXPECT_FALSE(Trim(line).empty());
    size_t breaks = 0;
    for (size_t at = 0; (at = text.find(u'\n', at)) != std::u16string::npos; ++at, ++breaks)
        EXPECT_EQ(text[at - 1], u'\r') << "line break " << breaks;
    EXPECT_EQ(breaks, 13u) << "no line break after the last line";
}

TEST(UpdaterHandOver, FiveLinesEachEndedByCrLfWithTheFontsSizeAndName) {
    const struct {
        std::u16string_view fontSpec, fontLine;
    } rows[] = {
        {u"Arial|12|0|0000|clBlack", u"12 Arial"},
        {u"Courier New|9|0|1000|clRed", u"9 Courier New"},
        {u"kaputt", u"12 Arial"},  // an unreadable font string stands for the default font
    };
    for (const auto& row : rows) {
        std::u16string expected(u"Korvalin V1.21\r\nBrief.rtf - Korvalin V1.21\r\nC:\\Korvalin\\Korvalin.exe\r\n");
        expected.append(u"Korvalin\r\n").append(row.fontLine).append(u"\r\n");
        EXPECT_EQ(UpdaterHandOverText(u"Brief.rtf - Korvalin V1.21", u"C:\\Korvalin\\Korvalin.exe", row.fontSpec),
                  expected)
            << U16ToUtf8(row.fontSpec);
    }
    EXPECT_EQ(UpdatePromptText(TVersion(1, 2, 1, 0), TVersion(1, 10, 0, 3)),
              u"Es ist ein Update verfügbar!\r\nInstalliert: 1.2.1.0\r\nVerfügbar: 1.10.0.3\r\n\r\n"
              u"Soll Korvalin jetzt aktualisiert werden?");
}
