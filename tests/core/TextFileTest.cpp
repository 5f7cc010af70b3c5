#include "tables/TextFile.h"

#include "TestFiles.h"
#include "app/ResConst.h"
#include "util/Errors.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;
using korvalin::testing::Latin1Codecs;
using korvalin::testing::TTempFolder;

namespace {

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t c : text) bytes += {char(c & 0xFF), char(c >> 8)};
    return bytes;
}

std::string Repeat(std::string_view piece, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) out += piece;
    return out;
}

}  // namespace

TEST(TextFileType, DetectionFollowsEveryRuleInOrder) {
    struct Row {
        const char* what;
        std::string bytes;
        TFileTextType type;
    } rows[] = {
        {"empty", "", fttAnsi},
        {"plain ASCII", "Titel\r\n1=97\r\n", fttAnsi},
        {"RTF start", "{\\rtf1 Hallo}", fttRtf},
        {"three bytes of an RTF start", "{\\r", fttAnsi},
        {"UTF-8 mark", "\xEF\xBB\xBFx", fttUtf8Bom},
        {"UTF-16 LE mark", "\xFF\xFEx\0", fttUnicode},
        {"UTF-16 BE mark", "\xFE\xFF\0x", fttUnicode},
        {"mark before RTF start", "\xEF\xBB\xBF{\\rtf", fttUtf8Bom},
        {"UTF-16 without mark, 32 bytes", Utf16Le(u"Tabelle 1=97 abc"), fttUnicode},
        {"UTF-16 without mark, 30 bytes", Utf16Le(u"Tabelle 1=97 ab"), fttAnsi},
        {"UTF-16 big-endian without mark", std::string("\0T\0a\0b\0e\0l\0l\0e\0 \0x\0y\0z\0 \0a\0b\0c\0d", 32), fttUnicode},
        {"valid two-byte UTF-8", "Titel \xC3\xA4", fttUtf8},
        {"valid four-byte UTF-8", "x \xF0\x9F\x98\x80", fttUtf8},
        {"Latin-1 letter", "Titel \xE4 x", fttAnsi},
        {"truncated sequence at the end", "x \xC3", fttAnsi},
        {"overlong form", "x \xC0\xAF", fttAnsi},
        {"overlong three-byte form", "x \xE0\x80\xAF", fttAnsi},
        {"encoded surrogate", "x \xED\xA0\x80", fttAnsi},
        {"above U+10FFFF", "x \xF4\x90\x80\x80", fttAnsi},
        {"stray continuation byte", "x \x80", fttAnsi},
    };
    for (const Row& row : rows) EXPECT_EQ(DetectTextType(row.bytes), row.type) << row.what;
}

TEST(TextFileType, ZeroByteRatioNeedsMoreThanATenthAndSevenTenthsOnOneSide) {
    // 40 bytes with 4 zeros: exactly a tenth is not enough.
    std::string sample = Repeat("abcdefghij", 4);
    for (int i : {0, 10, 20, 30}) sample[size_t(i)] = '\0';
    EXPECT_EQ(DetectTextType(sample), fttAnsi);
    sample[2] = '\0';  // five zeros, all at even offsets
    EXPECT_EQ(DetectTextType(sample), fttUnicode);
    // Zeros spread evenly over both sides: no side has more than 7/10.
    std::string spread = Repeat("ab", 20);
    for (int i = 0; i < 20; ++i) spread[size_t(i)] = '\0';
    EXPECT_EQ(DetectTextType(spread), fttAnsi);
}

TEST(TextFileType, OnlyASampleWithAHighByteIsCheckedAsUtf8AndThenTheWholeFile) {
    const std::string asciiSample = Repeat("a", TextSampleSize);
    EXPECT_EQ(DetectTextType(asciiSample + "\xC3\xA4"), fttAnsi);
    EXPECT_EQ(DetectTextType("\xC3\xA4" + asciiSample + "\xFF"), fttAnsi);
    EXPECT_EQ(DetectTextType("\xC3\xA4" + asciiSample + "\xC3\xA4"), fttUtf8);

    TTempFolder folder;
    // A sequence split across the block boundary of the file reader is fine.
    const std::string split = "\xC3\xA4" + Repeat("a", TextSampleSize - 3) + "\xE2\x82\xAC";
    EXPECT_EQ(GetFileTextType(folder.Write("split.txt", split)), fttUtf8);
    EXPECT_EQ(GetFileTextType(folder.Write("late.txt", "\xC3\xA4" + asciiSample + "\xFF")), fttAnsi);
    EXPECT_EQ(GetFileTextType(folder.Write("utf16.txt", Utf16Le(u"Tabelle 1=97 12=98 ab"))), fttUnicode);
    EXPECT_EQ(GetFileTextType(folder.Folder() + u"missing.txt"), fttUnknown);
    EXPECT_EQ(GetFileTextType(folder.Folder()), fttUnknown);
}

TEST(TextFileLoading, EveryKindDecodesToTheSameText) {
    TTempFolder folder;
    const std::u16string text = u"Tabelle \u00E4\u00DF\r\n1=97";
    struct Row {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"ansi.tab", "Tabelle \xE4\xDF\r\n1=97"},
        {"utf8.tab", U16ToUtf8(text)},
        {"utf8bom.tab", "\xEF\xBB\xBF" + U16ToUtf8(text)},
        {"utf16le.tab", "\xFF\xFE" + Utf16Le(text)},
        {"utf16nobom.tab", Utf16Le(text)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LoadTextFile(folder.Write(row.name, row.bytes), Latin1Codecs()), text) << row.name;
    std::string bigEndian = "\xFE\xFF";
    for (const char16_t c : text) bigEndian += {char(c >> 8), char(c & 0xFF)};
    EXPECT_EQ(LoadTextFile(folder.Write("utf16be.tab", bigEndian), Latin1Codecs()), text);
    // An odd last byte of UTF-16 is no character.
    EXPECT_EQ(LoadTextFile(folder.Write("odd.tab", std::string("\xFF\xFE" "a\0b", 5)), Latin1Codecs()), u"a");
}

TEST(TextFileLoading, FailuresCarryTheirMessages) {
    TTempFolder folder;
    auto messageOf = [](auto&& load) {
        try {
            load();
        } catch (const EKorvalin& error) {
            return error.Message();
        }
        return std::u16string(u"no failure");
    };
    EXPECT_EQ(messageOf([&] { LoadTextFile(folder.Folder() + u"missing.tab", Latin1Codecs()); }),
              texts::FileTextTypeUnknown);
    // Invalid UTF-8 after a mark is read as ANSI, and fails when that fails too.
    const std::u16string broken = folder.Write("broken.tab", "\xEF\xBB\xBF" "a\xFF");
    EXPECT_EQ(LoadTextFile(broken, Latin1Codecs()), u"a\u00FF");
    EXPECT_EQ(messageOf([&] { LoadTextFile(broken, TTextCodecs{}); }),
              std::u16string(texts::NeitherUtf8NorAnsi) + std::u16string(texts::AnsiUnreadable));
    // Without an RTF reader an RTF file cannot be read.
    EXPECT_EQ(messageOf([&] { LoadTextFile(folder.Write("doc.tab", "{\\rtf1 x}"), TTextCodecs{}); }),
              texts::RtfUnreadable);
    TTextCodecs rtf;
    rtf.RtfToText = [](const std::u16string&) { return std::optional<std::u16string>(u"Klartext"); };
    EXPECT_EQ(LoadTextFile(folder.Write("doc2.tab", "{\\rtf1 x}"), rtf), u"Klartext");
}

TEST(TextFileLoading, NamesWithoutAFileSystemFormAndOddInputAreDefinedFailuresOrText) {
    TTempFolder folder;
    const std::u16string unpaired = folder.Folder() + u"a\xD800.tab";
    EXPECT_EQ(GetFileTextType(unpaired), fttUnknown);
    EXPECT_FALSE(FileExists(unpaired));
    EXPECT_THROW(LoadTextFile(unpaired, Latin1Codecs()), EKorvalin);
    EXPECT_FALSE(FileExists(folder.Folder()));

    // An ANSI file without a code page to decode it.
    try {
        LoadTextFile(folder.Write("ansi.tab", "Titel \xE4"), TTextCodecs{});
        ADD_FAILURE() << "no failure";
    } catch (const EKorvalin& error) {
        EXPECT_EQ(error.Message(), texts::AnsiUnreadable);
    }
    // One line of a megabyte, split UTF-8 sequences at every block boundary.
    const std::string longLine = "Titel\r\n1=" + Repeat("\xE2\xA0\x81", 350000);
    const std::u16string text = LoadTextFile(folder.Write("long.tab", longLine), TTextCodecs{});
    EXPECT_EQ(text.size(), 9u + 350000u);
    EXPECT_EQ(text.back(), u'\u2801');
    EXPECT_EQ(GetFileTextType(folder.Write("long2.tab", longLine + "\xC3")), fttAnsi);
}

TEST(TextFileWriter, EachKindWritesItsBytes) {
    const auto ansi = [](std::u16string_view text) { return "ansi:" + U16ToUtf8(text); };
    EXPECT_EQ(TextToFileBytes(u"abc", fttUtf8Bom, ansi), "\xEF\xBB\xBF" "abc");
    EXPECT_EQ(TextToFileBytes(u"abc", fttUnicode, ansi), std::string("\xFF\xFE" "a\0b\0c\0", 8));
    EXPECT_EQ(TextToFileBytes(u"\u2801", fttUnicode, ansi), "\xFF\xFE\x01\x28");
    EXPECT_EQ(TextToFileBytes(u"\u00FC\r\n", fttUtf8, ansi), "\xC3\xBC\r\n");
    EXPECT_EQ(TextToFileBytes(u"x", fttAnsi, ansi), "ansi:x");
    EXPECT_EQ(TextToFileBytes(u"x", fttUnknown, ansi), "ansi:x");
    // what the writer writes, the reader reads back
    for (const TFileTextType kind : {fttUnicode, fttUtf8Bom})
        EXPECT_EQ(TextFromFileBytes(TextToFileBytes(u"Gr\u00FC\u00DFe \u2801", kind, ansi), u"", {}), u"Gr\u00FC\u00DFe \u2801")
            << kind;
}
