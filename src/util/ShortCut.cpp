#include "util/ShortCut.h"

#include "util/TextUtils.h"

namespace korvalin {

namespace {

std::u16string KeyName(std::uint16_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::u16string(1, char16_t(key));
    if (key >= kVkF1 && key < kVkF1 + 24) return Format(u"F%d", {std::int64_t(key - kVkF1 + 1)});
    switch (key) {
    case 0x08: return u"Rück";
    case 0x09: return u"Tab";
    case 0x0D: return u"Eingabe";
    case 0x1B: return u"Esc";
    case 0x20: return u"Leer";
    case 0x2D: return u"Einfg";
    case 0x2E: return u"Entf";
    default: return Format(u"#%d", {std::int64_t(key)});
    }
}

}  // namespace

std::u16string ShortCutToText(TShortCut shortCut) {
    if (shortCut.Empty()) return {};
    std::u16string text;
    if (shortCut.Shift & ssShift) text += u"Umsch+";
    if (shortCut.Shift & ssCtrl) text += u"Strg+";
    if (shortCut.Shift & ssAlt) text += u"Alt+";
    return text + KeyName(shortCut.Key);
}

}  // namespace korvalin
