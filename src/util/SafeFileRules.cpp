#include "util/SafeFileRules.h"

namespace korvalin {

TPlaceResult PlaceWrittenFile(TPlaceFiles& files, const std::u16string& target, const std::u16string& temporary,
                              const std::u16string& backup) {
    const std::uint32_t error =
        files.Exists(target) ? files.Replace(target, temporary, backup) : files.Move(temporary, target);
    if (error == 0) {
        files.Remove(backup);  // the old content; a copy left behind harms nothing
        return {};
    }
    // A replace that stopped half-way may have left the old file under the
    // backup name only: it goes back first.
    if (!files.Exists(target) && files.Exists(backup)) files.Move(backup, target);
    if (files.Exists(target)) {
        files.Remove(temporary);
        return {error, u""};
    }
    for (const std::u16string* kept : {&temporary, &backup})
        if (files.Exists(*kept)) return {error, *kept};
    return {error, u""};
}

}  // namespace korvalin
