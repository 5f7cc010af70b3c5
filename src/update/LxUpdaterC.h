// Version numbers, the update due test, the stored updater settings and the
// reading of the server's version file: the parts of the update check that
// need no window and no network.
#pragma once

#include "settings/SettingsFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvalin {

enum class TUpdateType { utNone = 0, utError = 1, utDowngrade = 2, utUpgrade = 3 };
enum class TUpdateCheckMode { ucmEveryStart = 0, ucmDaily = 1, ucmWeekly = 2, ucmManualOnly = 3 };
enum class TUpdateStorageKind { uskNone = 0, uskIni = 1, uskRegistry = 2 };

// A point in time as days since 1899-12-30 00:00 with the time of day as the
// fraction; 0 means "never".
using TDateTime = double;

// Days and fraction of a calendar date and time; nullopt for an invalid one.
std::optional<TDateTime> EncodeDateTime(int year, int month, int day, int hour, int minute, int second);

// The stamp "yyyymmddhhnnss" of a time, empty for 0 or below.
std::u16string DateTimeToStamp(TDateTime value);
// Exactly 14 characters after trimming, six groups of digits forming a valid
// date and time; nullopt otherwise.
std::optional<TDateTime> StampToDateTime(std::u16string_view stamp);

class TVersion {
public:
    TVersion() = default;
    TVersion(std::int32_t major, std::int32_t minor, std::int32_t patch, std::int32_t build)
        : FMajor(major), FMinor(minor), FPatch(patch), FBuild(build) {}

    std::int32_t Major() const { return FMajor; }
    std::int32_t Minor() const { return FMinor; }
    std::int32_t Patch() const { return FPatch; }
    std::int32_t Build() const { return FBuild; }

    void Clear() { FMajor = FMinor = FPatch = FBuild = 0; }
    bool IsZero() const { return FMajor == 0 && FMinor == 0 && FPatch == 0 && FBuild == 0; }
    // Four integers from 0 to 65535 separated by "."; blanks around the whole
    // and around each part are allowed. A failure leaves 0.0.0.0.
    bool TrySetData(std::u16string_view s);
    void SetData(std::u16string_view s) { TrySetData(s); }
    // -1, 0 or 1 by Major, Minor, Patch, Build; 0 when AOther is absent.
    int CompareTo(const TVersion* AOther) const;
    // "%d.%d.%d.%d"
    std::u16string ToString() const;

private:
    std::int32_t FMajor = 0;
    std::int32_t FMinor = 0;
    std::int32_t FPatch = 0;
    std::int32_t FBuild = 0;
};

// Whether an automatic check is due in Mode, with the last success at Last
// (0 for never) and the clock at Now.
bool IsUpdateCheckDue(TUpdateCheckMode mode, TDateTime last, TDateTime now);
// Same for a mode read as a number; values outside the four modes are due.
bool IsUpdateCheckDue(int mode, TDateTime last, TDateTime now);

// The trimmed value of "Version" in Section of an INI text (CR LF, LF or CR
// lines; section and key without regard to case); empty when missing.
std::u16string ReadVersionFileValue(std::u16string_view text, std::u16string_view section);

// Compares the version of Text with Current: NewVersion gets the parsed
// version (0.0.0.0 on failure), Status the outcome. True for a successful
// comparison.
bool ProcessVersionText(std::u16string_view text, const TVersion& current, TVersion& newVersion,
                        TUpdateType& status);

// The two values the updater keeps between runs.
struct TUpdaterSettings {
    TUpdateCheckMode CheckMode = TUpdateCheckMode::ucmEveryStart;
    TDateTime LastSuccessfulCheck = 0;
};

// Where the updater keeps its settings. Errors of either direction are
// swallowed: a failed load keeps the values, a failed save changes nothing.
class TUpdaterStorage {
public:
    virtual ~TUpdaterStorage() = default;
    virtual void Load(TUpdaterSettings& settings) = 0;
    virtual void Save(const TUpdaterSettings& settings) = 0;
};

// Section "Updater" of the settings file: "CheckMode" (0 to 3) and
// "LastSuccessfulCheck" (a stamp, empty for never).
class TIniUpdaterStorage : public TUpdaterStorage {
public:
    explicit TIniUpdaterStorage(TProfile& profile) : FProfile(profile) {}
    void Load(TUpdaterSettings& settings) override;
    void Save(const TUpdaterSettings& settings) override;

private:
    TProfile& FProfile;
};

// The stored check mode as a load applies it: 0 to 3 is taken, anything
// else keeps Current.
TUpdateCheckMode StoredCheckMode(std::optional<int> stored, TUpdateCheckMode current);

}  // namespace korvalin
