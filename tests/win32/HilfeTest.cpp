#include "app/Haupt.h"
#include "app/Hilfe.h"
#include "appearance/FontSpec.h"
#include "util/LxShell.h"
#include "util/ShellPaths.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

using namespace korvalin;
using korvalin::testing::PumpMessages;
using korvalin::testing::TProgramFolder;

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class TEnvironmentValue {
public:
    TEnvironmentValue(const wchar_t* name, const std::wstring& value) : FName(name) {
        const std::u16string old = EnvironmentVariable(U16(name));
        if (!old.empty()) FOld = std::wstring(old.begin(), old.end());
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~TEnvironmentValue() { SetEnvironmentVariableW(FName, FOld ? FOld->c_str() : nullptr); }
    TEnvironmentValue(const TEnvironmentValue&) = delete;
    TEnvironmentValue& operator=(const TEnvironmentValue&) = delete;

private:
    const wchar_t* FName;
    std::optional<std::wstring> FOld;
};

// A folder of its own below the system's temporary folder; removed afterwards.
class TScratchFolder {
public:
    explicit TScratchFolder(const char* name)
        : FPath(fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(GetTickCount()))) {
        fs::create_directories(FPath);
    }
    ~TScratchFolder() {
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(FPath, error))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(FPath, error);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    const fs::path& Path() const { return FPath; }
    void Touch(const fs::path& relative) const {
        fs::create_directories((FPath / relative).parent_path());
        std::ofstream(FPath / relative, std::ios::binary) << "MZ";
    }

private:
    fs::path FPath;
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Ansi(const std::u16string& text) {
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int size = WideCharToMultiByte(CP_ACP, 0, units, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, units, int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A top-level window with a caption, for the search of open editors.
class TCaptionWindow {
public:
    explicit TCaptionWindow(const std::wstring& caption)
        : FHandle(CreateWindowExW(0, L"STATIC", caption.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr)) {}
    ~TCaptionWindow() { DestroyWindow(FHandle); }
    TCaptionWindow(const TCaptionWindow&) = delete;
    TCaptionWindow& operator=(const TCaptionWindow&) = delete;
    HWND Handle() const { return FHandle; }

private:
    HWND FHandle;
};

BOOL CALLBACK CountWindowShowing(HWND window, LPARAM data) {
    auto& [name, count] = *reinterpret_cast<std::pair<const wchar_t*, int>*>(data);
    wchar_t caption[261] = {};
    GetWindowTextW(window, caption, 261);
    if (wcsstr(caption, name)) ++count;
    return TRUE;
}

// The number of top-level windows whose caption holds Name.
int WindowsShowing(const wchar_t* name) {
    std::pair<const wchar_t*, int> data{name, 0};
    EnumWindows(CountWindowShowing, reinterpret_cast<LPARAM>(&data));
    return data.second;
}

}  // namespace

TEST(NotepadSearch, APlantedNotepadInTheCurrentOrARelativeFolderIsNeverFound) {
    const TScratchFolder scratch("korvalin-notepad");
    scratch.Touch("Dokumente\\notepad.exe");
    scratch.Touch("Dokumente\\sub\\notepad.exe");
    scratch.Touch("Werkzeuge\\notepad.exe");
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW((scratch.Path() / "Dokumente").c_str()));
    const std::wstring tools = (scratch.Path() / "Werkzeuge").wstring();
    {
        // a system root without notepad: only the path is left
        const TEnvironmentValue systemRoot(L"SystemRoot", scratch.Path().wstring());
        {
            const TEnvironmentValue path(L"path", L".;sub;.\\sub\\;" + tools);
            EXPECT_EQ(fs::path(std::wstring(WStr(FindNotepad()))), fs::path(tools) / "notepad.exe");
        }
        {
            const TEnvironmentValue path(L"path", L".;sub");
            EXPECT_EQ(FindNotepad(), u"");
        }
    }
    {
        // a damaged system root gives way to the system's own folder
        const TEnvironmentValue systemRoot(L"SystemRoot", L"windows");
        const TEnvironmentValue path(L"path", L".;sub");
        const std::u16string notepad = FindNotepad();
        EXPECT_TRUE(IsAbsoluteFolder(notepad)) << U16ToUtf8(notepad);
        EXPECT_TRUE(notepad.empty() || SameText(ExtractFileName(notepad), u"notepad.exe")) << U16ToUtf8(notepad);
        EXPECT_EQ(notepad.find(u"Dokumente"), std::u16string::npos) << U16ToUtf8(notepad);
    }
    SetCurrentDirectoryW(previous);
}

TEST(TextFileWindows, AnOpenEditorShowingTheFileIsFoundWordPadFirstAndNothingIsStarted) {
    const TScratchFolder scratch("korvalin-show");
    std::ofstream(scratch.Path() / "Korvalin-Zeigen.txt") << "Hilfe";
    const std::u16string file = (scratch.Path() / "Korvalin-Zeigen.txt").u16string();
    EXPECT_FALSE(ShowTextFile((scratch.Path() / "fehlt.txt").u16string()));
    EXPECT_EQ(FindTextFileWindow(u"Korvalin-Zeigen.txt"), nullptr);
    {
        const TCaptionWindow changed(L"*Korvalin-Zeigen.txt - Editor");
        const TCaptionWindow other(L"xKorvalin-Zeigen.txt - Editor");
        EXPECT_EQ(FindTextFileWindow(u"Korvalin-Zeigen.txt"), changed.Handle());
        const TCaptionWindow notepad(L"Korvalin-Zeigen.txt - Editor");
        EXPECT_EQ(FindTextFileWindow(u"Korvalin-Zeigen.txt"), notepad.Handle());
        const TCaptionWindow wordPad(L"Korvalin-Zeigen.txt - WordPad");
        EXPECT_EQ(FindTextFileWindow(u"Korvalin-Zeigen.txt"), wordPad.Handle());
        EXPECT_TRUE(ShowTextFile(file));
        PumpMessages(1500);  // long enough for a started editor to show its window
        EXPECT_EQ(WindowsShowing(L"Korvalin-Zeigen.txt"), 4) << "an editor was started";
    }
    EXPECT_EQ(FindTextFileWindow(u"Korvalin-Zeigen.txt"), nullptr);
}

class HilfeFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder.Write("Tabellen\\Standard.tab", "Standard\r\n1=97\r\n");
        FFolder.Write("Tabellen\\Brl2UniBrl.tab", "Acht\r\n78=10432\r\n");
        FFolder.Write("Korvalin-Hilfe.txt", "Hilfe");
        FFolder.Write("History.txt", "Änderungen");
        FForm = std::make_unique<TForm1>(FFolder.Folder());
        FForm->OnMessageDlg = [this](const std::u16string& text, UINT flags) {
            FMessages.push_back(text);
            FFlags.push_back(flags);
            return IDOK;
        };
        FForm->Show(SW_SHOWNOACTIVATE);
        PumpMessages(100);
        FMessages.clear();
        FFlags.clear();
    }
    void OpenHilfeMenu() {
        SendMessageW(FForm->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(FForm->MenuHandle("MenuHilfe")), 0);
    }
    void Click(const char* item) {
        SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId(item), 0), 0);
    }

    TProgramFolder FFolder;
    std::unique_ptr<TForm1> FForm;
    std::vector<std::u16string> FMessages;
    std::vector<UINT> FFlags;
};

TEST_F(HilfeFormTest, DocumentAndUpdaterItemsAreEnabledExactlyWhenTheirFilesLieBesideTheProgram) {
    OpenHilfeMenu();
    EXPECT_TRUE(FForm->MenuItemEnabled("MenuHilfeHilfe"));
    EXPECT_TRUE(FForm->MenuItemEnabled("MenuHilfeHistory"));
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuHilfeKurztasten"));
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuHilfeUpdate"));
    for (const char* always : {"MenuHilfeMail", "MenuHilfeHomepage", "MenuHilfeSpenden", "MenuHilfeInfo"})
        EXPECT_TRUE(FForm->MenuItemEnabled(always)) << always;

    FFolder.Write("Kurztasten.txt", "Tasten");
    FFolder.Write("Nevaril.exe", "MZ");
    fs::remove(std::wstring(WStr(FFolder.Folder())) + L"History.txt");
    OpenHilfeMenu();
    EXPECT_TRUE(FForm->MenuItemEnabled("MenuHilfeKurztasten"));
    EXPECT_TRUE(FForm->MenuItemEnabled("MenuHilfeUpdate"));
    EXPECT_FALSE(FForm->MenuItemEnabled("MenuHilfeHistory"));
}

TEST_F(HilfeFormTest, InfoShowsTheFourteenLinesAsAnInformation) {
    Click("MenuHilfeInfo");
    ASSERT_EQ(FMessages.size(), 1u);
    EXPECT_EQ(FMessages[0], InfoText());
    EXPECT_EQ(FFlags[0], UINT(MB_ICONINFORMATION | MB_OK));
}

TEST_F(HilfeFormTest, UpdateWritesFiveAnsiLinesIntoTheTemporaryFolderAndReplacesAReadOnlyCopy) {
    const TScratchFolder temp("korvalin-cfg");
    const TEnvironmentValue tmp(L"TMP", temp.Path().wstring()), tempVar(L"TEMP", temp.Path().wstring());
    const fs::path cfg = temp.Path() / "Korvalin.cfg";
    std::ofstream(cfg, std::ios::binary) << "alte Datei\r\n";
    ASSERT_TRUE(SetFileAttributesW(cfg.c_str(), FILE_ATTRIBUTE_READONLY));
    FForm->SetFilename(FFolder.Folder() + u"Übung.rtf");

    Click("MenuHilfeUpdate");  // no updater beside the program: starting it fails silently
    EXPECT_TRUE(FMessages.empty()) << U16ToUtf8(FMessages.empty() ? u"" : FMessages[0]);
    const TFontValue font = SpecToFont(Einstellungen.Schriftart);
    std::u16string expected(u"Korvalin V1.21\r\nÜbung.rtf - Korvalin V1.21\r\n");
    expected.append(ExeFilename()).append(u"\r\nKorvalin\r\n");
    expected.append(Format(u"%d %s", {font.Size, font.Name})).append(u"\r\n");
    const std::string bytes = ReadBytes(cfg);
    EXPECT_EQ(bytes, Ansi(expected));
    EXPECT_EQ(bytes.find("\xEF\xBB\xBF"), std::string::npos);
    EXPECT_NE(bytes.find("\xDC" "bung.rtf"), std::string::npos) << "not in the ANSI code page 1252";
}

TEST_F(HilfeFormTest, AHandOverFileThatCannotBeWrittenIsReportedWithItsPath) {
    const TScratchFolder temp("korvalin-cfg-gone");
    const std::wstring gone = (temp.Path() / "entfernt").wstring();  // a temporary folder that does not exist
    const TEnvironmentValue tmp(L"TMP", gone), tempVar(L"TEMP", gone);

    Click("MenuHilfeUpdate");
    ASSERT_EQ(FMessages.size(), 1u);
    std::u16string expected(u"Es ist ein Fehler beim Aktualisieren aufgetreten!\r\nDie Datei \"");
    expected.append(GetTempFolder()).append(u"Korvalin.cfg\" konnte nicht gespeichert werden.");
    EXPECT_EQ(FMessages[0], expected);
    EXPECT_EQ(FFlags[0], UINT(MB_ICONERROR | MB_OK));
}
