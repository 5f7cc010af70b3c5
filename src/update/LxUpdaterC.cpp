#include "update/LxUpdaterC.h"

#include "input/Translation.h"
#include "util/TextUtils.h"

#include <cmath>
#include <exception>
#include <vector>

namespace korvalin {

namespace {

constexpr std::u16string_view kUpdater = u"Updater";

// Days from 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(std::int64_t(yoe) + era * 400 + (m <= 2));
}

// 1899-12-30 lies 25569 days before 1970-01-01.
constexpr std::int64_t kUnixEpochDays = 25569;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool AllDigits(std::u16string_view s) {
    for (char16_t c : s)
        if (c < u'0' || c > u'9') return false;
    return !s.empty();
}

int DigitsValue(std::u16string_view s) {
    int value = 0;
    for (char16_t c : s) value = value * 10 + (c - u'0');
    return value;
}

std::u16string Padded(int value, size_t width) {
    std::u16string s = IntToStr(value);
    while (s.size() < width) s.insert(s.begin(), u'0');
    return s;
}

}  // namespace

std::optional<TDateTime> EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return std::nullopt;
    const int monthDays = kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
    if (day > monthDays || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    const double days = double(DaysFromCivil(year, unsigned(month), unsigned(day)) + kUnixEpochDays);
    return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

std::u16string DateTimeToStamp(TDateTime value) {
    if (!(value > 0)) return {};
    // Round to the nearest second so that a stored stamp reads back as written.
    const std::int64_t seconds = std::llround(value * 86400.0);
    const std::int64_t days = seconds / 86400;
    const int secondOfDay = int(seconds % 86400);
    int y = 0, m = 0, d = 0;
    CivilFromDays(days - kUnixEpochDays, y, m, d);
    std::u16string s = Padded(y, 4);
    s.append(Padded(m, 2)).append(Padded(d, 2));
    s.append(Padded(secondOfDay / 3600, 2)).append(Padded(secondOfDay / 60 % 60, 2)).append(Padded(secondOfDay % 60, 2));
    return s;
}

std::optional<TDateTime> StampToDateTime(std::u16string_view stamp) {
    const std::u16string_view s = Trim(stamp);
    if (s.size() != 14 || !AllDigits(s)) return std::nullopt;
    return EncodeDateTime(DigitsValue(s.substr(0, 4)), DigitsValue(s.substr(4, 2)), DigitsValue(s.substr(6, 2)),
                          DigitsValue(s.substr(8, 2)), DigitsValue(s.substr(10, 2)), DigitsValue(s.substr(12, 2)));
}

bool TVersion::TrySetData(std::u16string_view s) {
    Clear();
    const std::u16string_view text = Trim(s);
    std::int32_t parts[4] = {};
    size_t count = 0, start = 0;
    while (true) {
        const size_t dot = text.find(u'.', start);
        const std::u16string_view part = Trim(text.substr(start, dot == std::u16string_view::npos ? text.npos : dot - start));
        if (count == 4) return false;
        std::int32_t value = 0;
        if (!TryStrToInt(part, value) || value < 0 || value > 65535) return false;
        parts[count++] = value;
        if (dot == std::u16string_view::npos) break;
        start = dot + 1;
    }
    if (count != 4) return false;
    FMajor = parts[0];
    FMinor = parts[1];
    FPatch = parts[2];
    FBuild = parts[3];
    return true;
}

int TVersion::CompareTo(const TVersion* AOther) const {
    if (!AOther) return 0;
    const std::int32_t mine[] = {FMajor, FMinor, FPatch, FBuild};
    const std::int32_t theirs[] = {AOther->FMajor, AOther->FMinor, AOther->FPatch, AOther->FBuild};
    for (int i = 0; i < 4; ++i)
        if (mine[i] != theirs[i]) return mine[i] < theirs[i] ? -1 : 1;
    return 0;
}

std::u16string TVersion::ToString() const {
    return Format(u"%d.%d.%d.%d", {std::int64_t(FMajor), std::int64_t(FMinor), std::int64_t(FPatch), std::int64_t(FBuild)});
}

bool IsUpdateCheckDue(TUpdateCheckMode mode, TDateTime last, TDateTime now) {
    return IsUpdateCheckDue(int(mode), last, now);
}

bool IsUpdateCheckDue(int mode, TDateTime last, TDateTime now) {
    switch (mode) {
    case int(TUpdateCheckMode::ucmEveryStart):
        return true;
    case int(TUpdateCheckMode::ucmDaily):
        return !(last > 0 && std::floor(last) == std::floor(now));
    case int(TUpdateCheckMode::ucmWeekly):
        return !(last > 0) || last > now || now - last >= 7.0;
    case int(TUpdateCheckMode::ucmManualOnly):
        return false;
    default:
        return true;
    }
}

std::u16string ReadVersionFileValue(std::u16string_view text, std::u16string_view section) {
    bool inSection = false;
    for (const std::u16string& raw : SplitLines(text)) {
        const std::u16string_view line = Trim(raw);
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            inSection = SameText(Trim(line.substr(1, line.size() - 2)), section);
            continue;
        }
        if (!inSection) continue;
        const size_t eq = line.find(u'=');
        if (eq == std::u16string_view::npos) continue;
        if (SameText(Trim(line.substr(0, eq)), u"Version")) return std::u16string(Trim(line.substr(eq + 1)));
    }
    return {};
}

bool ProcessVersionText(std::u16string_view text, const TVersion& current, TVersion& newVersion,
                        TUpdateType& status) {
    if (!newVersion.TrySetData(text) || current.IsZero() || newVersion.IsZero()) {
        status = TUpdateType::utError;
        return false;
    }
    const int r = current.CompareTo(&newVersion);
    status = r == 0 ? TUpdateType::utNone : r < 0 ? TUpdateType::utUpgrade : TUpdateType::utDowngrade;
    return true;
}

TUpdateCheckMode StoredCheckMode(std::optional<int> stored, TUpdateCheckMode current) {
    if (stored && *stored >= 0 && *stored <= 3) return TUpdateCheckMode(*stored);
    return current;
}

void TIniUpdaterStorage::Load(TUpdaterSettings& settings) {
    try {
        const std::u16string current = IntToStr(int(settings.CheckMode));
        std::int32_t mode = 0;
        const bool isInt = TryStrToInt(Trim(FProfile.ReadString(kUpdater, u"CheckMode", current)), mode);
        settings.CheckMode = StoredCheckMode(isInt ? std::optional<int>(mode) : std::nullopt, settings.CheckMode);
        settings.LastSuccessfulCheck = StampToDateTime(FProfile.ReadString(kUpdater, u"LastSuccessfulCheck", u"")).value_or(0);
    } catch (const std::exception&) {
    }
}

void TIniUpdaterStorage::Save(const TUpdaterSettings& settings) {
    try {
        WriteInteger(FProfile, kUpdater, u"CheckMode", int(settings.CheckMode));
        FProfile.WriteString(kUpdater, u"LastSuccessfulCheck", DateTimeToStamp(settings.LastSuccessfulCheck));
    } catch (const std::exception&) {
    }
}

}  // namespace korvalin
