#include "app/Hilfe.h"

#include "app/ResConst.h"
#include "appearance/FontSpec.h"
#include "util/TextUtils.h"

namespace korvalin {

const std::vector<std::u16string_view>& InfoLines() {
    static const std::vector<std::u16string_view> lines{
        texts::ProgramTitle,
        u"Mit diesem Editor kann man Brailletext über die Normaltastatur eingeben.",
        u"Korvalin ist Eigentum der Korvalin Braille-Werkstatt.",
        u"Alle Rechte vorbehalten.",
        u"Korvalin Software 2009-2026",
        u"Korvalin Braille-Werkstatt",
        u"Lindenweg 12",
        u"12345 Musterstadt",
        u"Telefon: 01234 56789-0",
        u"Fax: 01234 56789-9",
        u"E-Mail: info@korvalin.de",
        u"Internet: www.korvalin.de",
        u"Übersetzungstabellen und Hilfe zusammengestellt vom Korvalin-Team",
        u"Entwickelt in C++ mit MinGW-w64",
    };
    return lines;
}

std::u16string InfoText() {
    std::u16string text;
    for (const std::u16string_view line : InfoLines()) {
        if (!text.empty()) text.append(u"\r\n");
        text.append(line);
    }
    return text;
}

std::u16string UpdaterHandOverText(std::u16string_view caption, std::u16string_view exePath,
                                   std::u16string_view fontSpec) {
    TFontValue font;
    AssignFontSpec(&font, fontSpec);
    std::u16string text;
    for (const std::u16string_view line : {texts::ProgramTitle, caption, exePath, texts::UpdaterFolder})
        text.append(line).append(u"\r\n");
    return text.append(Format(u"%d %s", {font.Size, font.Name})).append(u"\r\n");
}

std::u16string UpdatePromptText(const TVersion& installed, const TVersion& available) {
    std::u16string text(texts::UpdateAvailable);
    text.append(installed.ToString()).append(u"\r\n").append(texts::UpdateAvailableNew);
    return text.append(available.ToString()).append(u"\r\n\r\n").append(texts::UpdateQuestion);
}

}  // namespace korvalin
