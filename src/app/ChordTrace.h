// A trace of how long chords take from the hook to the editor, for the
// benchmark: on only when the environment variable KORVALIN_CHORD_TRACE
// names a file. Each handled chord appends a line "mask microseconds".
#pragma once

#include <windows.h>

#include <cstdint>

namespace korvalin {

class TChordTrace {
public:
    TChordTrace();
    TChordTrace(const TChordTrace&) = delete;
    TChordTrace& operator=(const TChordTrace&) = delete;
    ~TChordTrace();

    // A chord was posted (in the hook, at its last key-up).
    void Posted() noexcept;
    // The posted chord Keys has been handled: its text is in the editor.
    void Handled(int keys) noexcept;

private:
    HANDLE FFile = INVALID_HANDLE_VALUE;
    LARGE_INTEGER FFrequency{};
    std::int64_t FPosted[64] = {};  // the times of the chords in flight, a ring
    unsigned FFirst = 0, FCount = 0;
};

}  // namespace korvalin
