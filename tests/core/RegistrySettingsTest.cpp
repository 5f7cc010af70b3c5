#include "settings/RegistrySettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace korvalin;

using TStrings = std::vector<std::u16string>;

TEST(Parameters, CommandLineIsTrimmedJoinedAndSplitAgain) {
    struct Row {
        TStrings Parameters;
        std::u16string String;
        TStrings Array;
    };
    const Row rows[] = {
        {{}, u"", {}},
        {{u"a.rtf", u"b.rtf"}, u"a.rtf|b.rtf", {u"a.rtf", u"b.rtf"}},
        {{u"  a.rtf\t", u"", u"   ", u"b.rtf"}, u"a.rtf|b.rtf", {u"a.rtf", u"b.rtf"}},
        {{u"a.rtf", u" "}, u"a.rtf", {u"a.rtf"}},  // no "|" after the last kept parameter
        {{u"x|y", u"z"}, u"x|y|z", {u"x", u"y", u"z"}},  // a "|" inside a parameter splits it
        {{u"C:\\Texte\\mein Brief.rtf"}, u"C:\\Texte\\mein Brief.rtf", {u"C:\\Texte\\mein Brief.rtf"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetParametersString(row.Parameters), row.String) << row.String.size();
        EXPECT_EQ(GetParametersArray(row.Parameters), row.Array) << row.String.size();
    }
}

TEST(Parameters, HandedOverStringLosesEmptyAndBlankFields) {
    struct Row {
        std::u16string_view Text;
        TStrings Array;
    };
    const Row rows[] = {
        {u"", {}},
        {u"   ", {}},
        {u"|||", {}},
        {u"a.rtf", {u"a.rtf"}},
        {u"|a.rtf||b.rtf|", {u"a.rtf", u"b.rtf"}},
        {u" a.rtf | b.rtf ", {u"a.rtf", u"b.rtf"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetParametersArray(row.Text), row.Array) << row.Text.size();
        EXPECT_EQ(GetParametersArray(GetParametersString(row.Text)), row.Array) << row.Text.size();
    }
    EXPECT_EQ(GetParametersString(u" |a.rtf| |b.rtf|"), u"a.rtf|b.rtf");
}

TEST(RegistrySettings, EachRequestSetsOnlyItsOwnFieldWithItsDefault) {
    EXPECT_EQ(TRegistrySettings::rsParameters(u"a.rtf", u"own.rtf"), (TRegistrySettings{u"a.rtf", u"", u""}));
    EXPECT_EQ(TRegistrySettings::rsParameters(u"", u"own.rtf"), (TRegistrySettings{u"own.rtf", u"", u""}));
    EXPECT_EQ(TRegistrySettings::rsSetFocus(), (TRegistrySettings{u"", u"1", u""}));
    EXPECT_EQ(TRegistrySettings::rsClose(), (TRegistrySettings{u"", u"", u"1"}));
    EXPECT_EQ(TRegistrySettings::rsClose(u"jetzt"), (TRegistrySettings{u"", u"", u"jetzt"}));
}

TEST(RegistrySettings, ParametersWinOverFrontWhichWinsOverClose) {
    using K = TRegistryCommandKind;
    struct Row {
        TRegistrySettings Request;
        TRegistryCommand Command;
    };
    const Row rows[] = {
        {{u"a.rtf|b.rtf", u"1", u"1"}, {K::Parameters, u"a.rtf|b.rtf"}},  // the close request is lost
        {{u"a.rtf", u"", u"1"}, {K::Parameters, u"a.rtf"}},
        {{u"", u"1", u"1"}, {K::SetFocus, u""}},
        {{u"", u"", u"1"}, {K::Close, u""}},
        {{u"", u"", u""}, {K::None, u""}},
    };
    for (const Row& row : rows) EXPECT_EQ(ChooseRegistryCommand(row.Request), row.Command) << int(row.Command.Kind);
}

TEST(CopyData, TextEndsAtTheNulOrAtTheEndOfTheBuffer) {
    struct Row {
        std::u16string_view Units;  // the buffer's UTF-16 units, NULs included
        size_t ByteCount;
        std::u16string Text;
    };
    const Row rows[] = {
        {std::u16string_view(u"a|b\0", 4), 8, u"a|b"},
        {std::u16string_view(u"a\0b", 3), 6, u"a"},  // what follows the NUL is not read
        {u"abc", 6, u"abc"},                          // no NUL at all
        {u"abc", 4, u"ab"},                           // the declared size ends the text
        {u"abc", 5, u"ab"},                           // an odd last byte is ignored
        {u"abc", 1, u""},
        {u"abc", 0, u""},
        {u"\xD83D\xDE00", 4, u"\xD83D\xDE00"},  // a surrogate pair stays two units
    };
    for (const Row& row : rows) {
        // Exactly ByteCount bytes on the heap: reading one byte more is caught.
        ASSERT_LE(row.ByteCount, row.Units.size() * 2);
        const auto exact = std::make_unique<unsigned char[]>(row.ByteCount);
        std::memcpy(exact.get(), row.Units.data(), row.ByteCount);
        EXPECT_EQ(Utf16FromBytes(exact.get(), row.ByteCount), row.Text) << row.ByteCount;
    }
}

TEST(CopyData, UnalignedPayloadAndMissingBufferAreRead) {
    const unsigned char bytes[] = {0xFF, 'h', 0, 'i', 0, 0, 0};
    EXPECT_EQ(Utf16FromBytes(bytes + 1, 6), u"hi");
    EXPECT_EQ(Utf16FromBytes(nullptr, 10), u"");
}
