#include "util/SafeFileRules.h"
#include "util/TextUtils.h"

#include <gtest/gtest.h>

#include <map>

using namespace korvalin;

namespace {

// What a failed replace has done to the files, as the system documents it.
enum class TReplaceEffect { Done, NothingMoved, OldRemoved, OldToBackup };

// Files as names and contents; the replace acts as its row says.
class TFakeFiles : public TPlaceFiles {
public:
    std::map<std::u16string, std::string> Files;
    std::uint32_t ReplaceError = 0;
    TReplaceEffect Effect = TReplaceEffect::Done;
    std::uint32_t MoveError = 0;
    std::uint32_t RemoveError = 0;

    bool Exists(const std::u16string& name) override { return Files.contains(name); }
    std::uint32_t Replace(const std::u16string& target, const std::u16string& replacement,
                          const std::u16string& backup) override {
        if (Effect == TReplaceEffect::Done || Effect == TReplaceEffect::OldToBackup) Files[backup] = Files[target];
        if (Effect != TReplaceEffect::NothingMoved) Files.erase(target);
        if (Effect == TReplaceEffect::Done) Move(replacement, target);
        return ReplaceError;
    }
    std::uint32_t Move(const std::u16string& from, const std::u16string& to) override {
        if (MoveError) return MoveError;
        Files[to] = Files[from];
        Files.erase(from);
        return 0;
    }
    std::uint32_t Remove(const std::u16string& name) override {
        if (!RemoveError) Files.erase(name);
        return RemoveError;
    }
};

constexpr std::uint32_t kAccessDenied = 5;

}  // namespace

TEST(PlaceWrittenFile, EveryFailureOfTheLastStepLeavesTheOldFileOrNamesTheNewContent) {
    using Files = std::map<std::u16string, std::string>;
    const Files old{{u"Brief.rtf", "alt"}, {u"neu.tmp", "neu"}};
    const Files fresh{{u"neu.tmp", "neu"}};
    const struct {
        const char* what;
        Files before;
        std::uint32_t replaceError;
        TReplaceEffect effect;
        std::uint32_t moveError, removeError;
        std::uint32_t error;
        std::u16string kept;
        Files after;
    } rows[] = {
        {"replaced", old, 0, TReplaceEffect::Done, 0, 0, 0, u"", {{u"Brief.rtf", "neu"}}},
        {"replaced, the old copy stays behind", old, 0, TReplaceEffect::Done, 0, kAccessDenied, 0, u"",
         {{u"Brief.rtf", "neu"}, {u"alt.tmp", "alt"}}},
        {"old file not removable", old, kErrorUnableToRemoveReplaced, TReplaceEffect::NothingMoved, 0, 0,
         kErrorUnableToRemoveReplaced, u"", {{u"Brief.rtf", "alt"}}},
        {"new file not renamed, with a backup", old, kErrorUnableToMoveReplacement, TReplaceEffect::NothingMoved, 0,
         0, kErrorUnableToMoveReplacement, u"", {{u"Brief.rtf", "alt"}}},
        {"new file not renamed, old file gone", old, kErrorUnableToMoveReplacement, TReplaceEffect::OldRemoved, 0, 0,
         kErrorUnableToMoveReplacement, u"neu.tmp", {{u"neu.tmp", "neu"}}},
        {"new file not moved, old file under the backup name", old, kErrorUnableToMoveReplacement2,
         TReplaceEffect::OldToBackup, 0, 0, kErrorUnableToMoveReplacement2, u"", {{u"Brief.rtf", "alt"}}},
        {"new file not moved, old file not movable back", old, kErrorUnableToMoveReplacement2,
         TReplaceEffect::OldToBackup, kAccessDenied, 0, kErrorUnableToMoveReplacement2, u"neu.tmp",
         {{u"neu.tmp", "neu"}, {u"alt.tmp", "alt"}}},
        {"access denied", old, kAccessDenied, TReplaceEffect::NothingMoved, 0, 0, kAccessDenied, u"",
         {{u"Brief.rtf", "alt"}}},
        {"a new document", fresh, 0, TReplaceEffect::Done, 0, 0, 0, u"", {{u"Brief.rtf", "neu"}}},
        {"a new document not movable", fresh, 0, TReplaceEffect::Done, kAccessDenied, 0, kAccessDenied, u"neu.tmp",
         {{u"neu.tmp", "neu"}}},
    };
    for (const auto& row : rows) {
        TFakeFiles files;
        files.Files = row.before;
        files.ReplaceError = row.replaceError;
        files.Effect = row.effect;
        files.MoveError = row.moveError;
        files.RemoveError = row.removeError;
        const TPlaceResult result = PlaceWrittenFile(files, u"Brief.rtf", u"neu.tmp", u"alt.tmp");
        EXPECT_EQ(result.Error, row.error) << row.what;
        EXPECT_EQ(U16ToUtf8(result.KeptFile), U16ToUtf8(row.kept)) << row.what;
        EXPECT_EQ(files.Files, row.after) << row.what;
    }
}
