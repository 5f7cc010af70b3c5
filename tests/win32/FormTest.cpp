#include "app/Haupt.h"
#include "tables/SystemCodecs.h"
#include "util/LxUtils.h"
#include "util/Win32Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace korvalin;

namespace {

// A program folder of its own with the tables a test needs.
class TProgramFolder {
public:
    TProgramFolder() {
        FPath = std::filesystem::temp_directory_path() / ("korvalin-form-" + std::to_string(GetTickCount()));
        std::filesystem::create_directories(FPath / "Tabellen");
    }
    ~TProgramFolder() {
        std::error_code error;
        std::filesystem::remove_all(FPath, error);
    }
    void Write(const char* name, const char* text) { std::ofstream(FPath / name, std::ios::binary) << text; }
    std::u16string Folder() const { return FPath.u16string() + u"\\"; }

private:
    std::filesystem::path FPath;
};

void PumpMessages(int milliseconds) {
    const DWORD end = GetTickCount() + DWORD(milliseconds);
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(5);
    }
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder.Write("Tabellen\\Standard.tab", "Standard\r\n1=97\r\n12=65|66\r\n124=128512\r\n4567=95\r\n");
        FFolder.Write("Tabellen\\Brl2UniBrl.tab", "Acht\r\n78=10432\r\n");
        FForm = std::make_unique<TForm1>(FFolder.Folder());
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);  // the start timer loads the tables
    }

    TProgramFolder FFolder;
    std::unique_ptr<TForm1> FForm;
};

}  // namespace

TEST_F(FormTest, NewWindowIsAnEmptyDocumentInModeOne) {
    EXPECT_EQ(WindowCaption(FForm->Handle()), u"Dokument - Korvalin V1.21");
    EXPECT_EQ(FForm->Modus(), TModus::M1);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"");
}

TEST_F(FormTest, ChordTextIsInsertedAtTheCaretWithTheCaretBehindIt) {
    FForm->ProcessKeys(0x01, false);  // dot 1
    FForm->ProcessKeys(0x03, false);  // dots 1 2: two characters at once
    EXPECT_EQ(FForm->RichEdit1.Text(), u"aAB");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 3);
    FForm->RichEdit1.SetSel(1, 0);
    FForm->ProcessKeys(0x0B, false);  // dots 1 2 4: a character beyond U+FFFF
    EXPECT_EQ(FForm->RichEdit1.Text(), u"a\U0001F600AB");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 3);
    EXPECT_EQ(FForm->RichEdit1.SelLength(), 0);
}

TEST_F(FormTest, ChordReplacesTheSelectionAndAMissingChordChangesNothing) {
    FForm->RichEdit1.SetText(u"xyz");
    FForm->RichEdit1.SetSel(1, 1);
    FForm->ProcessKeys(0x01, false);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"xaz");
    FForm->ProcessKeys(0x04, false);  // dot 3 is not in the table
    EXPECT_EQ(FForm->RichEdit1.Text(), u"xaz");
    EXPECT_EQ(FForm->RichEdit1.SelStart(), 2);
}

TEST_F(FormTest, EightDotChordsAndCellFourFiveSixUseTheirTables) {
    FForm->ProcessKeys(0xC0, false);  // dots 7 8
    FForm->ProcessKeys(0x38, false);  // dots 4 5 6, looked up as 4567
    EXPECT_EQ(FForm->RichEdit1.Text(), u"\u28C0_");
}

TEST_F(FormTest, CombinationChordsAreCollectedAndNotInserted) {
    FForm->SetLautgruppeS(true);
    FForm->ProcessKeys(0x01, true);
    EXPECT_EQ(FForm->RichEdit1.Text(), u"");
}

TEST(SystemCodecs, AnsiUsesTheSystemCodePageAndRtfTheRichEdit) {
    const TTextCodecs codecs = SystemTextCodecs();
    ASSERT_EQ(GetACP(), 1252u);  // pinned by the test setup
    EXPECT_EQ(codecs.AnsiToText("Gr\xFC\xDF \x80"), u"Gr\u00FC\u00DF \u20AC");
    const auto folder = std::filesystem::temp_directory_path();
    const auto rtf = folder / "korvalin-codec.rtf";
    std::ofstream(rtf, std::ios::binary) << "{\\rtf1\\ansi Hallo \\b Welt\\b0\\par}";
    EXPECT_EQ(LoadTextFile(rtf.u16string(), codecs), u"Hallo Welt");
    std::filesystem::remove(rtf);
}
