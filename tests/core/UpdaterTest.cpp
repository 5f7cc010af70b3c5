#include "update/LxUpdaterC.h"

#include "util/Errors.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace korvalin {
namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return EncodeDateTime(y, mo, d, h, mi, s).value();
}

TEST(Version, ParsesFourPartsAndRejectsAnythingElse) {
    struct Row {
        std::u16string_view text;
        bool ok;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {u"1.2.1.0", true, u"1.2.1.0"},
        {u"  1 . 2 .1 . 0  ", true, u"1.2.1.0"},
        {u"65535.0.0.65535", true, u"65535.0.0.65535"},
        {u"$10.0x10.0.0", true, u"16.16.0.0"},
        {u"1.2.1", false, u"0.0.0.0"},
        {u"1.2.1.0.5", false, u"0.0.0.0"},
        {u"1.2.a.0", false, u"0.0.0.0"},
        {u"1.-2.1.0", false, u"0.0.0.0"},
        {u"1.2.70000.0", false, u"0.0.0.0"},
        {u"1.2..0", false, u"0.0.0.0"},
        {u"1.2.1.0.", false, u"0.0.0.0"},
        {u"1 2.1.0.0", false, u"0.0.0.0"},
        {u"", false, u"0.0.0.0"},
    };
    for (const Row& row : rows) {
        TVersion v(9, 9, 9, 9);
        EXPECT_EQ(v.TrySetData(row.text), row.ok) << U16ToUtf8(row.text);
        EXPECT_EQ(v.ToString(), row.expected) << U16ToUtf8(row.text);
    }
}

TEST(Version, PartsCompareAsNumbersInOrder) {
    struct Row {
        TVersion a, b;
        int expected;
    };
    const Row rows[] = {
        {{1, 2, 1, 0}, {1, 2, 1, 0}, 0},  {{1, 2, 1, 0}, {1, 2, 2, 0}, -1}, {{1, 2, 1, 0}, {1, 10, 0, 0}, -1},
        {{1, 2, 1, 0}, {1, 2, 0, 9}, 1},  {{1, 2, 1, 1}, {1, 2, 1, 0}, 1},  {{2, 0, 0, 0}, {1, 65535, 65535, 65535}, 1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.a.CompareTo(&row.b), row.expected) << U16ToUtf8(row.a.ToString()) << " vs " << U16ToUtf8(row.b.ToString());
        EXPECT_EQ(row.b.CompareTo(&row.a), -row.expected);
    }
    EXPECT_EQ(TVersion(1, 0, 0, 0).CompareTo(nullptr), 0);
}

TEST(Version, ServerTextDecidesTheUpdateType) {
    struct Row {
        TVersion current;
        std::u16string_view text;
        TUpdateType status;
        bool success;
    };
    const Row rows[] = {
        {{1, 2, 1, 0}, u"1.2.1.0", TUpdateType::utNone, true},
        {{1, 2, 1, 0}, u"1.2.2.0", TUpdateType::utUpgrade, true},
        {{1, 2, 1, 0}, u"1.10.0.0", TUpdateType::utUpgrade, true},
        {{1, 2, 1, 0}, u"1.2.0.9", TUpdateType::utDowngrade, true},
        {{1, 2, 1, 1}, u"1.2.1.0", TUpdateType::utDowngrade, true},
        {{1, 2, 1, 0}, u"0.0.0.0", TUpdateType::utError, false},
        {{1, 2, 1, 0}, u"1.2", TUpdateType::utError, false},
        // A program without version resource never gets a result.
        {{0, 0, 0, 0}, u"1.2.1.0", TUpdateType::utError, false},
    };
    for (const Row& row : rows) {
        TVersion found(7, 7, 7, 7);
        TUpdateType status = TUpdateType::utNone;
        EXPECT_EQ(ProcessVersionText(row.text, row.current, found, status), row.success) << U16ToUtf8(row.text);
        EXPECT_EQ(status, row.status) << U16ToUtf8(row.text);
        if (!row.success && !row.current.IsZero()) {
            EXPECT_TRUE(found.IsZero());
        }
    }
}

TEST(VersionFile, OnlyVersionOfTheNamedSectionCounts) {
    struct Row {
        std::u16string_view text;
        std::u16string_view expected;
    };
    const Row rows[] = {
        {u"[Korvalin]\r\nVersion=1.2.1.0\r\n", u"1.2.1.0"},
        {u"[Other]\nVersion=9.9.9.9\n[korvalin]\nversion = 1.3.0.0 \n", u"1.3.0.0"},
        {u"[Korvalin]\rName=x\rVersion=2.0.0.0", u"2.0.0.0"},
        {u"[Other]\r\nVersion=1.2.1.0\r\n", u""},
        {u"[Korvalin]\r\nRelease=1.2.1.0\r\n", u""},
        {u"Version=1.2.1.0\r\n", u""},
        {u"<html><body><h1>404 Not Found</h1></body></html>", u""},
        {u"", u""},
    };
    for (const Row& row : rows) EXPECT_EQ(ReadVersionFileValue(row.text, u"Korvalin"), row.expected) << U16ToUtf8(row.text);
}

TEST(UpdateCheckDue, FollowsTheModeAndTheLastSuccess) {
    const TDateTime now = At(2026, 12, 9, 10, 0, 0);
    struct Row {
        int mode;
        TDateTime last;
        bool due;
        const char* what;
    };
    const Row rows[] = {
        {0, now, true, "every start, just checked"},
        {1, 0, true, "daily, never checked"},
        {1, At(2026, 12, 8, 23, 59, 0), true, "daily, last yesterday 23:59"},
        {1, At(2026, 12, 9, 0, 0, 1), false, "daily, earlier today"},
        {1, At(2026, 12, 10, 1, 0, 0), true, "daily, tomorrow"},
        {2, 0, true, "weekly, never"},
        {2, now - 6 - 23.0 / 24, false, "weekly, 6 days 23 hours ago"},
        {2, At(2026, 12, 2, 10, 0, 0), true, "weekly, exactly 7 days ago"},
        {2, now + 1.0 / 24, true, "weekly, in the future"},
        {3, 0, false, "manual only, never"},
        {3, now - 100, false, "manual only, long ago"},
        {7, now, true, "unknown mode"},
        {-1, now, true, "negative mode"},
    };
    for (const Row& row : rows) EXPECT_EQ(IsUpdateCheckDue(row.mode, row.last, now), row.due) << row.what;
}

TEST(Stamp, WritesAndReadsBackTheSecond) {
    const TDateTime t = At(2026, 2, 28, 23, 59, 58);
    EXPECT_EQ(DateTimeToStamp(t), u"20260228235958");
    EXPECT_EQ(DateTimeToStamp(At(1999, 1, 2, 3, 4, 5)), u"19990102030405");
    EXPECT_EQ(DateTimeToStamp(0), u"");
    EXPECT_EQ(DateTimeToStamp(-3), u"");
    const auto back = StampToDateTime(u" 20260228235958 ");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(DateTimeToStamp(*back), u"20260228235958");
    // A time just below a full second still writes the nearest second.
    EXPECT_EQ(DateTimeToStamp(t + 0.9 / 86400), u"20260228235959");
}

TEST(Stamp, RejectsWhatIsNotAValidDateAndTime) {
    for (std::u16string_view bad : {u"2026-12-09 10:00", u"2026120910000", u"202612091000000", u"20261309100000",
                                    u"20260230100000", u"20250229100000", u"20261209240000", u"20261209106000",
                                    u"20261209100060", u"00001209100000", u"2026120910000a", u""})
        EXPECT_FALSE(StampToDateTime(bad).has_value()) << U16ToUtf8(bad);
    EXPECT_TRUE(StampToDateTime(u"20240229000000").has_value());
}

class FakeProfile : public TProfile {
public:
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> Values;
    bool FailWrites = false;
    std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view def) override {
        const auto it = Values.find({std::u16string(section), std::u16string(key)});
        return it == Values.end() ? std::u16string(def) : it->second;
    }
    void WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) override {
        if (FailWrites) throw EKorvalin(u"write failed");
        Values[{std::u16string(section), std::u16string(key)}] = std::u16string(value);
    }
};

TEST(UpdaterIniStorage, LoadsValidValuesAndIgnoresTheRest) {
    struct Row {
        std::optional<std::u16string> mode, stamp;
        TUpdateCheckMode expectedMode;
        TDateTime expectedLast;
    };
    const TDateTime stamp = At(2026, 12, 1, 8, 30, 0);
    const Row rows[] = {
        {u"2", u"20261201083000", TUpdateCheckMode::ucmWeekly, stamp},
        {u"7", u"20261201083000", TUpdateCheckMode::ucmDaily, stamp},
        {u"-1", std::nullopt, TUpdateCheckMode::ucmDaily, 0},
        {u"abc", u"2026-12-01", TUpdateCheckMode::ucmDaily, 0},
        {std::nullopt, u"", TUpdateCheckMode::ucmDaily, 0},
        {u" 3 ", u"garbage", TUpdateCheckMode::ucmManualOnly, 0},
    };
    for (const Row& row : rows) {
        FakeProfile profile;
        if (row.mode) profile.Values[{u"Updater", u"CheckMode"}] = *row.mode;
        if (row.stamp) profile.Values[{u"Updater", u"LastSuccessfulCheck"}] = *row.stamp;
        TUpdaterSettings settings{TUpdateCheckMode::ucmDaily, At(2020, 1, 1)};
        TIniUpdaterStorage(profile).Load(settings);
        EXPECT_EQ(settings.CheckMode, row.expectedMode);
        EXPECT_DOUBLE_EQ(settings.LastSuccessfulCheck, row.expectedLast);
    }
}

TEST(UpdaterIniStorage, SavesModeAndStampAndSwallowsWriteErrors) {
    FakeProfile profile;
    TIniUpdaterStorage storage(profile);
    storage.Save({TUpdateCheckMode::ucmWeekly, At(2026, 12, 9, 1, 2, 3)});
    EXPECT_EQ((profile.Values[{u"Updater", u"CheckMode"}]), u"2");
    EXPECT_EQ((profile.Values[{u"Updater", u"LastSuccessfulCheck"}]), u"20261209010203");
    storage.Save({TUpdateCheckMode::ucmEveryStart, 0});
    EXPECT_EQ((profile.Values[{u"Updater", u"LastSuccessfulCheck"}]), u"");

    TUpdaterSettings back{TUpdateCheckMode::ucmManualOnly, 5};
    storage.Load(back);
    EXPECT_EQ(back.CheckMode, TUpdateCheckMode::ucmEveryStart);
    EXPECT_EQ(back.LastSuccessfulCheck, 0);

    profile.FailWrites = true;
    EXPECT_NO_THROW(storage.Save({TUpdateCheckMode::ucmDaily, 0}));
    EXPECT_EQ((profile.Values[{u"Updater", u"CheckMode"}]), u"0");
}

}  // namespace
}  // namespace korvalin
