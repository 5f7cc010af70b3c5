// The background numbers: 19 named colours for the input controls of every
// window and dialog. The settings keep the number; THintergrundForm holds the
// list and the number in use.
#pragma once

#include "appearance/FontSpec.h"

#include <array>
#include <string_view>

namespace korvalin {

struct THintergrundEntry {
    std::u16string_view Name;
    TColor Color;
};

inline constexpr int kHintergrundCount = 19;

// Numbers 12 and 13 repeat the colours of 11 and 17.
extern const std::array<THintergrundEntry, kHintergrundCount> HintergrundEntries;

// The first number whose colour is Color; 1 (white) when there is none.
int HintergrundNrForColor(TColor color);

class THintergrundForm {
public:
    int HintergrundNr() const { return FHintergrundNr; }
    // A number outside 0 to 18 becomes 0.
    void SetHintergrundNr(int value);
    TColor HintergrundFarbe() const { return HintergrundEntries[size_t(FHintergrundNr)].Color; }
    std::u16string_view HintergrundName() const { return HintergrundEntries[size_t(FHintergrundNr)].Name; }

private:
    int FHintergrundNr = 1;
};

}  // namespace korvalin
