#include "input/SoundOutput.h"

#include "util/Win32Text.h"

#include <windows.h>
#include <mmsystem.h>

namespace korvalin {

void TPlaySoundOutput::Play(const std::u16string& fileName, bool toEndS) {
    PlaySoundW(WStr(fileName), nullptr, SND_FILENAME | SND_NODEFAULT | (toEndS ? 0 : SND_ASYNC));
}

void TPlaySoundOutput::Stop() { PlaySoundW(nullptr, nullptr, SND_PURGE); }

}  // namespace korvalin
