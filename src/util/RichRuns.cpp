#include "util/RichRuns.h"

#include "util/Win32Text.h"

#include <algorithm>

namespace korvalin {

namespace {

// The face of the characters from Start to End when they share one.
bool OneFace(TRichEdit& edit, int start, int end, std::u16string* face = nullptr) {
    edit.SetSel(start, end - start);
    const CHARFORMAT2W format = edit.SelAttributes();
    if (!(format.dwMask & CFM_FACE)) return false;
    if (face) *face = U16(format.szFaceName);
    return true;
}

// The end of the run that begins at Start: the steps grow while the face
// stays the same, then the last step is halved down to the change.
int RunEnd(TRichEdit& edit, int start, int length) {
    int same = start + 1, step = 1;
    int differs = length + 1;
    while (same < length) {
        const int next = std::min(length, same + step);
        if (!OneFace(edit, start, next)) {
            differs = next;
            break;
        }
        same = next;
        step *= 2;
    }
    while (differs <= length && differs - same > 1) {
        const int middle = same + (differs - same) / 2;
        (OneFace(edit, start, middle) ? same : differs) = middle;
    }
    return same;
}

}  // namespace

std::vector<TFaceRun> RichFaceRuns(TRichEdit& edit, int length) {
    const int selStart = edit.SelStart(), selLength = edit.SelLength();
    POINT scroll{};
    edit.Send(EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    std::vector<TFaceRun> runs;
    {
        TUpdateBracket bracket(edit);
        for (int start = 0; start < length;) {
            std::u16string face;
            OneFace(edit, start, start + 1, &face);
            const int end = RunEnd(edit, start, length);
            if (!runs.empty() && runs.back().Face == face) runs.back().Length += end - start;
            else runs.push_back({start, end - start, std::move(face)});
            start = end;
        }
        edit.SetSel(selStart, selLength);
        edit.Send(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    }
    return runs;
}

}  // namespace korvalin
