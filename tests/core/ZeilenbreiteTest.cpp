#include "input/Zeilenbreite.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <vector>

using namespace korvalin;

namespace {

// A document of lines separated by one CR each, as the rich edit keeps it.
class TFakeLines : public TLineModel {
public:
    explicit TFakeLines(std::vector<std::u16string> lines) : FLines(std::move(lines)) {}
    int LineCount() const override { return int(FLines.size()); }
    int LineFromChar(int position) const override {
        int start = 0;
        for (int i = 0; i < LineCount(); ++i) {
            const int next = start + int(FLines[size_t(i)].size()) + 1;
            if (position < next) return i;
            start = next;
        }
        return LineCount() - 1;
    }
    int LineIndex(int line) const override {
        if (line < 0 || line >= LineCount()) return -1;
        int start = 0;
        for (int i = 0; i < line; ++i) start += int(FLines[size_t(i)].size()) + 1;
        return start;
    }
    std::u16string Line(int line) const override { return FLines.at(size_t(line)); }

private:
    std::vector<std::u16string> FLines;
};

}  // namespace

TEST(Zeilenbreite, InsertionIsMeasuredOnTheLinesItTouches) {
    const struct {
        const char* what;
        std::vector<std::u16string> lines;
        int limit, selStart, selLength;
        std::u16string text;
        bool ok;
    } rows[] = {
        {"two after abc fill the line", {u"abc"}, 5, 3, 0, u"de", true},
        {"three after abc overflow", {u"abc"}, 5, 3, 0, u"def", false},
        {"the rest of the line counts", {u"abc"}, 5, 0, 0, u"xyz", false},
        {"a too long line elsewhere does not block", {u"abcdef", u""}, 5, 7, 0, u"x", true},
        {"a too long line itself blocks", {u"abcdef", u""}, 5, 6, 0, u"x", false},
        {"the selection is replaced", {u"abcdef"}, 5, 1, 3, u"xy", true},
        {"the selection is replaced, one too many", {u"abcdef"}, 5, 1, 3, u"xyz", false},
        {"CR LF splits: abc+12 and 34+def", {u"abcdef"}, 5, 3, 0, u"12\r\n34", true},
        {"CR LF splits: first segment too long", {u"abcdef"}, 5, 3, 0, u"123\r\n4", false},
        {"CR LF splits: last segment too long", {u"abcdef"}, 5, 3, 0, u"1\r\n234", false},
        {"a middle segment alone is measured", {u"abcdef"}, 5, 3, 0, u"\r\n123456\r\n", false},
        {"lone CR and lone LF break each", {u"ab"}, 3, 2, 0, u"x\ryyy\nzzz\n\r", true},
        {"CR LF is one break, not an empty line", {u"abc"}, 5, 0, 0, u"\r\nxy", true},
        {"selection over two lines joins their outer parts", {u"abc", u"defgh"}, 5, 2, 3, u"", false},
        {"selection over two lines within the limit", {u"abc", u"defgh"}, 5, 2, 4, u"", true},
        {"empty document", {u""}, 2, 0, 0, u"ab", true},
        {"no limit checks nothing", {u"abc"}, 0, 3, 0, u"0123456789", true},
        {"a negative limit counts as none", {u"abc"}, -4, 3, 0, u"0123456789", true},
    };
    for (const auto& row : rows) {
        const TFakeLines lines(row.lines);
        EXPECT_EQ(IsMaxZeilenbreiteOk(lines, row.limit, row.selStart, row.selLength, row.text), row.ok) << row.what;
    }
}

TEST(Zeilenbreite, UnknownPositionsFallBackToTheSelectionStart) {
    // An editor that answers nothing: the prefix is empty, the suffix too.
    class TUnknown : public TLineModel {
        int LineCount() const override { return 0; }
        int LineFromChar(int) const override { return -1; }
        int LineIndex(int) const override { return -1; }
        std::u16string Line(int) const override { return u"never read"; }
    } unknown;
    EXPECT_TRUE(IsMaxZeilenbreiteOk(unknown, 3, 10, 0, u"abc"));
    EXPECT_FALSE(IsMaxZeilenbreiteOk(unknown, 3, 10, 0, u"abcd"));
}

TEST(Zeilenbreite, ClampAndPanelText) {
    const struct {
        int value, clamped;
        std::u16string panel;
    } rows[] = {
        {-1, 0, u"Bte: Unb."}, {0, 0, u"Bte: Unb."}, {1, 1, u"Bte: 1"},
        {99, 99, u"Bte: 99"},  {100, 99, u"Bte: 99"}, {12345, 99, u"Bte: 99"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ClampMaxZeilenbreite(row.value), row.clamped) << row.value;
        EXPECT_EQ(ZeilenbreitePanelText(ClampMaxZeilenbreite(row.value)), row.panel) << row.value;
    }
}

TEST(Zeilenbreite, DialogTextIsAWidthFrom0To99) {
    const struct {
        std::u16string text;
        std::optional<int> value;
    } rows[] = {
        {u"0", 0},         {u"7", 7},         {u"99", 99},          {u" 42 ", 42},     {u"07", 7},
        {u"+5", 5},        {u"-0", 0},        {u"100", std::nullopt}, {u"-1", std::nullopt},
        {u"", std::nullopt}, {u"  ", std::nullopt}, {u"+", std::nullopt}, {u"1a", std::nullopt},
        {u"4 2", std::nullopt}, {u"99999999999999999999", std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(ParseZeilenbreite(row.text), row.value) << U16ToUtf8(row.text);
}
