#include "speech/EingabeAnsage.h"

#include "input/Translation.h"
#include "util/TextUtils.h"

#include <algorithm>

namespace korvalin {

namespace {

constexpr char16_t kBrailleFirst = 0x2800, kBrailleLast = 0x28FF;

bool IsBraillePattern(char16_t c) { return c >= kBrailleFirst && c <= kBrailleLast; }

bool ZeichenS(TEingabeAnsagen setting) {
    return setting == TEingabeAnsagen::Zeichen || setting == TEingabeAnsagen::ZeichenUndWoerter;
}

bool WoerterS(TEingabeAnsagen setting) {
    return setting == TEingabeAnsagen::Woerter || setting == TEingabeAnsagen::ZeichenUndWoerter;
}

// The name of a blank, tab or line break; empty for any other character.
std::u16string_view LeerzeichenName(char16_t c) {
    switch (c) {
    case u' ':
    case 0x00A0:
        return texts::AnsageLeerzeichen;
    case u'\t':
        return texts::AnsageTabulator;
    case u'\r':
    case u'\n':
    case 0x2028:
    case 0x2029:
        return texts::AnsageZeilenumbruch;
    default:
        return {};
    }
}

// Blank, tab and line break names, a CR LF pair as one line break; empty
// unless every character has a name.
std::u16string LeerzeichenAnsage(std::u16string_view text) {
    std::u16string spoken;
    for (size_t i = 0; i < text.size(); ++i) {
        const std::u16string_view name = LeerzeichenName(text[i]);
        if (name.empty()) return {};
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        spoken = AnsageVerbinden(spoken, name);
    }
    return spoken;
}

}  // namespace

std::u16string AnsageVerbinden(std::u16string_view first, std::u16string_view second) {
    if (first.empty()) return std::u16string(second);
    if (second.empty()) return std::u16string(first);
    return std::u16string(first).append(u", ").append(second);
}

std::u16string PunkteAnsage(std::u16string_view punkte) {
    std::u16string digits;
    for (const char16_t c : punkte)
        if (c >= u'1' && c <= u'8') digits.append(digits.empty() ? u"" : u" ").push_back(c);
    if (digits.empty()) return std::u16string(texts::AnsageLeer);
    return std::u16string(digits.size() == 1 ? texts::AnsagePunkt : texts::AnsagePunkte).append(u" ").append(digits);
}

std::u16string TextAnsage(std::u16string_view text) {
    if (std::u16string spoken = LeerzeichenAnsage(text); !spoken.empty()) return spoken;
    std::u16string spoken, run;
    for (const char16_t c : text) {
        if (!IsBraillePattern(c)) {
            run.push_back(c);
            continue;
        }
        spoken = AnsageVerbinden(AnsageVerbinden(spoken, run), PunkteAnsage(ExpandKeysInString(c - kBrailleFirst, false)));
        run.clear();
    }
    return AnsageVerbinden(spoken, run);
}

bool IsWortende(char16_t c) {
    static constexpr std::u16string_view kWortenden =
        u" \t\r\n\u00A0\u2028\u2029.,;:!?\"()[]{}/<>\u00A1\u00AB\u00BB\u00BF\u2013\u2014\u2018\u2019\u201A"
        u"\u201C\u201D\u201E\u2026\u2039\u203A";
    return kWortenden.find(c) != std::u16string_view::npos;
}

std::u16string_view BeendetesWort(std::u16string_view before) {
    if (before.empty() || !IsWortende(before.back())) return {};
    const std::u16string_view head = before.substr(0, before.size() - 1);
    const auto start = std::find_if(head.rbegin(), head.rend(), IsWortende).base();
    return head.substr(size_t(start - head.begin()));
}

std::u16string ChordAnsage(TEingabeAnsagen setting, TModus modus, bool lautS, std::u16string_view punkte,
                           std::u16string_view text, std::u16string_view before) {
    if (!lautS && modus != TModus::M5 && modus != TModus::M0)
        return ZeichenS(setting) ? PunkteAnsage(punkte) : std::u16string();
    return AnsageVerbinden(ZeichenS(setting) ? TextAnsage(text) : std::u16string(),
                           WoerterS(setting) ? BeendetesWort(before) : std::u16string_view());
}

std::u16string LautgruppeZelleAnsage(TEingabeAnsagen setting, std::u16string_view punkte) {
    return ZeichenS(setting) ? PunkteAnsage(punkte) : std::u16string();
}

std::u16string TasteAnsage(TEingabeAnsagen setting, TModus modus, std::u16string_view before) {
    return WoerterS(setting) && modus == TModus::M5 ? std::u16string(BeendetesWort(before)) : std::u16string();
}

std::u16string ModusAnsage(TEingabeAnsagen setting, TModus modus) {
    if (setting == TEingabeAnsagen::Aus) return {};
    return std::u16string(texts::AnsageModus[size_t(modus)]);
}

std::u16string LautgruppeAnsage(TEingabeAnsagen setting, bool value) {
    if (setting == TEingabeAnsagen::Aus) return {};
    return std::u16string(value ? texts::AnsageLautgruppeEin : texts::AnsageLautgruppeAus);
}

std::u16string EinhandAnsage(TEingabeAnsagen setting, bool value) {
    if (setting == TEingabeAnsagen::Aus) return {};
    return std::u16string(value ? texts::AnsageEinhandEin : texts::AnsageEinhandAus);
}

std::u16string TabellenAnsage(TEingabeAnsagen setting, int number, std::u16string_view titel) {
    if (setting == TEingabeAnsagen::Aus) return {};
    return Format(texts::AnsageTabelle, {number, titel});
}

std::u16string ZeilenbreiteAnsage(TEingabeAnsagen setting, int maxZeilenbreite) {
    if (setting == TEingabeAnsagen::Aus) return {};
    return Format(texts::AnsageZeilenbreite, {maxZeilenbreite});
}

}  // namespace korvalin
