// File, folder and window helpers of the Windows build.
#pragma once

#include <windows.h>

#include <string>

namespace korvalin {

// The folder of the running executable, ending in a backslash.
std::u16string ExeFolder();

// The caption of a window, at most 260 characters.
std::u16string WindowCaption(HWND window);

}  // namespace korvalin
