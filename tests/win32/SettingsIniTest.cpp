#include "app/Haupt.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsIni.h"
#include "util/Errors.h"
#include "util/TextUtils.h"
#include "util/Win32Text.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace korvalin;
using korvalin::testing::PumpMessages;

namespace {

std::filesystem::path TestFolder() {
    return std::filesystem::temp_directory_path() / ("korvalin-ini-" + std::to_string(GetCurrentProcessId()));
}

std::u16string TestIniFilename() { return (TestFolder() / "settings" / "Korvalin.ini").u16string(); }

// Every window of this test program reads and writes a settings file of its
// own, which each test starts without.
class TIniEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::filesystem::create_directories(TestFolder() / "settings");
        SetIniFilename(TestIniFilename());
    }
    void TearDown() override {
        std::error_code error;
        std::filesystem::remove_all(TestFolder(), error);
    }
};

class TFreshIniListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        ClearFileAttributes(TestIniFilename());
        DeleteFileW(WStr(TestIniFilename()));
    }
};

// gtest owns both and frees them at the end.
[[maybe_unused]] const bool kIniEnvironment = [] {
    ::testing::AddGlobalTestEnvironment(new TIniEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TFreshIniListener);
    return true;
}();

std::string FileBytes(const std::u16string& name) {
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::u16string& name, const std::string& bytes) {
    std::ofstream(std::filesystem::path(name), std::ios::binary) << bytes;
}

bool ReadOnly(const std::u16string& name) {
    const DWORD attributes = GetFileAttributesW(WStr(name));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The section headers and key names of an INI file, in file order.
std::vector<std::string> Names(const std::string& bytes) {
    std::vector<std::string> names;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        names.push_back(line[0] == '[' ? line : line.substr(0, line.find('=')));
    }
    return names;
}

// A main window over a program folder with the two standard tables; its
// message boxes are collected and answered with Answer.
class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        FFolder = TestFolder() / ("program-" + std::to_string(++FCount));
        std::filesystem::create_directories(FFolder / "Tabellen");
        std::ofstream(FFolder / "Tabellen" / "Standard.tab", std::ios::binary) << "Standard\r\n1=97\r\n";
        std::ofstream(FFolder / "Tabellen" / "Brl2UniBrl.tab", std::ios::binary) << "Acht\r\n78=10432\r\n";
        std::ofstream(FFolder / "Tabellen" / "Zweite.tab", std::ios::binary) << "Zweite\r\n1=98\r\n";
    }
    // AfterShow runs as soon as the window was first shown.
    void Start(const std::function<void()>& AfterShow = {}) {
        FForm = std::make_unique<TForm1>(FFolder.u16string() + u"\\");
        FForm->OnMessageDlg = [this](const std::u16string& text, UINT) {
            Messages.push_back(text);
            return Answer;
        };
        FForm->Show(SW_SHOWNOACTIVATE);
        if (AfterShow) AfterShow();
        PumpMessages(100);
    }
    // Messages other than those about the fonts this folder does not ship.
    std::vector<std::u16string> SettingsMessages() const {
        std::vector<std::u16string> found;
        for (const std::u16string& text : Messages)
            if (text.find(u"INI") != std::u16string::npos ||
                text.find(u"Standardeinstellungen") != std::u16string::npos)
                found.push_back(text);
        return found;
    }
    void Command(const char* item) {
        SendMessageW(FForm->Handle(), WM_COMMAND, MAKEWPARAM(FForm->MenuId(item), 0), 0);
    }

    std::filesystem::path FFolder;
    std::unique_ptr<TForm1> FForm;
    std::vector<std::u16string> Messages;
    int Answer = IDOK;
    static inline int FCount = 0;
};

}  // namespace

TEST(IniProfile, ANewFileIsWrittenInTheAnsiCodePageAndReadBack) {
    const std::u16string name = (TestFolder() / "ansi.ini").u16string();
    DeleteFileW(WStr(name));
    TIniProfile profile(name);
    profile.WriteString(u"Einstellungen", u"Schriftart", u"Schön|12|0|0000|clBlack");
    profile.WriteString(u"Einstellungen", u"Leer", u"");
    const std::string bytes = FileBytes(name);
    EXPECT_NE(bytes.find("Sch\xF6n|12"), std::string::npos) << bytes;  // one byte for the letter, no BOM
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(profile.ReadString(u"Einstellungen", u"Schriftart", u"x"), u"Schön|12|0|0000|clBlack");
    EXPECT_EQ(profile.ReadString(u"Einstellungen", u"Leer", u"x"), u"");
    EXPECT_EQ(profile.ReadString(u"Einstellungen", u"Fehlt", u"x"), u"x");

    const std::u16string longValue(5000, u'a');
    profile.WriteString(u"Tabellen", u"TabFiles", longValue);
    EXPECT_EQ(profile.ReadString(u"Tabellen", u"TabFiles", u""), longValue);
}

TEST(IniProfile, AFailingWriteNamesTheFile) {
    const std::u16string name = (TestFolder() / "nowhere" / "x.ini").u16string();
    TIniProfile profile(name);
    try {
        profile.WriteString(u"S", u"K", u"V");
        FAIL() << "the write into a missing folder succeeded";
    } catch (const EKorvalin& error) {
        EXPECT_NE(error.Message().find(std::u16string(u"\"").append(name).append(u"\"")), std::u16string::npos);
    }
}

TEST(IniFolder, IsCreatedWithEveryMissingParent) {
    const auto folder = TestFolder() / "Anwendungsdaten" / "Korvalin";
    SetIniFilename((folder / "Korvalin.ini").u16string());
    CreateIniFolder();
    SetIniFilename(TestIniFilename());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

TEST_F(SettingsFormTest, ASaveWritesTheProgramsSectionsInOrderAndKeepsTheUpdaterSection) {
    WriteBytes(TestIniFilename(), "[Updater]\r\nCheckMode=2\r\n");
    Start();
    FForm->RegistryLadenSpeichern(false);
    const std::string bytes = FileBytes(TestIniFilename());
    EXPECT_NE(bytes.find("CheckMode=2"), std::string::npos) << bytes;
    std::vector<std::string> names = Names(bytes);
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 2),
              (std::vector<std::string>{"[Updater]", "CheckMode"}));
    names.erase(names.begin(), names.begin() + 2);
    std::vector<std::string> expected = {"[MainForm]", "WindowState", "Height", "Width", "[Einstellungen]",
                                         "Schrifthintergrund", "Schriftart", "MaxZeilenbreite", "EinhandEin",
                                         "SoundEin", "EingabeAnsagen", "SoundTippenFilename", "SoundModusFilename",
                                         "SoundFalschFilename", "SoundZeichenabschlussFilename",
                                         "SoundEinhandFilename", "SoundZeichenkombinationFilename",
                                         "SoundNeueTabelleFilename", "[Tabellen]", "TabFiles", "Tab1Filename",
                                         "Tab2Filename", "[Fonts]"};
    for (int mode = 0; mode < 6; ++mode) {
        expected.push_back("Font" + std::to_string(mode) + "Filename");
        expected.push_back("Font" + std::to_string(mode) + "Settings");
    }
    expected.insert(expected.end(), {"[Braille]", "ZeichenProZeile", "ZeilenProSeite"});
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(SettingsMessages().empty());
}

TEST_F(SettingsFormTest, AReadOnlyFileIsStillWritten) {
    Start();
    FForm->RegistryLadenSpeichern(false);
    ASSERT_TRUE(SetFileAttributesW(WStr(TestIniFilename()), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(ReadOnly(TestIniFilename()));
    Command("MenuEinstEinhand");  // one-hand entry on, saved at once
    EXPECT_NE(FileBytes(TestIniFilename()).find("EinhandEin=1"), std::string::npos);
    // Under Wine a privileged user could write the file even so; that the
    // attribute is gone shows that it was cleared before writing.
    EXPECT_FALSE(ReadOnly(TestIniFilename()));
    EXPECT_TRUE(SettingsMessages().empty());
}

TEST_F(SettingsFormTest, AFailingSaveIsReportedAndTheSettingsStay) {
    Start();
    SetIniFilename((TestFolder() / "nowhere" / "Korvalin.ini").u16string());
    Command("MenuEinstSoundS");
    SetIniFilename(TestIniFilename());
    const std::vector<std::u16string> messages = SettingsMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind(u"Fehler beim Speichern der INI-Datei!\r\n", 0), 0u) << U16ToUtf8(messages[0]);
    EXPECT_FALSE(Einstellungen.SoundS);
}

TEST_F(SettingsFormTest, TheFileReadAtTheFirstShowIsRepairedAndApplied) {
    WriteBytes(TestIniFilename(),
               "[MainForm]\r\nWindowState=1\r\nHeight=100\r\nWidth=1100\r\n"
               "[Einstellungen]\r\nEinhandEin=1\r\nSoundEin=0\r\nSchrifthintergrund=13\r\nMaxZeilenbreite=150\r\n"
               "[Tabellen]\r\nTabFiles=Zweite.tab|Standard.tab\r\nTab1Filename=Zweite.tab\r\n"
               "[Fonts]\r\nFont1Filename=a.ttf|b.ttf|c.ttf\r\nFont3Settings=blistabraille6+|18|0|1000|clBlack\r\n");
    // Read at once: without a window manager Wine restores a maximised window
    // when the first configure event of the X server arrives.
    bool zoomed = false;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    Start([&] {
        zoomed = IsZoomed(FForm->Handle());
        GetWindowPlacement(FForm->Handle(), &placement);
    });
    EXPECT_TRUE(zoomed);
    EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 1100);
    EXPECT_GT(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top, 100);
    EXPECT_TRUE(FForm->GetEinhandS());
    EXPECT_TRUE(FForm->MenuItemChecked("MenuEinstEinhand"));
    EXPECT_FALSE(Einstellungen.SoundS);
    EXPECT_EQ(Einstellungen.Schrifthintergrund, 17);
    EXPECT_EQ(Einstellungen.MaxZeilenbreite, 99);
    EXPECT_EQ(Einstellungen.Fonts[1].size(), 4u);
    EXPECT_EQ(Einstellungen.Fonts[3][0].Settings, u"blistabraille6+|18|0|0000|clBlack");
    EXPECT_EQ(ExtractFileName(Einstellungen.Tab1Filename), u"Zweite.tab");
    EXPECT_TRUE(SettingsMessages().empty());
}

TEST_F(SettingsFormTest, RestoringTheDefaultsKeepsTheInterfaceFontAndWritesAFreshFile) {
    WriteBytes(TestIniFilename(),
               "[Updater]\r\nCheckMode=2\r\n[Einstellungen]\r\nEinhandEin=1\r\nSchrifthintergrund=5\r\n"
               "Schriftart=Verdana|10|0|0000|clBlack\r\nMaxZeilenbreite=30\r\n"
               "[Tabellen]\r\nTabFiles=Zweite.tab|Standard.tab\r\nTab1Filename=Zweite.tab\r\n");
    Start();
    Answer = IDNO;
    Command("MenuEinstStandard");
    EXPECT_TRUE(FForm->GetEinhandS());
    EXPECT_EQ(Einstellungen.MaxZeilenbreite, 30);

    Answer = IDYES;
    Command("MenuEinstStandard");
    EXPECT_EQ(SettingsMessages().size(), 2u);  // the question, twice
    EXPECT_FALSE(FForm->GetEinhandS());
    EXPECT_EQ(Einstellungen.MaxZeilenbreite, 0);
    EXPECT_EQ(Einstellungen.Schrifthintergrund, 5);
    EXPECT_EQ(Einstellungen.Schriftart, u"Verdana|10|0|0000|clBlack");
    EXPECT_EQ(ExtractFileName(Einstellungen.Tab1Filename), u"Standard.tab");
    const std::string bytes = FileBytes(TestIniFilename());
    EXPECT_EQ(bytes.find("Updater"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("EinhandEin=0"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("TabFiles=Zweite.tab|Standard.tab"), std::string::npos) << bytes;  // the order stays
    EXPECT_NE(bytes.find("Schriftart=Verdana|10|0|0000|clBlack"), std::string::npos) << bytes;
}
