#include "settings/BrailleSeite.h"

#include "input/Translation.h"
#include "util/TextUtils.h"

namespace korvalin {

TBrailleGeometry BrailleSeitenformat(const TEinstellungen& settings) {
    TBrailleGeometry geometry;
    if (settings.MaxZeilenbreite > 0) geometry.CellsPerLine = settings.MaxZeilenbreite;
    if (settings.BrailleZeichenProZeile > 0) geometry.CellsPerLine = settings.BrailleZeichenProZeile;
    if (settings.BrailleZeilenProSeite > 0) geometry.LinesPerPage = settings.BrailleZeilenProSeite;
    return geometry;
}

std::optional<int> ParseBrailleSeitenZahl(std::u16string_view text) {
    text = Trim(text);
    std::int32_t value = 0;
    if (text.empty() || text.size() > 2 || text.find_first_not_of(u"0123456789") != std::u16string_view::npos ||
        !TryStrToInt(text, value) || value < kBrailleGeometryMin || value > kBrailleGeometryMax)
        return std::nullopt;
    return int(value);
}

int RepairedBrailleSeitenZahl(int stored) { return stored >= 0 && stored <= kBrailleGeometryMax ? stored : 0; }

}  // namespace korvalin
