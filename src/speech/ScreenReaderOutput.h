// What the windows hand the running screen reader: a text to speak and to
// show on the braille display.
#pragma once

#include <string>

namespace korvalin {

class TScreenReaderOutput {
public:
    virtual ~TScreenReaderOutput() = default;
    // Speaks and brailles S, cutting off current speech first when
    // Interrupt; false when nothing took the text.
    virtual bool Output(const std::u16string& S, bool Interrupt) = 0;
};

}  // namespace korvalin
