// Running the message loop of a test for a while, so that timers fire and
// posted messages arrive.
#pragma once

#include <windows.h>

namespace korvalin::testing {

// Dispatches every waiting message at least once, for about Milliseconds.
inline void PumpMessages(int milliseconds) {
    const DWORD end = GetTickCount() + DWORD(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(5);
    } while (GetTickCount() < end);
}

}  // namespace korvalin::testing
