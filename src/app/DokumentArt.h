// The kind a save writes: RTF or one of the two braille formats, which carry
// no mark of their own and are told by their extension.
#pragma once

#include "tables/BrailleFiles.h"

#include <string_view>

namespace korvalin {

// The save dialog's filters in this order, from index 1: RTF, BRF, PEF.
int SaveFilterIndex(TDocumentKind kind);

// The kind of the chosen name's extension where it is ".rtf", ".brf" or
// ".pef" (either case), otherwise that of the chosen filter.
TDocumentKind SaveKindOf(std::u16string_view filename, int filterIndex);

}  // namespace korvalin
