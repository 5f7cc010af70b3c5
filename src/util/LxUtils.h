// File, folder and window helpers of the Windows build.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korvalin {

// The folder of the running executable, ending in a backslash.
std::u16string ExeFolder();

// Restricts where the process looks for libraries loaded by a bare name to
// the system folder and the program's folder: never the current folder
// (the folder of a document opened by double-click) nor PATH. Called first
// thing at start-up.
void RestrictLibrarySearch();
// Loads the library Name from the program's folder only; nullptr when it is
// not there or does not load.
HMODULE LoadProgramLibrary(std::u16string_view name);

// The caption of a window, at most 260 characters.
std::u16string WindowCaption(HWND window);

// ---- measuring a font on the screen; an absent font is the system icon font ----

// tmHeight of the font; 0 if that fails.
int FontTextHeight(HFONT font);
// The pixel width of Text; 0 for empty text or on failure.
int FontTextWidth(HFONT font, std::u16string_view text);
// FontTextWidth of Text with one blank appended.
int FontTextWidthSpaced(HFONT font, std::u16string_view text);

enum class TControlKind { Edit, Button, StatusBar, CheckBox, Other };
// The height of a control showing the font: the text height (12 if that is 0
// or less) plus 8 for a single-line edit, 12 for a button, 6 for a status bar,
// 8 for a check box and nothing for any other kind.
int FontControlHeight(HFONT font, TControlKind kind);

}  // namespace korvalin
