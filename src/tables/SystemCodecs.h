// The text codecs of the Windows build: the system's ANSI code page and the
// rich edit's RTF reader.
#pragma once

#include "tables/TextFile.h"

namespace korvalin {

TTextCodecs SystemTextCodecs();

}  // namespace korvalin
