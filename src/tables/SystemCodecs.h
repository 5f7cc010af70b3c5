// The text codecs of the Windows build: the system's ANSI code page and the
// rich edit's RTF reader.
#pragma once

#include "appearance/FontSpec.h"
#include "tables/TextFile.h"

namespace korvalin {

TTextCodecs SystemTextCodecs();

// Writes Text to FileName in the encoding of Kind (RTF through a hidden rich
// edit, in Font where one is given), replacing the file only once it is
// complete; throws EKorvalin.
void SaveTextFile(const std::u16string& FileName, const std::u16string& Text, TFileTextType Kind,
                  const TFontValue* Font = nullptr);

}  // namespace korvalin
