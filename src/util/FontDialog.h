// The system font dialog for a rich edit's character format.
#pragma once

#include <windows.h>
#include <richedit.h>

namespace korvalin {

// Shows the font dialog (with colour, underline and strike-out) preset with
// Format's face, size, charset, style and colour; on OK writes the choice
// back into Format with the mask of those attributes and returns true.
bool ChooseCharFormat(HWND owner, CHARFORMAT2W& format);

}  // namespace korvalin
