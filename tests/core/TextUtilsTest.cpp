#include "util/StringList.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

using namespace korvalin;

TEST(TextUtils, SplitLinesBreaksAtEveryKindOfLineEndAndStopsAtNul) {
    struct Row {
        std::u16string_view text;
        std::vector<std::u16string> lines;
    } rows[] = {
        {u"", {}},
        {u"a", {u"a"}},
        {u"a\r\nb", {u"a", u"b"}},
        {u"a\nb\rc", {u"a", u"b", u"c"}},
        {u"a\r\n", {u"a"}},
        {u"a\n\n", {u"a", u""}},
        {u"\r\n", {u""}},
        {u"a\r\r\nb", {u"a", u"", u"b"}},
        {std::u16string_view(u"a\nb\0c\nd", 7), {u"a", u"b"}},
    };
    for (const Row& row : rows) EXPECT_EQ(SplitLines(row.text), row.lines) << U16ToUtf8(row.text);
}

TEST(TextUtils, TrimRemovesControlCharactersAndBlanksOnly) {
    EXPECT_EQ(Trim(u" \t\x01 Titel A \r"), u"Titel A");
    EXPECT_EQ(Trim(u"\u00A0x\u00A0"), u"\u00A0x\u00A0");
    EXPECT_EQ(Trim(u"   "), u"");
}

TEST(TextUtils, CaseIsIgnoredForAsciiAndGermanLetters) {
    EXPECT_TRUE(SameText(u"STANDARD.TAB", u"standard.tab"));
    EXPECT_TRUE(SameText(u"ÄÖÜ", u"äöü"));
    EXPECT_FALSE(SameText(u"ab", u"abc"));
    EXPECT_FALSE(SameText(u"ß", u"ss"));
    EXPECT_EQ(LowerCaseChar(u'\u0178'), u'\u00FF');
    EXPECT_EQ(LowerCaseChar(u'\u0141'), u'\u0142');
    EXPECT_EQ(LowerCaseChar(u'\u00D7'), u'\u00D7');
}

TEST(TextUtils, Utf8RoundTripKeepsSurrogatePairsAndReplacesBrokenBytes) {
    const std::u16string text = u"a\u00E4\u2801\U0001F600";
    EXPECT_EQ(Utf8ToU16(U16ToUtf8(text)), text);
    EXPECT_EQ(Utf8ToU16("\xC0\xAF" "x\xE2\x82"), u"\uFFFD\uFFFDx\uFFFD\uFFFD");
    EXPECT_EQ(U16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}

TEST(TextUtils, FormatFillsPlaceholdersInOrder) {
    EXPECT_EQ(Format(u"%s - %s", {u"Dokument", u"Korvalin V1.21"}), u"Dokument - Korvalin V1.21");
    EXPECT_EQ(Format(u"&%d: %s 100%%", {std::int64_t(3), u"Tab"}), u"&3: Tab 100%");
    EXPECT_EQ(Format(u"%s %s", {u"one"}), u"one %s");
}

TEST(StringList, LookupFindsFirstNameIgnoringCaseAndSkipsLinesWithoutSeparator) {
    TStringList list({u"12", u"ab=1", u"12=65", u"AB=2", u"12=66", u"1245 =7", u"=9"});
    EXPECT_EQ(list.IndexOfName(u"12"), 2);
    EXPECT_EQ(list.IndexOfName(u"ab"), 1);
    EXPECT_EQ(list.IndexOfName(u"Ab"), 1);
    EXPECT_EQ(list.IndexOfName(u"1245"), -1);
    EXPECT_EQ(list.IndexOfName(u"1245 "), 5);
    EXPECT_EQ(list.IndexOfName(u""), 6);
    EXPECT_EQ(list.ValueFromIndex(2), u"65");
    EXPECT_EQ(list.ValueFromIndex(0), u"");
    list.Delete(2);
    EXPECT_EQ(list.IndexOfName(u"12"), 3);
    EXPECT_EQ(list.ValueFromIndex(3), u"66");
    list.Clear();
    EXPECT_EQ(list.IndexOfName(u"12"), -1);
}
