#include "settings/BrailleSeite.h"

#include "input/Translation.h"
#include "util/TextUtils.h"

namespace korvalin {

TBrailleSeite BrailleSeitenformat(const TEinstellungen& settings) {
    TBrailleSeite seite;
    if (settings.MaxZeilenbreite > 0) seite.ZeichenProZeile = settings.MaxZeilenbreite;
    if (settings.BrailleZeichenProZeile > 0) seite.ZeichenProZeile = settings.BrailleZeichenProZeile;
    if (settings.BrailleZeilenProSeite > 0) seite.ZeilenProSeite = settings.BrailleZeilenProSeite;
    return seite;
}

std::optional<int> ParseBrailleSeitenZahl(std::u16string_view text) {
    text = Trim(text);
    std::int32_t value = 0;
    if (text.empty() || text.size() > 2 || text.find_first_not_of(u"0123456789") != std::u16string_view::npos ||
        !TryStrToInt(text, value) || value < 1)
        return std::nullopt;
    return int(value);
}

int RepairedBrailleSeitenZahl(int stored) { return stored >= 0 && stored <= kBrailleSeiteMax ? stored : 0; }

}  // namespace korvalin
