// The faces of a rich edit's text: where one face name ends and the next
// begins, found without visiting every character.
#pragma once

#include "util/Wnd.h"

#include <string>
#include <vector>

namespace korvalin {

// A stretch of the text, in the control's positions (a paragraph ends in
// one "\r"), written in one face.
struct TFaceRun {
    int Start = 0;
    int Length = 0;
    std::u16string Face;
    bool operator==(const TFaceRun&) const = default;
};

// The runs of Length characters from position 0, in order and without
// gaps. The selection and the scroll position are restored afterwards.
std::vector<TFaceRun> RichFaceRuns(TRichEdit& edit, int length);

}  // namespace korvalin
