// The version text of the update check, any text: a version that reads has
// four parts from 0 to 65535 and reads back from its written form; one that
// does not read stays 0.0.0.0 and the comparison reports an error; the value
// of the version file's key is found whatever follows it.
#include "update/LxUpdaterC.h"
#include "util/TextUtils.h"

#include "FuzzInput.h"

using namespace korvalin;
using korvalin::fuzzing::Check;

namespace {

bool InRange(std::int32_t part) { return part >= 0 && part <= 65535; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::u16string text = korvalin::fuzzing::Latin1(data + 2, size - 2);

    TVersion version;
    if (version.TrySetData(text)) {
        Check(InRange(version.Major()) && InRange(version.Minor()) && InRange(version.Patch()) &&
              InRange(version.Build()));
        TVersion again;
        Check(again.TrySetData(version.ToString()) && again.CompareTo(&version) == 0);
    } else {
        Check(version.IsZero());
    }

    const TVersion current(1, data[0] % 4, data[1] % 4, 0);
    TVersion found;
    TUpdateType status = TUpdateType::utNone;
    if (ProcessVersionText(text, current, found, status)) {
        Check(!version.IsZero() && found.CompareTo(&version) == 0);
        const int order = current.CompareTo(&found);
        Check(status == (order == 0 ? TUpdateType::utNone : order < 0 ? TUpdateType::utUpgrade
                                                                      : TUpdateType::utDowngrade));
    } else {
        Check(status == TUpdateType::utError);
    }

    // The value on one line, then any text.
    std::u16string value;
    for (const char16_t c : text)
        if (c != u'\r' && c != u'\n' && c != u'\0') value.push_back(c);
    const std::u16string file = u" [ Korvalin ] \r\nversion=" + value + u"\n" + text;
    Check(ReadVersionFileValue(file, u"KORVALIN") == Trim(value));
    return 0;
}
