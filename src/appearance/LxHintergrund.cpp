#include "appearance/LxHintergrund.h"

namespace korvalin {

const std::array<THintergrundEntry, kHintergrundCount> HintergrundEntries = {{
    {u"Schwarz", 0x000000},    {u"Weiß", 0xFFFFFF},       {u"Gelb", 0x00FFFF},     {u"Blau", 0xFF0000},
    {u"Marineblau", 0x800000}, {u"Himmelblau", 0xF0CAA6}, {u"Blaugrün", 0x808000}, {u"Grün", 0x008000},
    {u"Minzgrün", 0xC0DCC0},   {u"Gelbgrün", 0x00FF00},   {u"Olivgrün", 0x008080}, {u"Grau", 0x808080},
    {u"Dunkelgrau", 0x808080}, {u"Hellgrau", 0xC0C0C0},   {u"Rot", 0x0000FF},      {u"Purpur", 0x800080},
    {u"Lila", 0xFF00FF},       {u"Silber", 0xC0C0C0},     {u"Braun", 0x000080},
}};

int HintergrundNrForColor(TColor color) {
    for (int number = 0; number < kHintergrundCount; ++number)
        if (HintergrundEntries[size_t(number)].Color == color) return number;
    return 1;
}

void THintergrundForm::SetHintergrundNr(int value) {
    FHintergrundNr = value >= 0 && value < kHintergrundCount ? value : 0;
}

}  // namespace korvalin
