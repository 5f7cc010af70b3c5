#include "app/Haupt.h"
#include "settings/SettingsIni.h"
#include "tables/SystemCodecs.h"
#include "util/Errors.h"
#include "util/LxRtfRef.h"
#include "util/RichRuns.h"
#include "util/RichStream.h"
#include "util/LxUtils.h"
#include "util/SafeFile.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

using namespace korvalin;

namespace {

std::filesystem::path FreshFolder(const char* name) {
    const auto folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(SafeFile, AFailingWriteLeavesTheOldFileAndNoTemporaryFile) {
    const auto folder = FreshFolder("korvalin-safefile");
    const auto target = folder / "Brief.rtf";
    std::ofstream(target, std::ios::binary) << "last good copy";
    const auto halfThenFail = [](HANDLE file) {
        WriteAll(file, "half", 4);
        throw EKorvalin(u"Datenträger voll");
    };
    try {
        WriteFileSafely(target.u16string(), halfThenFail);
        FAIL() << "the failure was not raised";
    } catch (const EKorvalin& error) {
        EXPECT_EQ(error.Message(), u"Datenträger voll");
    }
    EXPECT_EQ(Contents(target), "last good copy");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);

    WriteFileSafely(target.u16string(), [](HANDLE file) { WriteAll(file, "new", 3); });
    EXPECT_EQ(Contents(target), "new");
    WriteFileSafely((folder / "Neu.rtf").u16string(), [](HANDLE file) { WriteAll(file, "x", 1); });
    EXPECT_EQ(Contents(folder / "Neu.rtf"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
    EXPECT_THROW(ReadFileBytes((folder / "fehlt.rtf").u16string()), EKorvalin);
    std::filesystem::remove_all(folder);
}

TEST(SaveTextFile, EveryKindReadsBackAsTheSameTextAndRtfKeepsTheFont) {
    const auto folder = FreshFolder("korvalin-savetext");
    const std::u16string text = u"Zeile \u00E4\u00DF\r\n\u2803 \U0001F600\r\n";
    const TTextCodecs codecs = SystemTextCodecs();
    for (const TFileTextType kind : {fttUnicode, fttUtf8, fttUtf8Bom, fttRtf}) {
        const std::u16string file = (folder / ("text" + std::to_string(int(kind)))).u16string();
        SaveTextFile(file, text, kind);
        EXPECT_EQ(GetFileTextType(file), kind);
        EXPECT_EQ(SplitLines(LoadTextFile(file, codecs)), SplitLines(text)) << int(kind);
    }
    const std::u16string ansi = (folder / "ansi.txt").u16string();
    SaveTextFile(ansi, u"\u00E4\u00DF", fttAnsi);
    EXPECT_EQ(Contents(ansi), "\xE4\xDF");  // the test machine's code page is Windows-1252

    TFontValue font;
    AssignFontSpec(&font, u"Courier New|20|0|1000|clBlack");
    const std::u16string rtf = (folder / "font.rtf").u16string();
    SaveTextFile(rtf, u"fett", fttRtf, &font);
    const std::string written = Contents(rtf);
    EXPECT_NE(written.find("Courier New"), std::string::npos);
    EXPECT_NE(written.find("\\fs40"), std::string::npos);
    EXPECT_NE(written.find("\\b"), std::string::npos);
    EXPECT_THROW(SaveTextFile((folder / "fehlt" / "x.txt").u16string(), text, fttUtf8), EKorvalin);
    std::filesystem::remove_all(folder);
}

TEST(RichStream, DocumentBytesAreReadAsRtfOrAsTextByTheirByteOrderMark) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    TRichEdit edit;
    TCreateArgs args;
    args.Parent = parent;
    args.Style = WS_CHILD | ES_MULTILINE;
    edit.Create(args);
    const struct {
        std::string bytes;
        std::u16string text;
    } rows[] = {
        {"{\\rtf1\\ansi Gr\\'fc\\'df\\par}", u"Grüß"},
        {std::string("\xFF\xFEG\0r\0\xFC\0\x00\x28", 10), u"Grü\u2800"},
        {std::string("\xFE\xFF\0G\0r\0\xFC\x28\x00", 10), u"Grü\u2800"},
        {"\xEF\xBB\xBFGr\xC3\xBC\xE2\xA0\x80", u"Grü\u2800"},
        {"Gr\xFC\xDF", u"Grüß"},  // the ANSI code page 1252 of the test setup
        {"", u""},
    };
    for (const auto& row : rows) {
        LoadDocumentBytes(edit, row.bytes);
        std::u16string text = edit.Text();
        while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.pop_back();
        EXPECT_EQ(text, row.text) << row.bytes;
    }
    // a write that fails inside the stream brings the system's reason out
    const auto file = std::filesystem::temp_directory_path() / "korvalin-stream.rtf";
    std::ofstream(file, std::ios::binary) << "x";
    const HANDLE readOnly = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    edit.SetText(u"Zeile");
    try {
        RichToRtfFile(edit, readOnly);
        ADD_FAILURE() << "the failed write was not raised";
    } catch (const EKorvalin& error) {
        EXPECT_EQ(error.Message(), SysErrorMessage(ERROR_ACCESS_DENIED));
    }
    CloseHandle(readOnly);
    std::filesystem::remove(file);
    // RTF out and in again keeps the text
    edit.SetText(u"Zeile\u2801");
    const std::string rtf = RichToRtf(edit);
    edit.SetText(u"");
    ASSERT_TRUE(RichFromRtf(edit, rtf));
    EXPECT_EQ(edit.Text().substr(0, 6), u"Zeile\u2801");
    DestroyWindow(edit.Handle());
    DestroyWindow(parent);
}

TEST(RichRuns, TheFacesOfTheTextComeAsRunsAndTheSelectionStays) {
    TRtfRef holder;
    TRichEdit& edit = holder.Rich();
    const struct {
        std::u16string text;
        std::vector<TFaceRun> runs;  // set in this order; the expected runs
    } rows[] = {
        {u"abc", {{0, 3, u"Arial"}}},
        {u"ab\rcd", {{0, 1, u"Arial"}, {1, 3, u"8ptBraille7"}, {4, 1, u"Arial"}}},
        {std::u16string(700, u'x'), {{0, 300, u"Arial"}, {300, 1, u"8ptBraille0"}, {301, 399, u"Arial"}}},
        {u"abcdef", {{0, 1, u"Arial"}, {1, 1, u"8ptBraille0"}, {2, 1, u"Arial"}, {3, 1, u"8ptBraille0"},
                     {4, 2, u"Arial"}}},
    };
    for (const auto& row : rows) {
        edit.SetText(row.text);
        for (const TFaceRun& run : row.runs) {
            edit.SetSel(run.Start, run.Length);
            AssignFontSpecToAttributes(edit.Handle(), run.Face + u"|12|0|0000|clBlack");
        }
        edit.SetSel(1, 1);
        EXPECT_EQ(RichFaceRuns(edit, int(row.text.size())), row.runs) << U16ToUtf8(row.text.substr(0, 8));
        EXPECT_EQ(edit.SelStart(), 1);
        EXPECT_EQ(edit.SelLength(), 1);
    }
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder = FreshFolder("korvalin-documents");
        std::filesystem::create_directories(FFolder / "Tabellen");
        NewForm();
    }
    void NewForm() {
        FForm.reset();  // its end sets ProgramClosing: before the new one starts
        FForm = std::make_unique<TForm1>(FFolder.u16string() + u"\\");
        FForm->OnMessageDlg = [this](const std::u16string& text, UINT) {
            FMessages.push_back(text);
            return FAnswer;
        };
    }
    void TearDown() override {
        FForm.reset();
        std::filesystem::remove_all(FFolder);
    }
    std::u16string Path(const char* name) const { return (FFolder / name).u16string(); }
    void Open(const std::u16string& path) {
        FForm->FParameters = {path};
        FForm->MenuDateiOeffnenClick(nullptr);
    }

    std::filesystem::path FFolder;
    std::unique_ptr<TForm1> FForm;
    std::vector<std::u16string> FMessages;
    int FAnswer = IDNO;
};

TEST_F(DocumentTest, SavedDocumentOpensAgainWithItsTextAndName) {
    FForm->RichEdit1.SetText(u"a\u2801b");
    FForm->SetFilename(Path("Brief.rtf"));
    ASSERT_TRUE(FForm->Speichern());
    EXPECT_FALSE(FForm->RichEdit1.Modified());
    EXPECT_EQ(Contents(FFolder / "Brief.rtf").substr(0, 5), "{\\rtf");

    FForm->SetFilename(Path("Anderes.rtf"));
    FForm->RichEdit1.SetText(u"anders");
    FForm->RichEdit1.SetModified(false);
    Open(Path("Brief.rtf"));
    EXPECT_TRUE(FMessages.empty());
    EXPECT_EQ(FForm->RichEdit1.Text().substr(0, 3), u"a\u2801b");
    EXPECT_EQ(FForm->Filename(), Path("Brief.rtf"));
    EXPECT_FALSE(FForm->RichEdit1.Modified());
    EXPECT_FALSE(FForm->SpeichernUnterS);
}

TEST_F(DocumentTest, AFileThatCannotBeOpenedLeavesTextSelectionAndModifiedFlag) {
    FForm->RichEdit1.SetText(u"bleibt");
    FForm->RichEdit1.SetSel(1, 3);
    FForm->RichEdit1.SetModified(true);
    Open(Path("fehlt.rtf"));
    ASSERT_EQ(FMessages.size(), 2u);  // the save question, then the error
    EXPECT_EQ(FMessages[0], u"Änderungen im Dokument speichern?");
    EXPECT_EQ(FMessages[1].find(u"Die Datei \"" + Path("fehlt.rtf") + u"\" konnte nicht geöffnet werden!\r\n"), 0u);
    EXPECT_EQ(FForm->RichEdit1.Text().substr(0, 6), u"bleibt");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 1);
    EXPECT_EQ(FForm->RichEdit1.SelLength(), 3);
    EXPECT_TRUE(FForm->RichEdit1.Modified());
    EXPECT_EQ(FForm->Filename(), u"Dokument");
}

TEST_F(DocumentTest, CancelInTheSaveQuestionStopsOpenCloseAndExit) {
    std::ofstream(FFolder / "Brief.rtf", std::ios::binary) << "{\\rtf1 Brief\\par}";
    FForm->SetFilename(Path("Alt.rtf"));
    FForm->RichEdit1.SetText(u"geändert");
    FForm->RichEdit1.SetModified(true);
    FAnswer = IDCANCEL;
    Open(Path("Brief.rtf"));
    EXPECT_EQ(FMessages.back(), u"Änderungen in \"Alt.rtf\" speichern?");
    EXPECT_EQ(FForm->RichEdit1.Text().substr(0, 8), u"geändert");
    SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId("MenuDateiClose"), 0), 0);
    EXPECT_EQ(FForm->Filename(), Path("Alt.rtf"));
    SendMessageW(FForm->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(FForm->Handle()));
    EXPECT_EQ(FMessages.size(), 3u);
}

TEST_F(DocumentTest, YesSavesFirstAndClosingKeepsTheFolderForTheNextDocument) {
    FForm->SetFilename(Path("Brief.rtf"));
    FForm->RichEdit1.SetText(u"Inhalt");
    FForm->RichEdit1.SetModified(true);
    FAnswer = IDYES;
    SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId("MenuDateiClose"), 0), 0);
    EXPECT_EQ(Contents(FFolder / "Brief.rtf").substr(0, 5), "{\\rtf");
    EXPECT_EQ(FForm->Filename(), Path("Dokument"));
    EXPECT_TRUE(FForm->SpeichernUnterS);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"");
    EXPECT_FALSE(FForm->RichEdit1.Modified());
    SendMessageW(FForm->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(FForm->MenuHandle("MenuDatei")), 0);
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuDateiClose"));
}

namespace {

BOOL CALLBACK CancelDialogBox(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && std::wstring_view(name) == L"#32770") PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// Cancels the common dialogs this thread shows while the timer runs.
VOID CALLBACK CancelDialogBoxes(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CancelDialogBox, 0); }

}  // namespace

TEST_F(DocumentTest, TheSaveAsInsideOpenGivesTheFocusBackToWhereOpenFoundIt) {
    std::ofstream(FFolder / "Brief.rtf", std::ios::binary) << "{\\rtf1 Brief\\par}";
    FForm->Show(SW_SHOWNOACTIVATE);
    FForm->RichEdit1.SetText(u"neu");
    FForm->RichEdit1.SetModified(true);  // a new document: Yes asks for its name
    const HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, FForm->Handle(), nullptr,
                                       nullptr, nullptr);
    SetFocus(other);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CancelDialogBoxes);
    FForm->OnMessageDlg = [this](const std::u16string&, UINT) {
        FForm->RichEdit1.SetFocus();  // where a closed message box leaves the focus
        return IDYES;
    };
    Open(Path("Brief.rtf"));
    KillTimer(nullptr, timer);
    EXPECT_EQ(FForm->RichEdit1.Text().substr(0, 3), u"neu");  // the save-as was cancelled
    EXPECT_EQ(GetFocus(), other);
    DestroyWindow(other);
}

TEST_F(DocumentTest, SavingOverAReadOnlyDocumentNamesTheReasonKeepsTheFileAndTheChanges) {
    const auto file = FFolder / "Brief.rtf";
    std::ofstream(file, std::ios::binary) << "alt";
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    FForm->SetFilename(file.u16string());
    FForm->RichEdit1.SetText(u"neu");
    FForm->RichEdit1.SetModified(true);
    EXPECT_FALSE(FForm->Speichern());
    ASSERT_EQ(FMessages.size(), 1u);
    const std::u16string prefix = u"Die Datei \"" + file.u16string() + u"\" konnte nicht gespeichert werden!\r\n";
    ASSERT_EQ(FMessages[0].find(prefix), 0u) << U16ToUtf8(FMessages[0]);
    EXPECT_EQ(FMessages[0].substr(prefix.size()), SysErrorMessage(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(FForm->RichEdit1.Modified());
    EXPECT_EQ(Contents(file), "alt");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(FFolder), {}), 2);  // with "Tabellen"
}

TEST_F(DocumentTest, TheEndOfTheSessionAsksTheSaveQuestionAndOnlyItsEndWritesTheSettings) {
    const struct {
        int answer;
        LRESULT mayEnd;
        const char* fileStart;
    } rows[] = {{IDCANCEL, FALSE, "alt"}, {IDYES, TRUE, "{\\rtf"}, {IDNO, TRUE, "alt"}};
    const std::filesystem::path settings(IniFilename());
    for (const auto& row : rows) {
        if (!FForm->Handle()) NewForm();
        std::ofstream(FFolder / "Brief.rtf", std::ios::binary) << "alt";
        std::filesystem::remove(settings);
        FForm->SetFilename(Path("Brief.rtf"));
        FForm->RichEdit1.SetText(u"neu");
        FForm->RichEdit1.SetModified(true);
        FMessages.clear();
        FAnswer = row.answer;
        const HWND window = FForm->Handle();
        EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), row.mayEnd) << row.answer;
        EXPECT_EQ(Contents(FFolder / "Brief.rtf").substr(0, 5), row.fileStart) << row.answer;
        EXPECT_FALSE(std::filesystem::exists(settings)) << row.answer;
        SendMessageW(window, WM_ENDSESSION, WPARAM(row.mayEnd), 0);
        EXPECT_EQ(std::filesystem::exists(settings), row.mayEnd != FALSE) << row.answer;
        EXPECT_EQ(IsWindow(window) != FALSE, row.mayEnd == FALSE) << row.answer;
        EXPECT_EQ(FMessages, std::vector<std::u16string>{u"Änderungen in \"Brief.rtf\" speichern?"}) << row.answer;
        korvalin::testing::PumpMessages(0);  // the quit message of a window that went
    }
}

TEST_F(DocumentTest, PlainTextFilesOpenAsText) {
    std::ofstream(FFolder / "Notiz.txt", std::ios::binary) << "\xEF\xBB\xBFNotiz \xE2\xA0\x81";
    Open(Path("Notiz.txt"));
    EXPECT_EQ(FForm->RichEdit1.Text().substr(0, 7), u"Notiz \u2801");
    EXPECT_EQ(WindowCaption(FForm->Handle()), u"Notiz.txt - Korvalin V1.21");
}
