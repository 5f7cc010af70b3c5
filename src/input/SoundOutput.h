// The system's wave player behind the sound cues.
#pragma once

#include "input/SoundCues.h"

namespace korvalin {

class TPlaySoundOutput : public TSoundOutput {
public:
    void Play(const std::u16string& fileName, bool toEndS) override;
    void Stop() override;
};

}  // namespace korvalin
